#pragma once
// A plain progress window over QProgressDialog: the operation text, the small
// status line and the per-mille value, with window events pumped between items.
// (The program's own progress window replaces it with the main window.)
#include <QElapsedTimer>
#include <QProgressDialog>
#include <memory>

#include "ports/Progress.h"

namespace trakvella {

class QtProgress : public Progress {
 public:
  explicit QtProgress(QWidget* owner = nullptr) : owner_(owner) {}
  void ShowProgress(const std::string& text, int mode, bool tall) override;
  void SetStatus(const std::string& text) override;
  void SetPerMille(int value) override;
  bool Cancelled() const override { return cancelled_; }
  void ClearCancel() override { cancelled_ = false; }
  void pump() override;

 private:
  void Refresh();
  QWidget* owner_;
  std::unique_ptr<QProgressDialog> dialog_;
  QString operation_, status_;
  bool cancelled_ = false;
  QElapsedTimer sincePump_;
};

}  // namespace trakvella

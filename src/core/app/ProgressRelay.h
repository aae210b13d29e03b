#pragma once
// ProgressRelay: the Progress the long operations are given before the progress window exists;
// it forwards every call to the window once one is set. App owns it; the window is borrowed.
#include "ports/Progress.h"

namespace trakvella {

class ProgressRelay : public Progress {
 public:
  // The progress window from now on (nullptr: nowhere again).
  void SetTarget(Progress* target) { target_ = target; }
  Progress* target() const { return target_; }

  void ShowProgress(const std::string& text, ProgressMode mode, bool tall = false) override {
    if (target_) target_->ShowProgress(text, mode, tall);
  }
  void SetStatus(const std::string& text) override {
    if (target_) target_->SetStatus(text);
  }
  void SetPerMille(int value) override {
    if (target_) target_->SetPerMille(value);
  }
  bool Cancelled() const override { return target_ && target_->Cancelled(); }
  void ClearCancel() override {
    if (target_) target_->ClearCancel();
  }
  void pump() override {
    if (target_) target_->pump();
  }

 private:
  Progress* target_ = nullptr;
};

}  // namespace trakvella

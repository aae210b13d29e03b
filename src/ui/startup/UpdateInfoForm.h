#pragma once
// TUpdateInfoForm: the update information window — the update page shown read-only above a centred
// OK button. Made once by the start window, its owner, which shows it modally during an update check.
#include <QDialog>

#include "core/startup/WebUpdate.h"

class QCheckBox;
class QPushButton;
class QTextBrowser;
class QWidget;

namespace trakvella {

class Shell;

class TUpdateInfoForm : public QDialog {
  Q_OBJECT

 public:
  // shell opens the page's links in the desktop's browser (may be null: links do nothing).
  explicit TUpdateInfoForm(Shell* shell, QWidget* parent = nullptr);

  // Shows the page modally with the captions given; ok is whether the window
  // was closed with OK (Escape closes it without).
  UpdateInfoAnswer ShowInfo(const UpdateInfoShowing& showing);

 private:
  Shell* shell_;
  QString pageUrl_;
  QTextBrowser* webBrowser_;
  QWidget* panel_;
  QCheckBox* chk_FutureUpdate_;
  QPushButton* btn_OK_;
};

}  // namespace trakvella

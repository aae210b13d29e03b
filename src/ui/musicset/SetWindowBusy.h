#pragma once
// SetWindowBusy: a scope for work started from the (modal) music set window behind the progress window.
// The set window takes no input meanwhile; the progress window is modal above it so its Cancel takes clicks.
#include <QWidget>

namespace trakvella {

class SetWindowBusy {
 public:
  // setWindow may be null or hidden (the work then came from elsewhere and nothing changes). The
  // progress window is the main window's child named "WaitForm".
  explicit SetWindowBusy(QWidget* setWindow) : set_(setWindow) {
    if (!set_ || !set_->isVisible()) {
      set_ = nullptr;
      return;
    }
    set_->setEnabled(false);
    QWidget* owner = set_->parentWidget();
    progress_ = owner ? owner->findChild<QWidget*>("WaitForm") : nullptr;
    // A window's modality changes only while it is hidden.
    if (progress_ && !progress_->isVisible())
      progress_->setWindowModality(Qt::ApplicationModal);
    else
      progress_ = nullptr;
  }
  ~SetWindowBusy() {
    if (!set_) return;
    set_->setEnabled(true);
    if (progress_ && !progress_->isVisible()) progress_->setWindowModality(Qt::NonModal);
  }
  SetWindowBusy(const SetWindowBusy&) = delete;
  SetWindowBusy& operator=(const SetWindowBusy&) = delete;

 private:
  QWidget* set_;
  QWidget* progress_ = nullptr;
};

}  // namespace trakvella

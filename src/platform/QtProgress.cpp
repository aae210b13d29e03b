#include "platform/QtProgress.h"

#include <QCoreApplication>

namespace trakvella {

void QtProgress::ShowProgress(const std::string& text, int mode, bool tall) {
  if (mode == 0) {
    dialog_.reset();
    return;
  }
  if (mode == 2) {
    operation_ = QString::fromStdString(text);
    Refresh();
    return;
  }
  if (!dialog_) {
    dialog_ = std::make_unique<QProgressDialog>(owner_);
    dialog_->setWindowModality(Qt::ApplicationModal);
    dialog_->setMinimumDuration(0);
    dialog_->setRange(0, 1000);
    QObject::connect(dialog_.get(), &QProgressDialog::canceled, [this] { cancelled_ = true; });
  }
  if (!tall) dialog_->setCancelButton(nullptr);
  operation_ = QString::fromStdString(text);
  status_.clear();
  dialog_->setValue(0);
  Refresh();
  dialog_->show();
  QCoreApplication::processEvents();
}

void QtProgress::SetStatus(const std::string& text) {
  status_ = QString::fromStdString(text);
  Refresh();
}

void QtProgress::SetPerMille(int value) {
  if (dialog_ && value >= 0) dialog_->setValue(value);
}

void QtProgress::Refresh() {
  if (dialog_) dialog_->setLabelText(status_.isEmpty() ? operation_ : operation_ + "\n" + status_);
}

void QtProgress::pump() {
  // Window events at most every 15 ms: a pump per item of a long list would
  // otherwise cost more than the work itself.
  if (sincePump_.isValid() && sincePump_.elapsed() < 15) return;
  sincePump_.start();
  QCoreApplication::processEvents();
}

}  // namespace trakvella

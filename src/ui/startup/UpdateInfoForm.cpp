#include "ui/startup/UpdateInfoForm.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "ports/Shell.h"
#include "ui/QtText.h"

namespace trakvella {

namespace {
constexpr int kPanelHeight = 41;
}  // namespace

TUpdateInfoForm::TUpdateInfoForm(Shell* shell, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), shell_(shell) {
  setObjectName("UpdateInfoForm");
  setModal(true);
  resize(560, 420);

  webBrowser_ = new QTextBrowser(this);
  webBrowser_->setObjectName("WebBrowser");
  webBrowser_->setReadOnly(true);
  // The page stays; a link opens in the desktop's browser.
  webBrowser_->setOpenLinks(false);
  connect(webBrowser_, &QTextBrowser::anchorClicked, this, [this](const QUrl& link) {
    if (!shell_) return;
    const QUrl target = QUrl(pageUrl_).resolved(link);
    if (target.scheme() == "http" || target.scheme() == "https") shell_->OpenUrl(S(target.toString()));
  });

  panel_ = new QWidget(this);
  panel_->setObjectName("Panel");
  panel_->setFixedHeight(kPanelHeight);
  chk_FutureUpdate_ = new QCheckBox(panel_);
  chk_FutureUpdate_->setObjectName("chk_FutureUpdate");
  chk_FutureUpdate_->hide();
  btn_OK_ = new QPushButton(panel_);
  btn_OK_->setObjectName("btn_OK");
  btn_OK_->setDefault(true);
  btn_OK_->setFixedSize(90, 27);
  connect(btn_OK_, &QPushButton::clicked, this, &QDialog::accept);
  // The OK button stays centred at the bottom whatever the width.
  auto* buttons = new QHBoxLayout(panel_);
  buttons->addWidget(chk_FutureUpdate_);
  buttons->addStretch();
  buttons->addWidget(btn_OK_);
  buttons->addStretch();

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(webBrowser_, 1);
  layout->addWidget(panel_);
}

UpdateInfoAnswer TUpdateInfoForm::ShowInfo(const UpdateInfoShowing& showing) {
  chk_FutureUpdate_->setChecked(showing.checkForUpdate);
  btn_OK_->setText(Q(showing.okCaption));
  setWindowTitle(Q(showing.caption));
  chk_FutureUpdate_->setText(Q(showing.checkCaption));
  pageUrl_ = Q(showing.url);
  webBrowser_->document()->setBaseUrl(QUrl(pageUrl_));
  webBrowser_->setHtml(Q(showing.pageText));
  const bool ok = exec() == QDialog::Accepted;
  return UpdateInfoAnswer{ok, chk_FutureUpdate_->isChecked()};
}

}  // namespace trakvella

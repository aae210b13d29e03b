#include "ui/musicset/TrackInfoForm.h"

#include <QDateTime>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

#include "core/subscription/Subscription.h"
#include "ports/Clipboard.h"
#include "ui/QtText.h"
#include "ui/lang/LangCaptions.h"

namespace trakvella {

namespace {

constexpr const char* kWindowClass = "TTrackInfoForm";

QPushButton* Button(QWidget* parent, const char* name) {
  auto* b = new QPushButton(TableCaption(kWindowClass, name), parent);
  b->setObjectName(name);
  b->setAutoDefault(false);
  return b;
}

}  // namespace

TTrackInfoForm::TTrackInfoForm(TrackInfoWindowParts parts, QWidget* parent)
    : QDialog(parent), parts_(std::move(parts)) {
  setObjectName("TrackInfoForm");
  setWindowTitle(TableCaption(kWindowClass, "", CaptionProperty::WindowCaption));
  resize(560, 360);

  auto* form = new QFormLayout;
  for (size_t i = 0; i < edits_.size(); ++i) {
    const QString name = QStringLiteral("LabeledEdit%1").arg(i + 1);
    edits_[i] = new QLineEdit(this);
    edits_[i]->setObjectName(name);
    edits_[i]->setReadOnly(true);
    labels_[i] = new QLabel(this);
    labels_[i]->setObjectName(name + "Label");
    labels_[i]->setBuddy(edits_[i]);
    form->addRow(labels_[i], edits_[i]);
  }
  comment_ = new QLineEdit(this);
  comment_->setObjectName("TrackComments");
  commentLabel_ = new QLabel(this);
  commentLabel_->setObjectName("TrackCommentsLabel");
  commentLabel_->setBuddy(comment_);
  form->addRow(commentLabel_, comment_);

  status_ = new QLabel(this);
  status_->setObjectName("TrStatusLabel");
  QFont bold = status_->font();
  bold.setBold(true);
  status_->setFont(bold);
  database_ = new QLabel(this);
  database_->setObjectName("DBStatusLbl");
  database_->setWordWrap(true);

  QPushButton* copy = Button(this, "CopyButton");
  QPushButton* stamp = Button(this, "TimeDataBut");
  QPushButton* exit = Button(this, "ExitButton");
  exit->setDefault(true);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(copy);
  buttons->addWidget(stamp);
  buttons->addStretch();
  buttons->addWidget(exit);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(status_);
  layout->addWidget(database_);
  layout->addStretch();
  layout->addLayout(buttons);

  connect(copy, &QPushButton::clicked, this, &TTrackInfoForm::CopyButtonClick);
  connect(stamp, &QPushButton::clicked, this, &TTrackInfoForm::TimeDataButClick);
  connect(exit, &QPushButton::clicked, this, &TTrackInfoForm::ExitButtonClick);
  RegisterCaptionWindow(kWindowClass, this);
}

TTrackInfoForm::~TTrackInfoForm() { UnregisterCaptionWindow(this); }

void TTrackInfoForm::ShowFor(const std::string& code) {
  edits_[0]->setText(Q(code));
  setWindowModality(Qt::ApplicationModal);
  if (isVisible()) FormActivate();
  show();
  raise();
  activateWindow();
}

void TTrackInfoForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormActivate();
}

void TTrackInfoForm::FormActivate() {
  TrackInfoAccount account;
  if (const Subscription* subscription = parts_.subscription) {
    account.activeAccount = subscription->account().activeAccount;
    account.downloadedTracks = subscription->account().downloadedTracks;
  }
  view_ = ShowTrackInfo(S(edits_[0]->text()), parts_.catalogue, parts_.set, account, parts_.comments, parts_.language);
  for (size_t i = 0; i < edits_.size(); ++i) {
    labels_[i]->setText(Q(view_.rows[i].label));
    edits_[i]->setText(Q(view_.rows[i].value));
    edits_[i]->setCursorPosition(0);
  }
  commentLabel_->setText(Q(view_.commentLabel));
  comment_->setText(Q(view_.comment));
  status_->setText(Q(view_.status));
  database_->setText(Q(view_.database));
}

void TTrackInfoForm::CopyButtonClick() { BufferToClipboard(parts_.clipboard, TrackInfoCopyText(view_)); }

QString TTrackInfoForm::NowText() {
  const QLocale locale = QLocale::system();
  const QDateTime now = QDateTime::currentDateTime();
  // The long time form without its time zone.
  QString timeFormat = locale.timeFormat(QLocale::LongFormat);
  timeFormat.remove(QRegularExpression(QStringLiteral("\\s*t+\\s*$")));
  timeFormat.remove(QRegularExpression(QStringLiteral("^\\s*t+\\s*")));
  return locale.toString(now.date(), QLocale::ShortFormat) + " " + locale.toString(now.time(), timeFormat);
}

void TTrackInfoForm::TimeDataButClick() { comment_->setText(Q(TimeDataStamp(S(comment_->text()), S(NowText())))); }

void TTrackInfoForm::ExitButtonClick() { accept(); }

void TTrackInfoForm::done(int result) {
  if (isVisible()) {
    CloseTrackInfo(S(edits_[0]->text()), S(comment_->text()), parts_.comments);
    if (commentsChanged) commentsChanged();
  }
  QDialog::done(result);
}

}  // namespace trakvella

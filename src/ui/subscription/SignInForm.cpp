#include "ui/subscription/SignInForm.h"

#include <QFormLayout>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/QtText.h"
#include "ui/lang/LangCaptions.h"

namespace trakvella {

namespace {

constexpr const char* kWindowClass = "TSignInForm";

QString Caption(const char* name, CaptionProperty property = CaptionProperty::Caption) {
  return TableCaption(kWindowClass, name, property);
}

QLineEdit* LabelledEdit(QWidget* parent, const char* name, QFormLayout* form) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  auto* label = new QLabel(Caption(name, CaptionProperty::LabelCaption), parent);
  label->setObjectName(QString(name) + "Label");
  label->setBuddy(edit);
  form->addRow(label, edit);
  return edit;
}

QPushButton* Button(QWidget* parent, const char* name) {
  auto* b = new QPushButton(Caption(name), parent);
  b->setObjectName(name);
  // Enter means something only in passEdit; no button takes it for itself.
  b->setAutoDefault(false);
  b->setDefault(false);
  return b;
}

}  // namespace

TSignInForm::TSignInForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setObjectName("SignInForm");
  setModal(true);
  // Without a window frame the window draws its own edge.
  auto* frame = new QFrame(this);
  frame->setObjectName("SignInPanel");
  frame->setFrameShape(QFrame::StyledPanel);
  frame->setFrameShadow(QFrame::Raised);
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->addWidget(frame);

  SignInLbl_ = new QLabel(Caption("SignInLbl"), this);
  SignInLbl_->setObjectName("SignInLbl");
  QFont title = SignInLbl_->font();
  title.setBold(true);
  title.setPointSize(title.pointSize() + 2);
  SignInLbl_->setFont(title);

  auto* form = new QFormLayout;
  logEdit_ = LabelledEdit(this, "logEdit", form);
  passEdit_ = LabelledEdit(this, "passEdit", form);
  passEdit_->setEchoMode(QLineEdit::Password);
  PassViewBtn_ = new QToolButton(this);
  PassViewBtn_->setObjectName("PassViewBtn");
  PassViewBtn_->setText(QStringLiteral("*"));
  PassViewBtn_->setToolTip(Caption("PassViewBtn", CaptionProperty::Hint));
  SignInBut_ = Button(this, "SignInBut");
  CancelBut_ = Button(this, "CancelBut");

  auto* fields = new QHBoxLayout;
  fields->addLayout(form, 1);
  fields->addWidget(PassViewBtn_, 0, Qt::AlignBottom);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(SignInBut_);
  buttons->addWidget(CancelBut_);
  auto* layout = new QVBoxLayout(frame);
  layout->addWidget(SignInLbl_);
  layout->addLayout(fields);
  layout->addLayout(buttons);
  setMinimumWidth(320);

  connect(logEdit_, &QLineEdit::textChanged, this, &TSignInForm::FieldsChanged);
  connect(passEdit_, &QLineEdit::textChanged, this, &TSignInForm::FieldsChanged);
  connect(passEdit_, &QLineEdit::returnPressed, this, &TSignInForm::SignInButClick);
  connect(SignInBut_, &QPushButton::clicked, this, &TSignInForm::SignInButClick);
  connect(CancelBut_, &QPushButton::clicked, this, &TSignInForm::CancelButClick);
  connect(PassViewBtn_, &QToolButton::clicked, this, &TSignInForm::PassViewBtnClick);
  FieldsChanged();
  RegisterCaptionWindow(kWindowClass, this);
}

TSignInForm::~TSignInForm() { UnregisterCaptionWindow(this); }

bool TSignInForm::PassLoginCorrect() const {
  return trakvella::PassLoginCorrect(S(logEdit_->text()), S(passEdit_->text()));
}

void TSignInForm::FieldsChanged() {
  fields_.login = S(logEdit_->text());
  fields_.password = S(passEdit_->text());
  SignInBut_->setEnabled(fields_.SignInEnabled());
}

std::optional<Credentials> TSignInForm::AskCredentials(const Credentials& current) {
  fields_ = SignInFields{current.login, current.password};
  logEdit_->setText(Q(current.login));
  passEdit_->setText(Q(current.password));
  passEdit_->setEchoMode(QLineEdit::Password);
  FieldsChanged();
  (logEdit_->text().isEmpty() ? logEdit_ : passEdit_)->setFocus();
  exec();
  if (!fields_.accepted) return std::nullopt;
  return Credentials{fields_.login, fields_.password};
}

void TSignInForm::SignInButClick() {
  FieldsChanged();
  if (fields_.Accept()) accept();
}

void TSignInForm::CancelButClick() {
  fields_.Cancel();
  logEdit_->clear();
  passEdit_->clear();
  QDialog::reject();
}

void TSignInForm::reject() { CancelButClick(); }

void TSignInForm::PassViewBtnClick() {
  fields_.passwordMasked = passEdit_->echoMode() != QLineEdit::Normal;
  fields_.TogglePasswordView();
  passEdit_->setEchoMode(fields_.passwordMasked ? QLineEdit::Password : QLineEdit::Normal);
}

void TSignInForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // Centred on the desktop.
  if (QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
}

}  // namespace trakvella

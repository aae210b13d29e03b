#include "ui/musicset/SetSubscriptionPanel.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/lang/LangCaptions.h"

namespace trakvella {

namespace {

QString Caption(const char* name, CaptionProperty property = CaptionProperty::Caption) {
  return TableCaption("TMusicSetForm", name, property);
}

template <class Button>
Button* MakeButton(QWidget* parent, const char* name) {
  auto* b = new Button(parent);
  b->setObjectName(name);
  b->setText(Caption(name));
  b->setToolTip(Caption(name, CaptionProperty::Hint));
  return b;
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

}  // namespace

SetSubscriptionPanel::SetSubscriptionPanel(QWidget* parent) : QFrame(parent) {
  setObjectName("PodPanel");
  setFrameShape(QFrame::StyledPanel);

  Label3 = new QLabel(Caption("Label3"), this);
  Label3->setObjectName("Label3");
  Label3->setWordWrap(true);

  auto* form = new QFormLayout;
  logEdit = LabelledEdit(this, "logEdit", form);
  passEdit = LabelledEdit(this, "passEdit", form);
  passEdit->setEchoMode(QLineEdit::Password);
  PassViewBtn = MakeButton<QToolButton>(this, "PassViewBtn");
  PassViewBtn->setText(QStringLiteral("*"));

  SetupPodBtn = MakeButton<QPushButton>(this, "SetupPodBtn");
  BuyBtn = MakeButton<QPushButton>(this, "BuyBtn");
  ftpbut = MakeButton<QPushButton>(this, "ftpbut");
  FileDownBut = MakeButton<QPushButton>(this, "FileDownBut");
  ftplabel = new QLabel(this);
  ftplabel->setObjectName("ftplabel");
  PodStatusLbl = new QLabel(this);
  PodStatusLbl->setObjectName("PodStatusLbl");
  PodStatusLbl->setWordWrap(true);

  auto* password = new QHBoxLayout;
  password->addLayout(form, 1);
  password->addWidget(PassViewBtn, 0, Qt::AlignBottom);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label3);
  layout->addLayout(password);
  for (QPushButton* b : {SetupPodBtn, BuyBtn, ftpbut, FileDownBut}) layout->addWidget(b);
  layout->addWidget(ftplabel);
  layout->addWidget(PodStatusLbl);
  layout->addStretch();

  // Nothing here works until the subscription's window code takes the panel over.
  for (QWidget* w :
       std::initializer_list<QWidget*>{logEdit, passEdit, PassViewBtn, SetupPodBtn, BuyBtn, ftpbut, FileDownBut})
    w->setEnabled(false);
}

}  // namespace trakvella

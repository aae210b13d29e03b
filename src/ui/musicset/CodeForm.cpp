#include "ui/musicset/CodeForm.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

#include "ui/QtText.h"
#include "ui/lang/LangCaptions.h"

namespace trakvella {

namespace {

constexpr const char* kWindowClass = "TCodeForm";

QPushButton* NumberField(QWidget* parent, const char* name, const QString& hint) {
  auto* field = new QPushButton(parent);
  field->setObjectName(name);
  field->setToolTip(hint);
  field->setFlat(true);
  field->setAutoDefault(false);
  QFont f = field->font();
  f.setPointSize(f.pointSize() + 6);
  f.setBold(true);
  field->setFont(f);
  return field;
}

// A spinner shows only its arrows; the number stands in the field beside it.
QSpinBox* Spinner(QWidget* parent, const char* name) {
  auto* spin = new QSpinBox(parent);
  spin->setObjectName(name);
  spin->setRange(kMinCodeNumber, kMaxCodeNumber);
  spin->setFixedWidth(18);
  spin->setWrapping(false);
  return spin;
}

}  // namespace

TCodeForm::TCodeForm(Catalogue& catalogue, MusicSet& set, Dialogs& dialogs, const Language& language, QWidget* parent)
    : QDialog(parent), catalogue_(catalogue), set_(set), dialogs_(dialogs), language_(language) {
  setObjectName("CodeForm");
  setWindowTitle(TableCaption(kWindowClass, "", CaptionProperty::WindowCaption));

  auto* library = new QLabel(QStringLiteral("KMLB"), this);
  library->setObjectName("StaticText3");
  QFont big = library->font();
  big.setPointSize(big.pointSize() + 6);
  big.setBold(true);
  library->setFont(big);
  n1_ = NumberField(this, "N1", QString::fromUtf8("Номер сборника"));
  n2_ = NumberField(this, "N2", QString::fromUtf8("Номер трека в сборнике"));
  upDown1_ = Spinner(this, "UpDown1");
  upDown2_ = Spinner(this, "UpDown2");
  auto* label1 = new QLabel(TableCaption(kWindowClass, "Label1"), this);
  label1->setObjectName("Label1");
  cdName_ = new QLabel(this);
  cdName_->setObjectName("StaticText1");
  cdName_->setWordWrap(true);
  cdName_->setMinimumHeight(36);
  auto* add = new QPushButton(TableCaption(kWindowClass, "AddByCodeBtn"), this);
  add->setObjectName("AddByCodeBtn");
  add->setDefault(true);

  auto* grid = new QGridLayout(this);
  grid->addWidget(library, 0, 0);
  grid->addWidget(new QLabel(QStringLiteral("_"), this), 0, 1);
  grid->addWidget(n1_, 0, 2);
  grid->addWidget(upDown1_, 0, 3);
  grid->addWidget(new QLabel(QStringLiteral("_"), this), 0, 4);
  grid->addWidget(n2_, 0, 5);
  grid->addWidget(upDown2_, 0, 6);
  grid->addWidget(label1, 1, 0, 1, 7);
  grid->addWidget(cdName_, 2, 0, 1, 7);
  grid->addWidget(add, 3, 0, 1, 7);

  connect(upDown1_, &QSpinBox::valueChanged, this, &TCodeForm::UpDown1Click);
  connect(upDown2_, &QSpinBox::valueChanged, this, &TCodeForm::UpDown2Click);
  connect(n1_, &QPushButton::clicked, this, &TCodeForm::N1Click);
  connect(n2_, &QPushButton::clicked, this, &TCodeForm::N2Click);
  connect(add, &QPushButton::clicked, this, &TCodeForm::AddByCodeBtnClick);
  ShowNumbers();
  RegisterCaptionWindow(kWindowClass, this);
}

TCodeForm::~TCodeForm() { UnregisterCaptionWindow(this); }

void TCodeForm::ShowModal() {
  setWindowModality(Qt::ApplicationModal);
  show();
  raise();
  activateWindow();
}

void TCodeForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormActivate();
}

void TCodeForm::FormActivate() { cdName_->setText(Q(state_.CdName(catalogue_))); }

void TCodeForm::ShowNumbers() {
  showing_ = true;
  upDown1_->setValue(state_.cdNumber());
  upDown2_->setValue(state_.trackNumber());
  showing_ = false;
  n1_->setText(Q(state_.N1()));
  n2_->setText(Q(state_.N2()));
  FormActivate();
}

void TCodeForm::UpDown1Click(int position) {
  if (showing_) return;
  state_.SetCdNumber(position);
  ShowNumbers();
}

void TCodeForm::UpDown2Click(int position) {
  if (showing_) return;
  state_.SetTrackNumber(position);
  ShowNumbers();
}

void TCodeForm::N1Click() {
  if (state_.AskCdNumber(dialogs_, language_)) ShowNumbers();
}

void TCodeForm::N2Click() {
  if (state_.AskTrackNumber(dialogs_, language_)) ShowNumbers();
}

void TCodeForm::AddByCodeBtnClick() { state_.Add(set_); }

}  // namespace trakvella

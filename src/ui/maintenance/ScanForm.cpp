#include "ui/maintenance/ScanForm.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/lang/MessageTable.h"
#include "ui/QtText.h"
#include "ui/WindowOnScreen.h"
#include "ui/lang/LangCaptions.h"

namespace trakvella {

namespace {

constexpr const char* kWindowClass = "TScanForm";
// The file gauge shows per mille: a project file may be larger than a progress bar counts.
constexpr int kGaugeRange = 1000;
// Window events run at most this often while a scan reads (milliseconds).
constexpr int kPumpInterval = 15;

QString Caption(const char* component, CaptionProperty property = CaptionProperty::Caption) {
  return TableCaption(kWindowClass, component, property);
}

template <class T>
T* Named(T* widget, const QString& name) {
  widget->setObjectName(name);
  return widget;
}

}  // namespace

// The scan's Progress: lets window events run between directories and blocks,
// so the window draws and the refused close is answered. The scan has no cancel.
class TScanForm::EventPump : public Progress {
 public:
  void ShowProgress(const std::string&, ProgressMode, bool) override {}
  void SetStatus(const std::string&) override {}
  void SetPerMille(int) override {}
  bool Cancelled() const override { return false; }
  void ClearCancel() override {}
  void pump() override {
    if (since_.isValid() && since_.elapsed() < kPumpInterval) return;
    since_.start();
    QCoreApplication::processEvents();
  }

 private:
  QElapsedTimer since_;
};

TScanForm::TScanForm(MusicSet& set, Dialogs& dialogs, Inflater* inflater, const Language& language,
                     std::function<void()> setChanged, QWidget* parent)
    : QDialog(parent),
      set_(set),
      dialogs_(dialogs),
      language_(language),
      setChanged_(std::move(setChanged)),
      pump_(std::make_unique<EventPump>()),
      scan_(*pump_, inflater, language_) {
  setObjectName("ScanForm");
  setWindowTitle(TableCaption(kWindowClass, "", CaptionProperty::WindowCaption));
  setModal(true);

  QGroupBox* types = MakeTypes();
  QGroupBox* options = MakeOptions();
  QGroupBox* place = MakePlace();
  QGroupBox* progress = MakeProgress();

  sBut_ = Named(new QPushButton(Caption("SBut"), this), "SBut");
  sBut_->setDefault(true);
  exitBut_ = Named(new QPushButton(Caption("ExitBut"), this), "ExitBut");
  exitBut_->setAutoDefault(false);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(sBut_);
  buttons->addWidget(exitBut_);

  auto* right = new QVBoxLayout;
  right->addWidget(options);
  right->addWidget(place);
  right->addWidget(progress, 1);
  auto* columns = new QHBoxLayout;
  columns->addWidget(types);
  columns->addLayout(right, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(columns, 1);
  layout->addLayout(buttons);
  resize(720, 460);

  scan_.SetView(this);
  connect(sBut_, &QPushButton::clicked, this, &TScanForm::SButClick);
  connect(exitBut_, &QPushButton::clicked, this, &TScanForm::ExitButClick);
  connect(selDirBut_, &QToolButton::clicked, this, &TScanForm::SelDirButClick);
  RegisterCaptionWindow(kWindowClass, this);
}

QGroupBox* TScanForm::MakeTypes() {
  // The project types, each with its count label; "Other" with the extension the user writes.
  auto* types = Named(new QGroupBox(Caption("GroupBox1"), this), "GroupBox1");
  typeGrid_ = new QGridLayout(types);
  for (int i = 0; i < kProjectTypeCount; ++i) {
    const ProjectType& type = ProjectTypes()[i];
    const QString caption = i == kOtherProjectType ? Caption("CheckBox6") : Q(type.caption);
    checkBoxes_[i] = Named(new QCheckBox(caption, types), Q(type.checkBox));
    checkBoxes_[i]->setChecked(type.tickedAtStart);
    countLabels_[i] = Named(new QLabel(types), Q(type.countLabel));
    countLabels_[i]->setMinimumWidth(60);
    typeGrid_->addWidget(checkBoxes_[i], i, 0);
    typeGrid_->addWidget(countLabels_[i], i, 2);
  }
  checkBoxes_[kOtherProjectType]->setToolTip(Caption("CheckBox6", CaptionProperty::Hint));
  otherExt_ = Named(new QLineEdit(types), "OtherExt");
  otherExt_->setPlaceholderText(".ses");
  otherExt_->setMaximumWidth(90);
  typeGrid_->addWidget(otherExt_, kOtherProjectType, 1);
  // The busy animation, shown beside the type being searched.
  animate1_ = Named(new QProgressBar(types), "Animate1");
  animate1_->setRange(0, 0);
  animate1_->setTextVisible(false);
  animate1_->setFixedSize(48, 12);
  animate1_->hide();
  typeGrid_->addWidget(animate1_, 0, 3);
  typeGrid_->setColumnStretch(2, 1);
  return types;
}

QGroupBox* TScanForm::MakeOptions() {
  auto* options = Named(new QGroupBox(Caption("GroupBox2"), this), "GroupBox2");
  auto* excludeLabel =
      Named(new QLabel(Caption("ExcludeNames", CaptionProperty::LabelCaption), options), "ExcludeNamesLabel");
  excludeNames_ = Named(new QLineEdit(Q(kDefaultExcludeNames), options), "ExcludeNames");
  excludeLabel->setBuddy(excludeNames_);
  wavCheck_ = Named(new QCheckBox(Caption("WAVCheck"), options), "WAVCheck");
  wavCheck_->setToolTip(Caption("WAVCheck", CaptionProperty::Hint));
  auto* optionsLayout = new QVBoxLayout(options);
  optionsLayout->addWidget(excludeLabel);
  optionsLayout->addWidget(excludeNames_);
  optionsLayout->addWidget(wavCheck_);
  return options;
}

QGroupBox* TScanForm::MakePlace() {
  auto* place = Named(new QGroupBox(Caption("SPlace"), this), "SPlace");
  auto* spathLabel = Named(new QLabel(Caption("spath", CaptionProperty::LabelCaption), place), "spathLabel");
  spath_ = Named(new QLineEdit(place), "spath");
  spathLabel->setBuddy(spath_);
  selDirBut_ = Named(new QToolButton(place), "SelDirBut");
  selDirBut_->setText("...");
  selDirBut_->setToolTip(Caption("SelDirBut", CaptionProperty::Hint));
  auto* placeLayout = new QGridLayout(place);
  placeLayout->addWidget(spathLabel, 0, 0, 1, 2);
  placeLayout->addWidget(spath_, 1, 0);
  placeLayout->addWidget(selDirBut_, 1, 1);
  return place;
}

QGroupBox* TScanForm::MakeProgress() {
  auto* progress = Named(new QGroupBox(Caption("GroupBox3"), this), "GroupBox3");
  gauge1_ = Named(new QProgressBar(progress), "Gauge1");
  gauge1_->setRange(0, kGaugeRange);
  overAll_ = Named(new QProgressBar(progress), "OverAll");
  overAll_->setRange(0, 1);
  proNum_ = Named(new QLabel(progress), "proNum");
  proF_ = Named(new QLabel(progress), "proF");
  mPro_ = Named(new QLabel(progress), "mPro");
  reslabel_ = Named(new QLabel(progress), "reslabel");
  reslabel_->setWordWrap(true);
  auto* progressLayout = new QGridLayout(progress);
  progressLayout->addWidget(proNum_, 0, 0);
  progressLayout->addWidget(proF_, 0, 1);
  progressLayout->addWidget(gauge1_, 1, 0, 1, 2);
  progressLayout->addWidget(overAll_, 2, 0, 1, 2);
  progressLayout->addWidget(mPro_, 3, 0, 1, 2);
  progressLayout->addWidget(reslabel_, 4, 0, 1, 2);
  progressLayout->setColumnStretch(1, 1);
  return progress;
}

TScanForm::~TScanForm() {
  UnregisterCaptionWindow(this);
  scan_.SetView(nullptr);
}

void TScanForm::Open() {
  FormActivate();
  exec();
}

void TScanForm::FormActivate() { scan_.ClearDisplay(); }

void TScanForm::setVisible(bool visible) {
  if (visible) KeepOnScreen(this);
  QDialog::setVisible(visible);
}

ScanSettings TScanForm::CollectScanSettings() const {
  ScanSettings settings;
  settings.startFolder = S(spath_->text());
  for (int i = 0; i < kProjectTypeCount; ++i) settings.ticked[i] = checkBoxes_[i]->isChecked();
  settings.otherExtension = S(otherExt_->text());
  settings.excludeNames = S(excludeNames_->text());
  settings.wavOnly = wavCheck_->isChecked();
  return settings;
}

void TScanForm::SButClick() {
  if (!scan_.MayClose()) return;  // a scan runs already
  scan_.Run(CollectScanSettings(),
            [this](const std::vector<ScanEntry>& entries) { return AddToMusicSet(set_, entries); });
  if (setChanged_) setChanged_();
}

void TScanForm::SelDirButClick() {
  const std::string folder = dialogs_.SelectFolder(LangMessage(language_, Msg::SpecifyFolder), S(spath_->text()));
  if (!folder.empty()) spath_->setText(Q(folder));
}

void TScanForm::ExitButClick() { close(); }

void TScanForm::closeEvent(QCloseEvent* event) {
  if (!scan_.MayClose()) {
    event->ignore();
    return;
  }
  QDialog::closeEvent(event);
}

void TScanForm::reject() {
  if (scan_.MayClose()) QDialog::reject();
}

void TScanForm::ShowSearching(int type) {
  if (type == searchingShown_) return;
  if (searchingShown_ >= 0) {
    QFont font = checkBoxes_[searchingShown_]->font();
    font.setBold(false);
    checkBoxes_[searchingShown_]->setFont(font);
  }
  searchingShown_ = type;
  if (type < 0) {
    animate1_->hide();
    return;
  }
  QFont font = checkBoxes_[type]->font();
  font.setBold(true);
  checkBoxes_[type]->setFont(font);
  typeGrid_->removeWidget(animate1_);
  typeGrid_->addWidget(animate1_, type, 3);
  animate1_->show();
}

void TScanForm::ShowScan(const ScanDisplay& d) {
  for (int i = 0; i < kProjectTypeCount; ++i) countLabels_[i]->setText(Q(d.countLabels[i]));
  ShowSearching(d.searchingType);
  const int64_t position = std::clamp<int64_t>(d.fileGauge, 0, d.fileGaugeMax);
  gauge1_->setValue(d.fileGaugeMax > 0 ? static_cast<int>(position * kGaugeRange / d.fileGaugeMax) : 0);
  overAll_->setMaximum(std::max(d.overallMax, 1));
  overAll_->setValue(std::clamp(d.overall, 0, std::max(d.overallMax, 1)));
  proNum_->setText(Q(d.proNum));
  proF_->setText(Q(d.proF));
  mPro_->setText(Q(d.mPro));
  reslabel_->setText(Q(d.reslabel));
  sBut_->setEnabled(d.idle);
  exitBut_->setEnabled(d.idle);
  selDirBut_->setEnabled(d.idle);
}

}  // namespace trakvella

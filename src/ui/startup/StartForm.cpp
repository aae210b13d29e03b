#include "ui/startup/StartForm.h"

#include <QApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "core/lang/Version.h"
#include "core/startup/Connection.h"
#include "ui/QtText.h"
#include "ui/lang/LangCaptions.h"
#include "ui/startup/UpdateInfoForm.h"

namespace trakvella {

namespace {
constexpr int kTimer1Interval = 250;
// The bar's steps when the length is known, whatever the archive's size.
constexpr int kProgressSteps = 1000;
}  // namespace

TStartForm::TStartForm(const StartFormPorts& ports, const Language& language, NetworkState& network, StartSetup setup,
                       QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      sequence_(StartPorts{ports.dialogs, ports.progress, ports.downloader, ports.archives, ports.launcher}, language,
                network, setup),
      shell_(ports.shell),
      interfaces_(ports.interfaces),
      http_(ports.http),
      updatePageUrl_(setup.updatePageUrl) {
  setObjectName("StartForm");
  setModal(true);
  setFixedSize(420, 210);

  // A borderless window draws its own edge.
  auto* frame = new QFrame(this);
  frame->setFrameShape(QFrame::Box);
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->addWidget(frame);

  auto* title = new QLabel(Q(kApplicationTitle), frame);
  QFont titleFont = title->font();
  titleFont.setPointSize(titleFont.pointSize() * 2);
  titleFont.setBold(true);
  title->setFont(titleFont);
  title->setAlignment(Qt::AlignCenter);

  label7_ = new QLabel(TableCaption("TStartForm", "Label7"), frame);
  label7_->setObjectName("Label7");
  label7_->setAlignment(Qt::AlignCenter);
  label3_ = new QLabel(frame);
  label3_->setObjectName("Label3");
  label3_->setAlignment(Qt::AlignCenter);
  label4_ = new QLabel(frame);
  label4_->setObjectName("Label4");
  label4_->setAlignment(Qt::AlignCenter);
  progressBar_ = new QProgressBar(frame);
  progressBar_->setObjectName("ProgressBar");
  progressBar_->setTextVisible(false);
  progressBar_->hide();
  nextBut_ = new QPushButton(TableCaption("TStartForm", "NextBut"), frame);
  nextBut_->setObjectName("NextBut");
  nextBut_->setDefault(true);
  nextBut_->hide();
  timer1_ = new QTimer(this);
  timer1_->setObjectName("Timer1");
  timer1_->setInterval(kTimer1Interval);

  auto* button = new QHBoxLayout;
  button->addStretch();
  button->addWidget(nextBut_);
  button->addStretch();
  auto* layout = new QVBoxLayout(frame);
  layout->addWidget(title);
  layout->addWidget(label7_);
  layout->addWidget(label3_);
  layout->addStretch();
  layout->addWidget(label4_);
  layout->addWidget(progressBar_);
  layout->addLayout(button);

  connect(timer1_, &QTimer::timeout, this, [this] { sequence_.Tick(); });
  connect(nextBut_, &QPushButton::clicked, this, [this] { sequence_.Continue(); });

  sequence_.SetView(this);

  RegisterCaptionWindow("TStartForm", this);
}

TStartForm::~TStartForm() {
  sequence_.SetView(nullptr);
  UnregisterCaptionWindow(this);
}

bool TStartForm::IsOnline() {
  // Online through a connected interface, or else when the web site answers.
  return trakvella::IsOnline(interfaces_, [this] { return SiteAnswers(http_, updatePageUrl_); });
}

void TStartForm::CloseWindow() { done(sequence_.ContinueToMainWindow() ? QDialog::Accepted : QDialog::Rejected); }

bool TStartForm::ShowAtStart() {
  sequence_.PrepareShowing(0);
  ShowState();
  if (QScreen* screen = QGuiApplication::primaryScreen()) CentreOn(screen->availableGeometry());
  exec();
  return sequence_.ContinueToMainWindow();
}

void TStartForm::ShowAtReinitialisation() {
  sequence_.PrepareShowing(1);
  ShowState();
  if (parentWidget() && parentWidget()->isVisible())
    CentreOn(parentWidget()->frameGeometry());
  else if (QScreen* screen = QGuiApplication::primaryScreen())
    CentreOn(screen->availableGeometry());
  exec();
}

void TStartForm::EndProgram() {
  // A box or the information window above this one returns first, answered "no".
  for (int i = 0; i < 8; ++i) {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog || dialog == this) break;
    dialog->reject();
  }
  if (isVisible()) sequence_.EndProgram();
}

void TStartForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  sequence_.Activate();
}

void TStartForm::reject() {
  if (nextBut_->isVisible()) sequence_.Continue();
}

void TStartForm::CentreOn(const QRect& area) { move(area.center() - QPoint(width() / 2, height() / 2)); }

void TStartForm::ShowState() {
  const StartWindowState& s = sequence_.state;
  label3_->setText(Q(s.versionLine));
  label4_->setText(Q(s.statusLine));
  label4_->setVisible(s.statusLineVisible);
  nextBut_->setVisible(s.continueVisible);
  progressBar_->setVisible(s.progressVisible);
  if (s.progressMax > 0) {
    progressBar_->setRange(0, kProgressSteps);
    const int64_t position = std::clamp<int64_t>(s.progressPosition, 0, s.progressMax);
    progressBar_->setValue(static_cast<int>(position * kProgressSteps / s.progressMax));
  } else {
    progressBar_->setRange(0, 0);  // length unknown: the bar only moves
  }
  if (!s.tickerEnabled)
    timer1_->stop();
  else if (!timer1_->isActive())
    timer1_->start();
  if (s.continueVisible) nextBut_->setFocus();
}

UpdateInfoAnswer TStartForm::ShowUpdateInfo(const UpdateInfoShowing& showing) {
  if (!updateInfoForm_) updateInfoForm_ = new TUpdateInfoForm(&shell_, this);
  UpdateInfoAnswer answer = updateInfoForm_->ShowInfo(showing);
  // A program that ends meanwhile takes no update.
  if (sequence_.ended()) answer.ok = false;
  return answer;
}

}  // namespace trakvella

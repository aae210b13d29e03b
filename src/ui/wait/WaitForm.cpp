#include "ui/wait/WaitForm.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QTimer>

#include "core/lang/MessageTable.h"

namespace trakvella {

namespace {

constexpr int kAnimationInterval = 10;  // ms
constexpr int kPumpInterval = 15;       // ms

}  // namespace

// The groove with the two squares; draws what the animation says.
class TWaitForm::TrackBar : public QWidget {
 public:
  TrackBar(const ProgressAnimation* animation, QWidget* parent) : QWidget(parent), animation_(animation) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    const int middle = height() / 2;
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(2, middle, width() - 3, middle);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawLine(2, middle + 1, width() - 3, middle + 1);

    const int top = middle - kSquareWidth / 2;
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette().color(QPalette::Highlight));
    painter.drawRect(animation_->left, top, kSquareWidth, kSquareWidth);
    painter.drawRect(animation_->right, top, kSquareWidth, kSquareWidth);
  }

 private:
  const ProgressAnimation* animation_;
};

TWaitForm::TWaitForm(QWidget* mainWindow, const Language& language)
    : QWidget(mainWindow, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      mainWindow_(mainWindow),
      language_(language) {
  setObjectName("WaitForm");

  operation_ = new QLabel(this);
  operation_->setObjectName("Operation");
  operation_->setGeometry(8, 6, kWidth - 16, 18);

  statusLbl_ = new QLabel(this);
  statusLbl_->setObjectName("StatusLbl");
  statusLbl_->setGeometry(8, 24, kWidth - 96, 14);
  QFont small = statusLbl_->font();
  small.setPointSizeF(small.pointSizeF() * 0.8);
  statusLbl_->setFont(small);

  prLbl_ = new QLabel(this);
  prLbl_->setObjectName("PRLbl");
  prLbl_->setGeometry(kWidth - 88, 24, 80, 14);
  prLbl_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  prLbl_->setFont(small);

  trackBar_ = new TrackBar(&animation_, this);
  trackBar_->setObjectName("TrackBar");
  trackBar_->setGeometry(8, 40, kTrackWidth, 20);

  // The message of mode 3 takes the place of the texts and the animation.
  cLabel_ = new QLabel(this);
  cLabel_->setObjectName("CLabel");
  cLabel_->setGeometry(8, 6, kWidth - 16, 54);
  cLabel_->setAlignment(Qt::AlignCenter);
  cLabel_->setWordWrap(true);
  cLabel_->hide();

  cancelBut_ = new QPushButton(this);
  cancelBut_->setObjectName("CancelBut");
  cancelBut_->setGeometry((kWidth - 120) / 2, 66, 120, 26);
  cancelBut_->setText(Message(Msg::Abort));
  connect(cancelBut_, &QPushButton::clicked, this, &TWaitForm::CancelButClick);

  animationTimer_ = new QTimer(this);
  animationTimer_->setInterval(kAnimationInterval);
  connect(animationTimer_, &QTimer::timeout, this, &TWaitForm::AnimationTimerTimer);

  SetTall(false);
}

void TWaitForm::ShowProgress(const std::string& text, ProgressMode mode, bool tall) {
  const QString qtext = QString::fromStdString(text);
  switch (mode) {
    case ProgressMode::Hide:
      holding_ = false;
      SetMainControlsEnabled(true);
      cLabel_->hide();
      cLabel_->clear();
      animationTimer_->stop();
      animation_.Home();
      trackBar_->show();
      comesBack_ = false;
      hide();
      break;
    case ProgressMode::Show:
      holding_ = true;
      SetMainControlsEnabled(false);
      perMille_ = -1;
      prLbl_->clear();
      // A new operation's progress shows only its own lines: what an earlier
      // one wrote into the status line ("Tracks found: 0") goes.
      statusLbl_->clear();
      cLabel_->hide();
      cLabel_->clear();
      animation_.Start();
      animationTimer_->start();
      trackBar_->show();
      operation_->setText(qtext);
      SetTall(tall);
      Appear();
      break;
    case ProgressMode::ChangeText:
      operation_->setText(qtext);
      break;
    case ProgressMode::Message:
      holding_ = true;
      SetMainControlsEnabled(false);
      perMille_ = -1;
      prLbl_->clear();
      statusLbl_->clear();
      operation_->clear();
      cLabel_->setText(qtext);
      cLabel_->show();
      // The squares go home; the timer runs on when it ran (only mode 0 stops
      // it), so a message after mode 1 stays until mode 0.
      animation_.Home();
      trackBar_->hide();
      SetTall(tall);
      Appear();
      break;
    default:
      return;
  }
  if (isVisible()) repaint();
}

void TWaitForm::SetStatus(const std::string& text) { statusLbl_->setText(QString::fromStdString(text)); }

void TWaitForm::SetPerMille(int value) { perMille_ = value; }

void TWaitForm::pump() {
  if (sincePump_.isValid() && sincePump_.elapsed() < kPumpInterval) return;
  sincePump_.start();
  // Timers are among the events processed: the animation goes on moving.
  QCoreApplication::processEvents();
}

bool TWaitForm::Animating() const { return animationTimer_->isActive(); }

void TWaitForm::Appear() {
  if (dialogsUp_ > 0) {
    comesBack_ = true;
    return;
  }
  show();
  raise();
}

void TWaitForm::StepAside(bool dialogShown) {
  if (dialogShown) {
    // The window stays on top of every other; a dialog shown while it is up
    // would open underneath it, its buttons hidden. So it goes for that time.
    if (dialogsUp_++ > 0) return;
    comesBack_ = isVisible();
    if (comesBack_) hide();
    return;
  }
  if (dialogsUp_ == 0 || --dialogsUp_ > 0) return;
  if (!comesBack_ || !holding_) return;
  comesBack_ = false;
  returning_ = true;
  show();
  raise();
  returning_ = false;
}

void TWaitForm::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (event->spontaneous() || returning_) return;
  // Coming up from hidden: a fresh cancel caption, centred on the main window.
  cancelBut_->setText(Message(Msg::Abort));
  CentreOnMainWindow();
}

void TWaitForm::closeEvent(QCloseEvent* event) {
  // Only mode 0 closes the window while an operation holds it.
  if (holding_)
    event->ignore();
  else
    event->accept();
}

void TWaitForm::mousePressEvent(QMouseEvent* event) {
  // Taken here so the release that makes the click comes back to this window.
  event->accept();
}

void TWaitForm::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint())) return;
  // A message (mode 3) stands still; a click on it dismisses it.
  if (isVisible() && !animationTimer_->isActive()) ShowProgress(std::string(), ProgressMode::Hide);
}

void TWaitForm::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Window));
  painter.setPen(palette().color(QPalette::Dark));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void TWaitForm::CancelButClick() {
  cancelled_ = true;
  cancelBut_->setText(Message(Msg::InProgress));
}

void TWaitForm::AnimationTimerTimer() {
  animation_.Tick(trackBar_->width(), kSquareWidth);
  trackBar_->update();
  prLbl_->setText(QString::fromStdString(PerMilleText(perMille_)));
}

void TWaitForm::SetMainControlsEnabled(bool enabled) {
  if (!mainWindow_) return;
  QWidget* central = nullptr;
  if (auto* mainForm = qobject_cast<QMainWindow*>(mainWindow_.data())) central = mainForm->centralWidget();

  auto setControls = [enabled, this](QWidget* parent, QWidget* skip) {
    const auto children = parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* child : children) {
      if (child == skip || child == this || child->isWindow()) continue;
      child->setEnabled(enabled);
    }
  };
  setControls(mainWindow_, central);
  if (central) setControls(central, nullptr);
}

void TWaitForm::SetTall(bool tall) {
  setFixedSize(kWidth, tall ? kTallHeight : kShortHeight);
  cancelBut_->setVisible(tall);
}

void TWaitForm::CentreOnMainWindow() {
  QRect area;
  if (mainWindow_ && mainWindow_->isVisible())
    area = mainWindow_->frameGeometry();
  else if (QScreen* screen = QGuiApplication::primaryScreen())
    area = screen->availableGeometry();
  if (area.isEmpty()) return;
  move(area.center() - QPoint(width() / 2, height() / 2));
}

QString TWaitForm::Message(Msg message) const { return QString::fromStdString(LangMessage(language_, message)); }

}  // namespace trakvella

#include "ui/maintenance/InfoForm.h"

#include <QEvent>
#include <QFont>
#include <QFrame>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <cmath>

namespace trakvella {

namespace {

constexpr int kPanelBorder = 5;           // inside the panel's single frame
constexpr int kInset = 1 + kPanelBorder;  // frame line plus border
constexpr int kLabelGap = 8;              // between the cover and the text
constexpr int kLabelLeft = kInset + TInfoForm::kCoverSize + kLabelGap;
constexpr int kMinLabelHeight = 13;
constexpr int kUnfittedHeight = 600;  // before the text is measured
constexpr int kButtonFromRight = 72;
constexpr int kButtonFromBottom = 50;
constexpr int kLastOfFirstList = 500;    // CDs up to this take list 1
constexpr int kFirstOfSecondList = 501;  // image 0 of list 2

// One thumbnail of a cover list. The two lists are told apart at a glance:
// list 1 has a diagonal gradient with rings, list 2 a radial glow with stripes
// and a turned square. The colour walks the hue circle by the golden angle, so
// neighbouring images never look alike; the CD number sits in a band below.
QPixmap CoverImage(int list, int index, int cdNumber) {
  const int size = TInfoForm::kCoverSize;
  QImage image(size, size, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);

  const int hue = static_cast<int>(std::fmod(index * 137.50776 + (list == 2 ? 200.0 : 0.0), 360.0));
  const int saturation = 140 + (index * 53) % 100;
  const QColor light = QColor::fromHsv(hue, saturation, 235);
  const QColor deep = QColor::fromHsv((hue + 35) % 360, std::min(255, saturation + 15), 95);

  if (list == 1) {
    QLinearGradient gradient(0, 0, size, size);
    gradient.setColorAt(0, light);
    gradient.setColorAt(1, deep);
    p.fillRect(0, 0, size, size, gradient);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 90), 2));
    const int rings = 2 + index % 4;
    for (int r = 0; r < rings; ++r) p.drawEllipse(QPointF(44, 16), 5.0 + r * 7, 5.0 + r * 7);
  } else {
    QRadialGradient gradient(QPointF(size / 2.0, 22), 42);
    gradient.setColorAt(0, light);
    gradient.setColorAt(1, deep);
    p.fillRect(0, 0, size, size, gradient);
    p.setPen(QPen(QColor(0, 0, 0, 50), 3));
    const int spacing = 8 + (index % 3) * 3;
    for (int x = -size; x < size; x += spacing) p.drawLine(x, size, x + size, 0);
    p.save();
    p.translate(size / 2.0, 22);
    p.rotate(15 + (index % 4) * 15);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 170), 2));
    p.drawRect(QRectF(-11, -11, 22, 22));
    p.restore();
  }

  const QRect band(0, size - 18, size, 18);
  p.fillRect(band, QColor(0, 0, 0, 120));
  QFont font = p.font();
  font.setPixelSize(12);
  font.setBold(true);
  p.setFont(font);
  p.setPen(Qt::white);
  p.drawText(band, Qt::AlignCenter, QString::number(cdNumber).rightJustified(3, '0'));
  p.end();
  return QPixmap::fromImage(image);
}

}  // namespace

TInfoForm::TInfoForm(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint) {
  setObjectName("InfoForm");
  setAttribute(Qt::WA_ShowWithoutActivating);

  panel1_ = new QFrame(this);
  panel1_->setObjectName("Panel1");
  panel1_->setFrameStyle(QFrame::Box | QFrame::Plain);
  panel1_->setLineWidth(1);
  panel1_->setMouseTracking(true);

  image1_ = new QLabel(panel1_);
  image1_->setObjectName("Image1");
  image1_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  image1_->setMouseTracking(true);

  shape1_ = new QFrame(image1_);
  shape1_->setObjectName("Shape1");
  shape1_->setFrameStyle(QFrame::Box | QFrame::Plain);
  shape1_->setLineWidth(1);
  shape1_->setGeometry(0, 0, kCoverSize, kCoverSize);
  shape1_->setAttribute(Qt::WA_TransparentForMouseEvents);

  label1_ = new QLabel(panel1_);
  label1_->setObjectName("Label1");
  label1_->setTextFormat(Qt::PlainText);  // descriptions are text, never markup
  label1_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label1_->setWordWrap(true);
  label1_->setMouseTracking(true);

  speedButton1_ = new QToolButton(panel1_);
  speedButton1_->setObjectName("SpeedButton1");
  speedButton1_->setText(QStringLiteral("Закрыть"));
  speedButton1_->resize(65, 22);
  speedButton1_->hide();
  connect(speedButton1_, &QToolButton::clicked, this, &TInfoForm::Button1Click);

  closeTimer_ = new QTimer(this);
  closeTimer_->setObjectName("CloseTimer");
  closeTimer_->setInterval(kGraceMs);
  closeTimer_->setSingleShot(true);
  connect(closeTimer_, &QTimer::timeout, this, &TInfoForm::CloseTimerTimer);

  for (QWidget* w : {static_cast<QWidget*>(panel1_), static_cast<QWidget*>(image1_), static_cast<QWidget*>(label1_)})
    w->installEventFilter(this);

  resize(kClientWidth, kUnfittedHeight);
}

void TInfoForm::PrepareCd(const std::string& description, int cdNumber) {
  label1_->clear();
  resize(kClientWidth, kUnfittedHeight);
  label1_->setText(QString::fromStdString(description));
  const int textHeight = std::max(kMinLabelHeight, label1_->heightForWidth(kLabelWidth));
  label1_->setGeometry(kLabelLeft, kInset, kLabelWidth, textHeight);
  // The window fits the text inside the panel's frame; a short text still
  // leaves room for the whole cover.
  resize(kClientWidth, std::max(textHeight, kCoverSize) + 2 * kInset);
  speedButton1_->move(width() - kButtonFromRight, height() - kButtonFromBottom);
  tag_ = cdNumber;
}

void TInfoForm::ShowAt(QPoint screenPos) {
  move(screenPos);
  if (isVisible()) {
    // Already up for another CD: no show event comes, so start afresh here.
    FormActivate();
    raise();
  } else {
    show();
  }
}

void TInfoForm::ShowCd(const std::string& description, int cdNumber, QPoint screenPos) {
  PrepareCd(description, cdNumber);
  ShowAt(screenPos);
}

void TInfoForm::ShowCd(const std::string& description, int cdNumber, const std::function<QPoint(QSize)>& place) {
  PrepareCd(description, cdNumber);
  ShowAt(place ? place(size()) : pos());
}

void TInfoForm::FormActivate() {
  QPixmap canvas(kCoverSize, kCoverSize);
  canvas.fill(Qt::white);
  closeTimer_->stop();
  {
    QPainter painter(&canvas);
    painter.drawPixmap(0, 0, CoverFor(tag_));
  }
  image1_->setPixmap(canvas);
  closeTimer_->start();
}

int TInfoForm::CoverList(int cdNumber) { return cdNumber <= kLastOfFirstList ? 1 : 2; }

int TInfoForm::CoverIndex(int cdNumber) {
  if (CoverList(cdNumber) == 1) return std::max(0, cdNumber);
  return cdNumber - kFirstOfSecondList;
}

QPixmap TInfoForm::CoverFor(int cdNumber) {
  return CoverImage(CoverList(cdNumber), CoverIndex(cdNumber), std::max(0, cdNumber));
}

bool TInfoForm::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseMove:
      // Within the grace period after showing, the pointer may cross the
      // window (it often lies under it when it appears).
      if (!closeTimer_->isActive()) hide();
      return true;
    case QEvent::MouseButtonRelease:
      // Over the text or the panel a release closes; over the cover it does
      // nothing, and it must not reach the panel underneath.
      if (watched == label1_ || watched == panel1_) hide();
      return true;
    default:
      return QWidget::eventFilter(watched, event);
  }
}

void TInfoForm::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  FormActivate();
}

void TInfoForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Layout();
}

void TInfoForm::keyPressEvent(QKeyEvent* event) {
  if (onKey)
    onKey(event);
  else
    QWidget::keyPressEvent(event);
}

void TInfoForm::CloseTimerTimer() { closeTimer_->stop(); }

void TInfoForm::Button1Click() { hide(); }

void TInfoForm::Layout() {
  panel1_->setGeometry(rect());
  image1_->setGeometry(kInset, kInset, kCoverSize, std::max(kCoverSize, height() - 2 * kInset));
}

}  // namespace trakvella

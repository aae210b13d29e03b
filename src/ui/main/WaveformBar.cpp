#include "ui/main/WaveformBar.h"

#include <QImage>
#include <QPainter>
#include <QResizeEvent>
#include <algorithm>
#include <cmath>
#include <utility>

namespace trakvella {

WaveformBar::WaveformBar(QWidget* parent) : QProgressBar(parent) {
  // One reading at a time: a new preview stops the one before and drops those still waiting.
  worker_.setMaxThreadCount(1);
}

WaveformBar::~WaveformBar() {
  stop_.request_stop();
  worker_.clear();
  worker_.waitForDone();
}

int WaveformBar::DeviceWidth() const {
  return std::max(1, static_cast<int>(std::lround(width() * devicePixelRatioF())));
}

void WaveformBar::ShowPreview(const QString& key, PeakReader reader) {
  if (key == key_ && reader_) return;
  key_ = key;
  reader_ = std::move(reader);
  peaks_.clear();
  update();
  Request();
}

void WaveformBar::ClearPreview() {
  if (!reader_ && peaks_.empty()) return;  // asked at every tick of the player's timer
  key_.clear();
  reader_ = nullptr;
  peaks_.clear();
  stop_.request_stop();
  worker_.clear();
  ++generation_;
  update();
}

void WaveformBar::Request() {
  if (!reader_) return;
  stop_.request_stop();
  worker_.clear();
  stop_ = std::stop_source();
  const unsigned generation = ++generation_;
  const std::size_t points = static_cast<std::size_t>(DeviceWidth());
  requestedPoints_ = points;
  worker_.start([this, generation, points, reader = reader_, stop = stop_.get_token()] {
    Result<Peaks> peaks = reader(points, stop);
    if (!peaks.ok() || stop.stop_requested()) return;  // a file that cannot be read keeps the plain bar
    QMetaObject::invokeMethod(
        this,
        [this, generation, read = std::move(peaks->points)]() mutable {
          if (generation != generation_) return;  // an earlier preview's, or an earlier width's
          peaks_ = std::move(read);
          update();
        },
        Qt::QueuedConnection);
  });
}

void WaveformBar::resizeEvent(QResizeEvent* event) {
  QProgressBar::resizeEvent(event);
  // The drawn peaks stretch until those of the new width come (from the cache, at once).
  if (reader_ && static_cast<std::size_t>(DeviceWidth()) != requestedPoints_) Request();
}

void WaveformBar::paintEvent(QPaintEvent* event) {
  if (peaks_.empty()) {
    QProgressBar::paintEvent(event);
    return;
  }
  // Drawn in device pixels, one column per pixel, so the bar is sharp at every screen scale.
  const qreal ratio = devicePixelRatioF();
  const int w = DeviceWidth();
  const int h = std::max(1, static_cast<int>(std::lround(height() * ratio)));
  QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
  image.fill(palette().color(QPalette::Base));
  const QRgb played = palette().color(QPalette::Highlight).rgba();
  const QRgb rest = palette().color(QPalette::WindowText).rgba();
  const long long span = std::max(1, maximum() - minimum());
  const long long playedColumns = (static_cast<long long>(value() - minimum()) * w) / span;
  const double half = (h - 1) / 2.0;
  auto row = [&](int sample) { return static_cast<int>(std::lround(half - sample / 32768.0 * half)); };
  for (int x = 0; x < w; ++x) {
    const PeakPoint& p = peaks_[static_cast<std::size_t>(x) * peaks_.size() / static_cast<std::size_t>(w)];
    const int top = std::clamp(row(p.max), 0, h - 1);
    const int bottom = std::clamp(row(p.min), top, h - 1);
    const QRgb colour = x < playedColumns ? played : rest;
    for (int y = top; y <= bottom; ++y) reinterpret_cast<QRgb*>(image.scanLine(y))[x] = colour;
  }
  image.setDevicePixelRatio(ratio);
  QPainter painter(this);
  painter.drawImage(QPointF(0, 0), image);
}

}  // namespace trakvella

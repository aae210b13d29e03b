#pragma once
// WaveformBar: the player's position bar (PlayBar). Once the peaks of the opened preview are read, it
// draws them per device pixel column, least to greatest sample, the played part in the highlight colour
// and the rest in the window text colour; until then, or when they cannot be read, it is the plain bar.
// The peaks are read on the bar's own worker thread and handed back by a queued call; a result for an
// earlier preview or width is dropped. The window thread never waits on the reading, except that the
// bar's end asks the reading to stop and waits for it.
#include <QProgressBar>
#include <QString>
#include <QThreadPool>
#include <cstddef>
#include <functional>
#include <stop_token>
#include <vector>

#include "ports/AudioPeaks.h"
#include "ports/Status.h"

namespace trakvella {

class WaveformBar : public QProgressBar {
  Q_OBJECT

 public:
  // Reads a preview's peaks in the points asked for, on the worker thread.
  using PeakReader = std::function<Result<Peaks>(std::size_t points, std::stop_token stop)>;

  explicit WaveformBar(QWidget* parent = nullptr);
  ~WaveformBar() override;

  // A new preview: the plain bar until `reader` gives its peaks. The same `key` again changes nothing.
  void ShowPreview(const QString& key, PeakReader reader);
  // No preview: the plain bar.
  void ClearPreview();
  // Whether the peaks of the current preview are drawn.
  bool HasPeaks() const { return !peaks_.empty(); }
  const QString& previewKey() const { return key_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Request();
  int DeviceWidth() const;

  QThreadPool worker_;
  std::stop_source stop_;
  unsigned generation_ = 0;
  QString key_;
  PeakReader reader_;
  std::vector<PeakPoint> peaks_;
  std::size_t requestedPoints_ = 0;
};

}  // namespace trakvella

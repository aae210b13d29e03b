// The waveform in the position bar: read on a worker while the window goes on, drawn in the
// palette's colours once read, and an earlier preview's peaks never drawn for a later one.
#include "ui/main/WaveformBar.h"

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QTimer>
#include <atomic>
#include <condition_variable>
#include <fstream>
#include <mutex>

#include <gtest/gtest.h>

#include "core/player/Player.h"
#include "support/ScriptedMediaDevice.h"
#include "ui/MainWindowFixture.h"

namespace trakvella::testing {
namespace {

// Blocks every reading until the test releases it; then gives points of ±(file size × 1000), or
// for a file of one byte no audio.
class HeldPeakDecoder : public AudioPeakDecoder {
 public:
  Result<Peaks> Decode(ReadableFile& file, std::size_t points, std::stop_token) override {
    ++started;
    std::unique_lock lock(mutex_);
    released_.wait(lock, [this] { return free_; });
    struct Finish {
      std::atomic<int>& count;
      ~Finish() { ++count; }
    } finish{finished};
    if (file.Size() == 1) return Status::Unsupported("not audio");
    const auto a = static_cast<std::int16_t>(std::min<std::uint64_t>(32767, file.Size() * 1000));
    Peaks peaks;
    peaks.frames = points;
    peaks.points.assign(points, PeakPoint{static_cast<std::int16_t>(-a), a});
    return peaks;
  }
  void Release() {
    std::lock_guard lock(mutex_);
    free_ = true;
    released_.notify_all();
  }
  std::atomic<int> started{0};
  std::atomic<int> finished{0};

 private:
  std::mutex mutex_;
  std::condition_variable released_;
  bool free_ = false;
};

struct WaveformInBar : MainWindowTest {
  ScriptedMediaDevice device;
  HeldPeakDecoder decoder;

  void SetUp() override {
    peakDecoder = &decoder;
    Start(&device);
    app().browser().GoToPlace("* ALL LIBRARY >> … ALL CDS");
    main->Refresh();
  }
  void TearDown() override {
    decoder.Release();
    MainWindowTest::TearDown();
  }
  WaveformBar* Bar() { return Control<WaveformBar>("PlayBar"); }
  // Row `row` plays the local file `name` of `bytes` bytes.
  void Open(int row, const std::string& name, int bytes) {
    const auto path = home.path() / name;
    std::ofstream(path) << std::string(static_cast<size_t>(bytes), 'x');
    const auto [cd, t] = app().browser().rows()[static_cast<size_t>(row)];
    app().catalogue().SetTrackLocation({cd, t}, path.string());
    app().browser().SelectRow(row);
    app().player().PlayCurrent(false);
  }
  // Window events until `done` holds (the worker's result arrives by a queued call).
  template <class F>
  bool EventsUntil(F done) {
    QElapsedTimer waited;
    waited.start();
    while (!done() && waited.elapsed() < 10000) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
  }
};

TEST_F(WaveformInBar, TheBarPaintsWhileTheDecoderRunsAndThenDrawsThePeaks) {
  Open(0, "first.wav", 30);
  ASSERT_TRUE(EventsUntil([&] { return decoder.started == 1; }));
  // The decoder holds its reading: the window answers and the bar paints, plain.
  const QImage plain = Bar()->grab().toImage();
  EXPECT_FALSE(plain.isNull());
  EXPECT_FALSE(Bar()->HasPeaks());
  main->Item("MMShowAllCDsItem")->trigger();
  EXPECT_GT(FileBox()->model()->rowCount(), 0);

  // A file without audio opens before the first is read: the first's peaks are never drawn for it.
  Open(1, "second.wav", 1);
  ASSERT_TRUE(EventsUntil([&] { return Bar()->previewKey().endsWith("second.wav"); }));
  decoder.Release();
  ASSERT_TRUE(EventsUntil([&] { return decoder.finished == 2; }));
  QCoreApplication::processEvents();
  EXPECT_FALSE(Bar()->HasPeaks());

  Open(2, "third.wav", 5);
  ASSERT_TRUE(EventsUntil([&] { return Bar()->HasPeaks(); }));
  main->findChild<QTimer*>("mpTimer")->stop();  // the bar keeps the position set below
  Bar()->setRange(0, 100);
  Bar()->setValue(50);
  const QImage drawn = Bar()->grab().toImage();
  const QPalette palette = Bar()->palette();
  const int middle = drawn.height() / 2;
  EXPECT_EQ(drawn.pixelColor(drawn.width() / 4, middle), palette.color(QPalette::Highlight));
  EXPECT_EQ(drawn.pixelColor(drawn.width() * 3 / 4, middle), palette.color(QPalette::WindowText));
  // The third file's small peaks: nothing near the top, as the first's would reach.
  EXPECT_EQ(drawn.pixelColor(drawn.width() * 3 / 4, 0), palette.color(QPalette::Base));
}

}  // namespace
}  // namespace trakvella::testing

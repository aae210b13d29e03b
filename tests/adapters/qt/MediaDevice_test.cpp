// The Qt media device against real media: an MP3 made here, played from the
// disk and streamed from a local HTTP server.
#include <QElapsedTimer>
#include <QProcess>
#include <QTest>
#include <filesystem>
#include <functional>
#include <memory>

#include <gtest/gtest.h>

#include "adapters/qt/QtMediaDevice.h"
#include "support/Fakes.h"
#include "support/LoopbackServer.h"

namespace trakvella {
namespace {

namespace fs = std::filesystem;

bool RunTool(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(30000)) {
    process.kill();
    process.waitForFinished();
    return false;
  }
  return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

// A two-second 440 Hz tone as a 64 kbit/s MP3.
bool MakeMp3(const fs::path& mp3) {
  const fs::path wav = mp3.parent_path() / "tone.wav";
  const QString script = QStringLiteral(
      "import math, struct, sys, wave\n"
      "w = wave.open(sys.argv[1], 'wb')\n"
      "w.setnchannels(1); w.setsampwidth(2); w.setframerate(44100)\n"
      "w.writeframes(b''.join(struct.pack('<h', int(12000 * math.sin(2 * math.pi * 440 * i / 44100)))"
      " for i in range(2 * 44100)))\n"
      "w.close()\n");
  return RunTool("python3", {"-c", script, QString::fromStdString(wav.string())}) &&
         RunTool("lame",
                 {"--quiet", "-b", "64", QString::fromStdString(wav.string()), QString::fromStdString(mp3.string())});
}

bool WaitFor(const std::function<bool()>& done, int ms) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < ms) QTest::qWait(20);
  return done();
}

class MediaDeviceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    mp3 = dir.path() / "KMLB_001_001 Tone.mp3";
    ASSERT_TRUE(MakeMp3(mp3)) << "python3 and lame make the test MP3";
  }

  // Opens, plays, and sees the position move; then the other commands. A
  // server that takes no ranges (python's http.server) cannot seek.
  void PlaysAndControls(const std::string& address, bool seekable) {
    QtMediaDevice device;
    EXPECT_EQ(device.Mode(), MediaMode::NotReady);
    EXPECT_FALSE(device.IsOpen());

    ASSERT_TRUE(device.Open(address)) << address;
    EXPECT_TRUE(device.IsOpen());
    EXPECT_EQ(device.Mode(), MediaMode::Open);

    ASSERT_TRUE(device.Play());
    EXPECT_EQ(device.Mode(), MediaMode::Playing);
    ASSERT_TRUE(WaitFor([&] { return device.PositionMs() > 0; }, 5000)) << "the position never moved";
    EXPECT_TRUE(WaitFor([&] { return device.LengthMs() > 1800; }, 2000)) << device.LengthMs();
    EXPECT_LE(device.LengthMs(), 2300);

    EXPECT_TRUE(device.Pause());
    EXPECT_EQ(device.Mode(), MediaMode::Paused);
    EXPECT_TRUE(device.Resume());
    EXPECT_EQ(device.Mode(), MediaMode::Playing);

    // Stop keeps the position: a seek is stop, move, play.
    const int64_t before = device.PositionMs();
    EXPECT_TRUE(device.Stop());
    EXPECT_EQ(device.Mode(), MediaMode::Stopped);
    QTest::qWait(100);
    EXPECT_GE(device.PositionMs(), before);
    if (seekable) {
      EXPECT_TRUE(device.Seek(1000));
      EXPECT_TRUE(WaitFor([&] { return device.PositionMs() >= 900; }, 2000)) << device.PositionMs();
    }
    EXPECT_TRUE(device.Play());
    EXPECT_EQ(device.Mode(), MediaMode::Playing);

    // Played to its end, the track reads as stopped.
    EXPECT_TRUE(WaitFor([&] { return device.Mode() == MediaMode::Stopped; }, 5000)) << static_cast<int>(device.Mode());

    EXPECT_TRUE(device.Close());
    EXPECT_FALSE(device.IsOpen());
    EXPECT_EQ(device.Mode(), MediaMode::NotReady);
    EXPECT_FALSE(device.Play());
  }

  testing::TempDir dir;
  fs::path mp3;
};

TEST_F(MediaDeviceTest, PlaysALocalMp3) { PlaysAndControls(mp3.string(), true); }

TEST_F(MediaDeviceTest, PlaysAnMp3StreamedOverHttp) {
  const testing::LoopbackServer server = testing::LoopbackServer::ServeFolder(dir.path());
  ASSERT_TRUE(server.Running()) << "python3 -m http.server did not start";
  PlaysAndControls(server.Url("KMLB_001_001%20Tone.mp3"), false);
}

TEST_F(MediaDeviceTest, OpeningWhatIsNotThereFailsAndLeavesTheDeviceClosed) {
  QtMediaDevice device(nullptr, 5000);
  EXPECT_FALSE(device.Open((dir.path() / "missing.mp3").string()));
  EXPECT_FALSE(device.IsOpen());
  EXPECT_FALSE(device.Play());

  const fs::path junk = dir.path() / "junk.mp3";
  testing::WriteFile(junk, std::string(4000, 'x'));
  EXPECT_FALSE(device.Open(junk.string()));
  EXPECT_EQ(device.Mode(), MediaMode::NotReady);

  // Nothing listens on a port just given back.
  EXPECT_FALSE(device.Open("http://127.0.0.1:" + std::to_string(testing::FreeLoopbackPort()) + "/a.mp3"));
  EXPECT_FALSE(device.IsOpen());

  // A failed open leaves the device usable.
  ASSERT_TRUE(device.Open(mp3.string()));
  EXPECT_EQ(device.Mode(), MediaMode::Open);
}

}  // namespace
}  // namespace trakvella

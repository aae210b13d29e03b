// The preview player without a window: starting tracks in the device or an
// outside player, the buttons, the timer's label and bar, seeking, non-stop
// play and background pausing, over a scripted media device.
#include "core/player/Player.h"

#include <functional>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/Fakes.h"

namespace trakvella::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// A media device that does what it is told at once and writes every command
// into a log; tests move its mode and position as playback would.
class ScriptedDevice : public MediaDevice {
 public:
  std::vector<std::string> log;
  MediaMode mode = MediaMode::NotReady;
  int64_t length = 0;
  int64_t position = 0;
  bool open = false;
  bool openWorks = true;
  std::function<void()> duringOpen;  // runs inside Open, as a slow open lets the timer tick

  bool Open(const std::string& address) override {
    log.push_back("Open " + address);
    if (duringOpen) duringOpen();
    open = openWorks;
    mode = openWorks ? MediaMode::Open : MediaMode::NotReady;
    position = 0;
    return openWorks;
  }
  bool Play() override { return Set("Play", MediaMode::Playing); }
  bool Pause() override { return Set("Pause", MediaMode::Paused); }
  bool Resume() override { return Set("Resume", MediaMode::Playing); }
  bool Stop() override { return Set("Stop", MediaMode::Stopped); }
  bool Close() override {
    log.push_back("Close");
    open = false;
    mode = MediaMode::NotReady;
    return true;
  }
  bool Seek(int64_t ms) override {
    log.push_back("Seek " + std::to_string(ms));
    position = ms;
    return open;
  }
  MediaMode Mode() const override { return mode; }
  int64_t LengthMs() const override { return length; }
  int64_t PositionMs() const override { return position; }
  bool IsOpen() const override { return open; }

  // The track played to its end.
  void End() {
    mode = MediaMode::Stopped;
    position = length;
  }

 private:
  bool Set(const char* command, MediaMode next) {
    log.push_back(command);
    if (!open) return false;
    mode = next;
    return true;
  }
};

// Records each outside program with its arguments, and what the desktop opened.
class RecordingShell : public Shell {
 public:
  std::vector<std::string> calls;
  bool OpenUrl(const std::string& url) override { return Record("url " + url); }
  bool OpenFile(const std::string& path) override { return Record("file " + path); }
  bool RevealFile(const std::string& path) override { return Record("reveal " + path); }
  bool Run(const std::string& program, const std::vector<std::string>& arguments) override {
    std::string call = "run " + program;
    for (const auto& a : arguments) call += " [" + a + "]";
    return Record(call);
  }

 private:
  bool Record(std::string call) {
    calls.push_back(std::move(call));
    return true;
  }
};

// A main track list of rows, the music set window's visibility, and the hooks'
// record: the status shown, and the pause after opening on a clock that moves
// only when slept on, with the window's progress pumped meanwhile.
class PlayerTest : public ::testing::Test {
 protected:
  ScriptedDevice device;
  RecordingShell shell;
  std::vector<std::string> rows{"/audio/KMLB_001_001 One.mp3", "/audio/KMLB_001_002 Two.mp3",
                                "/audio/KMLB_001_003 Three.mp3"};
  int selected = 0;
  bool musicSetVisible = false;
  std::string musicSetEntry = "http://demo.example/KMLB_007/KMLB_007_004.mp3";
  int statusShown = 0;
  FakeClock clock;
  struct Pumps : SilentProgress {
    int count = 0;
    std::function<void()> during;
    void pump() override {
      ++count;
      if (during) during();
    }
  } pumps;
  std::function<void()>& duringWait = pumps.during;

  Player player{device, shell,
                PlayerHooks{
                    .currentAddress =
                        [this] {
                          if (musicSetVisible) return musicSetEntry;
                          return selected >= 0 ? rows[static_cast<size_t>(selected)] : std::string();
                        },
                    .selectedRow = [this] { return selected; },
                    .rowCount = [this] { return static_cast<int>(rows.size()); },
                    .selectNextRow = [this] { ++selected; },
                    .musicSetVisible = [this] { return musicSetVisible; },
                    .showTrackStatus = [this] { ++statusShown; },
                    .clock = &clock,
                    .progress = &pumps,
                }};

  // Starts the selected row from the Play button and lets the timer see it playing.
  void PlaySelected() {
    device.length = 120000;
    player.Play();
    player.Tick();
  }
};

TEST_F(PlayerTest, PlayButtonStopsShowsStatusOpensWaitsAndPlays) {
  selected = 1;
  player.Play();
  EXPECT_THAT(device.log, ElementsAre("Open /audio/KMLB_001_002 Two.mp3", "Play"));
  EXPECT_EQ(clock.slept, 200);
  EXPECT_GT(pumps.count, 0);  // the window goes on answering meanwhile
  EXPECT_EQ(statusShown, 1);
  EXPECT_EQ(player.Address(), "/audio/KMLB_001_002 Two.mp3");
  EXPECT_FALSE(player.Busy());

  // A new start stops what plays first.
  device.log.clear();
  selected = 2;
  player.PlayCurrent(true);
  EXPECT_THAT(device.log, ElementsAre("Stop", "Open /audio/KMLB_001_003 Three.mp3", "Play"));

  // Without a selected row, or without rows, the Play button does nothing.
  device.log.clear();
  selected = -1;
  player.Play();
  selected = 0;
  rows.clear();
  player.Play();
  EXPECT_THAT(device.log, IsEmpty());
}

TEST_F(PlayerTest, WithAutoplayOffASinglePressOnlyLoadsAndShowsTheStatus) {
  PlaySelected();
  ASSERT_EQ(player.PlayingFrom(), PlaySource::TrackList);
  device.log.clear();

  selected = 2;
  player.PlayCurrent(false);
  EXPECT_THAT(device.log, ElementsAre("Stop"));
  EXPECT_EQ(player.Address(), "/audio/KMLB_001_003 Three.mp3");
  EXPECT_EQ(statusShown, 2);
  EXPECT_EQ(player.PlayingFrom(), PlaySource::None);

  // With autoplay on, the same press plays.
  player.Switches().autoplay = true;
  device.log.clear();
  player.PlayCurrent(false);
  EXPECT_THAT(device.log, ElementsAre("Open /audio/KMLB_001_003 Three.mp3", "Play"));
}

TEST_F(PlayerTest, AStartRequestedWhileAnotherIsUnderWayIsIgnored) {
  int nested = 0;
  duringWait = [&] {
    EXPECT_TRUE(player.Busy());
    ++nested;
    selected = 2;
    player.PlayCurrent(true);
    player.Play();
  };
  player.Play();
  EXPECT_GT(nested, 0);
  EXPECT_THAT(device.log, ElementsAre("Open /audio/KMLB_001_001 One.mp3", "Play"));
  EXPECT_FALSE(player.Busy());
}

TEST_F(PlayerTest, AFailedOpenIsSwallowedAndTheNextStartWorks) {
  device.openWorks = false;
  player.Play();
  EXPECT_THAT(device.log, ElementsAre("Open /audio/KMLB_001_001 One.mp3"));
  EXPECT_EQ(clock.slept, 0);
  EXPECT_FALSE(player.Busy());

  device.openWorks = true;
  device.log.clear();
  player.Play();
  EXPECT_THAT(device.log, ElementsAre("Open /audio/KMLB_001_001 One.mp3", "Play"));
}

// A demo the server answers with "not found": the device refuses at once, and
// the label shows the waiting dots and then the failure as for a start that hangs.
TEST_F(PlayerTest, ARefusedOpenWaitsIntoTheFailureAndTheNextStartCountsAfresh) {
  device.openWorks = false;
  player.Play();
  EXPECT_TRUE(player.StartFailed());
  player.Tick();
  EXPECT_EQ(player.TimeLabel(), ".");
  for (int tick = 2; tick <= 251; ++tick) player.Tick();
  EXPECT_EQ(player.TimeLabel(), ":-(");
  EXPECT_TRUE(player.TimeLabelYellow());
  EXPECT_TRUE(player.InFailureState());
  EXPECT_EQ(player.PlayingFrom(), PlaySource::None);

  // Another missing demo waits from the first dot again, not straight into ":-(".
  player.Play();
  player.Tick();
  EXPECT_EQ(player.TimeLabel(), ".");
  EXPECT_FALSE(player.TimeLabelYellow());

  // A single press that only loads a track leaves nothing waiting; a start that plays clears it all.
  player.PlayCurrent(false);
  player.Tick();
  EXPECT_EQ(player.TimeLabel(), "");
  device.openWorks = true;
  player.Play();
  player.Tick();
  EXPECT_EQ(player.TimeLabel(), "00:00");
  EXPECT_FALSE(player.StartFailed());
  EXPECT_FALSE(player.InFailureState());
}

TEST_F(PlayerTest, WhileAStartHangsTheLabelCountsDotsThenGivesUpAndStopClosesTheDevice) {
  std::vector<std::string> labels;
  device.duringOpen = [&] {
    for (int tick = 1; tick <= 251; ++tick) {
      player.Tick();
      labels.push_back(player.TimeLabel());
      if (tick == 250) {
        EXPECT_FALSE(player.InFailureState());
        EXPECT_FALSE(player.TimeLabelYellow());
      }
    }
  };
  player.Play();
  EXPECT_EQ(labels[0], ".");
  EXPECT_EQ(labels[4], ".....");
  EXPECT_EQ(labels[5], "");
  EXPECT_EQ(labels[6], ".");
  EXPECT_EQ(labels[249], "....");  // 250 ticks: 250 mod 6 dots
  EXPECT_EQ(labels[250], ":-(");
  EXPECT_TRUE(player.TimeLabelYellow());
  EXPECT_TRUE(player.InFailureState());
  EXPECT_EQ(player.TickCounter(), 251);

  // The device plays after all; Stop before the next tick closes it.
  ASSERT_EQ(device.mode, MediaMode::Playing);
  device.log.clear();
  player.Stop();
  EXPECT_THAT(device.log, ElementsAre("Close"));
  EXPECT_EQ(player.PlayingFrom(), PlaySource::None);
}

TEST_F(PlayerTest, StopStopsAnActiveDeviceBeforeTheFailureAndOnlyWithTheBuiltInPlayer) {
  device.duringOpen = [&] {
    for (int tick = 0; tick < 250; ++tick) player.Tick();
  };
  player.Play();
  device.log.clear();
  player.Stop();
  EXPECT_THAT(device.log, ElementsAre("Stop"));

  // Nothing under way: nothing to stop.
  device.log.clear();
  player.Stop();
  EXPECT_THAT(device.log, IsEmpty());

  device.mode = MediaMode::Playing;
  player.Switches().builtIn = false;
  player.Stop();
  player.TogglePause();
  EXPECT_THAT(device.log, IsEmpty());
}

TEST_F(PlayerTest, TickShowsThePositionAndTheTrackBarAndClearsTheFailure) {
  device.duringOpen = [&] {
    for (int tick = 0; tick < 300; ++tick) player.Tick();
  };
  PlaySelected();
  device.position = 65432;
  player.Tick();
  EXPECT_EQ(player.TimeLabel(), "01:05");
  EXPECT_EQ(player.TickCounter(), 0);
  EXPECT_FALSE(player.TimeLabelYellow());
  EXPECT_FALSE(player.InFailureState());
  EXPECT_EQ(player.BarMax(), 120000);
  EXPECT_EQ(player.BarPosition(), 65432);

  // Nothing plays and nothing starts: the label empties, the bar goes to 0.
  device.End();
  player.Tick();
  EXPECT_EQ(player.TimeLabel(), "");
  EXPECT_EQ(player.BarPosition(), 0);
  EXPECT_EQ(player.PlayingFrom(), PlaySource::None);
}

TEST_F(PlayerTest, ArrowKeysSeekByFiveSecondsOnTheNextTick) {
  PlaySelected();
  device.position = 30000;
  device.log.clear();

  player.RightKeyDown();
  EXPECT_EQ(player.SeekStep(), 5000);
  player.Tick();
  EXPECT_THAT(device.log, ElementsAre("Stop", "Seek 35000", "Play"));
  EXPECT_EQ(player.SeekStep(), 0);
  EXPECT_EQ(player.TimeLabel(), "00:35");

  // Held down, the key repeats: one step per repeat.
  player.RightKeyDown();
  player.Tick();
  player.RightKeyDown();
  player.Tick();
  EXPECT_EQ(device.position, 45000);

  player.LeftKeyDown();
  EXPECT_EQ(player.SeekStep(), -5000);
  player.ArrowKeyUp();
  EXPECT_EQ(player.SeekStep(), 0);
  device.log.clear();
  player.Tick();
  EXPECT_THAT(device.log, IsEmpty());

  // Near the start, Left goes to the start; near the end, Right to the end.
  device.position = 2000;
  player.LeftKeyDown();
  player.Tick();
  EXPECT_EQ(device.position, 0);
  device.position = 118000;
  player.RightKeyDown();
  player.Tick();
  EXPECT_EQ(device.position, 120000);
}

TEST_F(PlayerTest, AClickOnThePositionBarSeeksThereWhilePlayingOnly) {
  PlaySelected();
  device.log.clear();
  player.SeekToBar(100, 400);
  EXPECT_THAT(device.log, ElementsAre("Stop", "Seek 30000", "Play"));

  device.End();
  device.log.clear();
  player.SeekToBar(100, 400);
  EXPECT_THAT(device.log, IsEmpty());
}

TEST_F(PlayerTest, NonStopGoesOnWithTheNextRowOfTheMainList) {
  player.Switches().nonStop = true;
  PlaySelected();
  ASSERT_EQ(player.PlayingFrom(), PlaySource::TrackList);
  device.End();
  device.log.clear();
  player.Tick();
  EXPECT_EQ(selected, 1);
  EXPECT_THAT(device.log, ElementsAre("Open /audio/KMLB_001_002 Two.mp3", "Play"));

  // The next tick sees it playing; at the end of the last row nothing follows.
  player.Tick();
  device.End();
  player.Tick();
  EXPECT_EQ(selected, 2);
  player.Tick();
  device.End();
  device.log.clear();
  player.Tick();
  EXPECT_EQ(selected, 2);
  EXPECT_THAT(device.log, IsEmpty());
  EXPECT_EQ(player.PlayingFrom(), PlaySource::None);
}

TEST_F(PlayerTest, NonStopNeverAdvancesTheMainListAfterATrackOfTheMusicSet) {
  player.Switches().nonStop = true;
  musicSetVisible = true;
  PlaySelected();
  EXPECT_EQ(device.log.front(), "Open " + musicSetEntry);
  EXPECT_EQ(player.PlayingFrom(), PlaySource::MusicSet);
  device.End();
  device.log.clear();
  player.Tick();
  EXPECT_EQ(selected, 0);
  EXPECT_THAT(device.log, IsEmpty());

  // Nor does the main list go on with the switch off.
  musicSetVisible = false;
  player.Switches().nonStop = false;
  PlaySelected();
  device.End();
  player.Tick();
  EXPECT_EQ(selected, 0);
}

TEST_F(PlayerTest, WithoutTheBuiltInPlayerTheWholeAddressGoesToTheOutsidePlayer) {
  player.Switches().builtIn = false;
  rows[0] = "/home/me/audio/KMLB_001_001 One Two.mp3";
  player.Play();
  EXPECT_THAT(shell.calls, ElementsAre("file /home/me/audio/KMLB_001_001 One Two.mp3"));

  musicSetVisible = true;
  player.Play();
  EXPECT_EQ(shell.calls.back(), "url " + musicSetEntry);

  // A user player gets the address as one argument, blanks and all.
  musicSetVisible = false;
  player.SetUserPlayer("/opt/player/bin/play");
  player.Play();
  EXPECT_EQ(shell.calls.back(), "run /opt/player/bin/play [/home/me/audio/KMLB_001_001 One Two.mp3]");
  EXPECT_THAT(device.log, IsEmpty());
  EXPECT_EQ(statusShown, 0);

  // A single press with autoplay off only shows the status.
  shell.calls.clear();
  player.PlayCurrent(false);
  EXPECT_THAT(shell.calls, IsEmpty());
  EXPECT_EQ(statusShown, 1);
  EXPECT_THAT(device.log, IsEmpty());

  // With autoplay on, the press hands the track over too.
  player.Switches().autoplay = true;
  player.PlayCurrent(false);
  EXPECT_EQ(shell.calls.size(), 1u);
}

TEST_F(PlayerTest, PauseButtonTogglesAndTheApplicationPausesInTheBackground) {
  PlaySelected();
  device.log.clear();
  player.TogglePause();
  player.TogglePause();
  EXPECT_THAT(device.log, ElementsAre("Pause", "Resume"));

  device.log.clear();
  player.Deactivated();
  EXPECT_EQ(device.mode, MediaMode::Paused);
  player.Activated();
  EXPECT_EQ(device.mode, MediaMode::Playing);
  EXPECT_THAT(device.log, ElementsAre("Pause", "Resume"));

  // A pause made with the button ends with the activation too.
  player.TogglePause();
  player.Activated();
  EXPECT_EQ(device.mode, MediaMode::Playing);

  // Background play keeps the track going.
  player.Switches().backgroundPlay = true;
  device.log.clear();
  player.Deactivated();
  EXPECT_EQ(device.mode, MediaMode::Playing);
  player.TogglePause();
  player.Activated();
  EXPECT_EQ(device.mode, MediaMode::Paused);
  EXPECT_THAT(device.log, ElementsAre("Pause"));
}

}  // namespace
}  // namespace trakvella::testing

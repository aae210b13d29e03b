#pragma once
// Player: the preview player of the main window — starting a track inside or outside the program,
// the buttons, the 30 ms tick, seeking, non-stop and background play. App owns it; device and shell are borrowed.
#include <cstdint>
#include <functional>
#include <string>

#include "ports/Clock.h"
#include "ports/MediaDevice.h"
#include "ports/Progress.h"
#include "ports/Shell.h"

namespace trakvella {

// What the player asks of the windows around it. Any hook may be left empty:
// it then answers "nothing" (empty address, no row, hidden window) or does nothing.
struct PlayerHooks {
  // The address of the current track: a local path or a demo URL.
  std::function<std::string()> currentAddress;
  // The main track list: the selected row (-1 for none), the number of rows,
  // and selecting the row after the selected one.
  std::function<int()> selectedRow;
  std::function<int()> rowCount;
  std::function<void()> selectNextRow;
  // Whether the music set window is showing (its entry is then the current track).
  std::function<bool()> musicSetVisible;
  // Shows the current track's fields in the status bar.
  std::function<void()> showTrackStatus;
  // The pause between opening a track and playing it passes on this clock, with
  // this progress pumped meanwhile (WaitPumping); without both there is none.
  Clock* clock = nullptr;
  Progress* progress = nullptr;
};

// The playback menu's check marks.
struct PlayerSwitches {
  bool autoplay = false;
  bool nonStop = false;
  bool backgroundPlay = false;
  bool builtIn = true;  // on: previews play inside the program
};

// Where the track the device played at the last tick was started from.
enum class PlaySource { None, TrackList, MusicSet };

// The window owns the timer and draws what this object holds (time label,
// position bar).
class Player {
 public:
  // Ticks the time label counts while a start hangs before it shows the failure.
  static constexpr int kFailureTicks = 250;
  static constexpr int kSeekStepMs = 5000;
  static constexpr int kOpenWaitMs = 200;

  Player(MediaDevice& device, Shell& shell, PlayerHooks hooks);

  // Starts the current track: in the outside player when the built-in one is
  // off, else in the device — played when asked from the Play button or with
  // autoplay on, otherwise only loaded (and its status shown).
  void PlayCurrent(bool fromPlayButton);

  void Play();
  void TogglePause();
  void Stop();
  // The timer, every 30 ms.
  void Tick();
  // A click at pixel x of a position bar barWidth pixels wide.
  void SeekToBar(int x, int barWidth);

  // Left and Right seek by 5 seconds per key-down (repeats included) while playing.
  void LeftKeyDown() { seekStep_ = -kSeekStepMs; }
  void RightKeyDown() { seekStep_ = kSeekStepMs; }
  void ArrowKeyUp() { seekStep_ = 0; }

  // The application lost or regained the focus: pauses and resumes unless
  // background play is on.
  void Deactivated();
  void Activated();

  // Closes the device (library initialisation, program end).
  void CloseDevice();

  // The time label waited so long for a start that it gave up (":-("); the
  // Stop button then closes the device, and the program must not wait for it
  // when it ends.
  bool InFailureState() const { return tickCounter_ > kFailureTicks; }

  PlaySource PlayingFrom() const { return playingFrom_; }
  bool Busy() const { return busy_; }
  // The last start asked to play and the device refused (a missing demo, an
  // unreadable file): the label waits on into the failure state.
  bool StartFailed() const { return startFailed_; }
  int SeekStep() const { return seekStep_; }
  // The address the device was last given (loaded, maybe not opened).
  const std::string& Address() const { return address_; }

  const std::string& TimeLabel() const { return timeLabel_; }
  int TickCounter() const { return tickCounter_; }
  bool TimeLabelYellow() const { return timeLabelYellow_; }
  int64_t BarMax() const { return barMax_; }
  int64_t BarPosition() const { return barPosition_; }

  PlayerSwitches& Switches() { return switches_; }
  const PlayerSwitches& Switches() const { return switches_; }
  const std::string& UserPlayer() const { return userPlayer_; }
  void SetUserPlayer(std::string path) { userPlayer_ = std::move(path); }
  // The user chose their own player program: it plays previews from now on.
  void ChooseUserPlayer(std::string path);

 private:
  void PlayOutside(const std::string& address);
  // Stops, then opens and plays the current track (only stops when play is false); false when the
  // device could not open or play it.
  [[nodiscard]] bool StartInDevice(bool play);
  int SelectedRow() const;
  int RowCount() const;
  bool MusicSetVisible() const;

  MediaDevice& device_;
  Shell& shell_;
  PlayerHooks hooks_;
  PlayerSwitches switches_;
  std::string userPlayer_;

  PlaySource playingFrom_ = PlaySource::None;  // non-stop play goes on only from the track list
  bool busy_ = false;
  bool startFailed_ = false;
  int seekStep_ = 0;
  std::string address_;

  std::string timeLabel_;
  int tickCounter_ = 0;
  bool timeLabelYellow_ = false;
  int64_t barMax_ = 0;
  int64_t barPosition_ = 0;
};

}  // namespace trakvella

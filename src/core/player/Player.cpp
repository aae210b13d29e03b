#include "core/player/Player.h"

#include <algorithm>
#include <exception>
#include <utility>

#include "core/catalogue/TrackCodes.h"
#include "core/text/Text.h"

namespace trakvella {
namespace {

bool IsWebAddress(const std::string& address) {
  return StartsWithLowerCase(address, "http://") || StartsWithLowerCase(address, "https://") ||
         StartsWithLowerCase(address, "ftp://");
}

}  // namespace

Player::Player(MediaDevice& device, Shell& shell, PlayerHooks hooks)
    : device_(device), shell_(shell), hooks_(std::move(hooks)) {}

int Player::SelectedRow() const { return hooks_.selectedRow ? hooks_.selectedRow() : -1; }
int Player::RowCount() const { return hooks_.rowCount ? hooks_.rowCount() : 0; }
bool Player::MusicSetVisible() const { return hooks_.musicSetVisible && hooks_.musicSetVisible(); }

void Player::PlayCurrent(bool fromPlayButton) {
  const bool play = fromPlayButton || switches_.autoplay;
  if (!switches_.builtIn && play) {
    PlayOutside(hooks_.currentAddress ? hooks_.currentAddress() : std::string());
    return;
  }
  if (busy_) return;
  busy_ = true;
  // The flag must come down whatever happens in between, or the player would
  // refuse every later start.
  struct ClearBusy {
    bool& flag;
    ~ClearBusy() { flag = false; }
  } clear{busy_};
  // A start that fails leaves the label's waiting dots to tell the user.
  startFailed_ = !StartInDevice(play);
}

bool Player::StartInDevice(bool play) {
  Stop();
  // A new start counts its own waiting from nothing.
  startFailed_ = false;
  tickCounter_ = 0;
  if (hooks_.showTrackStatus) hooks_.showTrackStatus();
  address_ = hooks_.currentAddress ? hooks_.currentAddress() : std::string();
  if (!play) {
    playingFrom_ = PlaySource::None;
    return true;
  }
  // A demo the server does not have (or a file that cannot be read) fails at
  // once; the label then goes on waiting as for a start that hangs, so the
  // dots and then ":-(" tell the user that nothing will play.
  if (!device_.Open(address_)) return false;
  if (hooks_.clock && hooks_.progress) WaitPumping(*hooks_.clock, *hooks_.progress, kOpenWaitMs);
  return device_.Play();
}

void Player::PlayOutside(const std::string& address) {
  // The address travels as one whole argument, blanks and all; the result of
  // the outside program is not checked.
  if (!userPlayer_.empty()) {
    (void)shell_.Run(userPlayer_, {address});
  } else if (IsWebAddress(address)) {
    (void)shell_.OpenUrl(address);
  } else {
    (void)shell_.OpenFile(address);
  }
}

void Player::Play() {
  if (RowCount() > 0 && SelectedRow() >= 0) PlayCurrent(true);
}

// The device commands below report whether they worked; the player does not
// ask: the next tick reads the mode the device is in and shows that.
void Player::TogglePause() {
  if (!switches_.builtIn) return;
  switch (device_.Mode()) {
    case MediaMode::Playing:
      (void)device_.Pause();
      break;
    case MediaMode::Paused:
      (void)device_.Resume();
      break;
    default:
      break;
  }
}

void Player::Stop() {
  if (!switches_.builtIn || !IsActive(device_.Mode())) return;
  if (InFailureState()) {
    (void)device_.Close();
  } else {
    (void)device_.Stop();
  }
  playingFrom_ = PlaySource::None;
}

void Player::Tick() {
  if (IsActive(device_.Mode()) && device_.IsOpen()) {
    playingFrom_ = MusicSetVisible() ? PlaySource::MusicSet : PlaySource::TrackList;
    if (seekStep_ != 0) {
      int64_t target = device_.PositionMs() + seekStep_;
      const int64_t length = device_.LengthMs();
      if (length > 0) target = std::min(target, length);
      target = std::max<int64_t>(target, 0);
      (void)device_.Stop();
      (void)device_.Seek(target);
      (void)device_.Play();
      seekStep_ = 0;
    }
    startFailed_ = false;
    const int64_t position = device_.PositionMs();
    timeLabel_ = FormatDuration(position, DurationForm::MinutesSeconds, Language::English);
    tickCounter_ = 0;
    timeLabelYellow_ = false;
    barMax_ = device_.LengthMs();
    barPosition_ = position;
    return;
  }

  if (busy_ || startFailed_) {
    ++tickCounter_;
    if (tickCounter_ <= kFailureTicks) {
      timeLabel_.assign(static_cast<size_t>(tickCounter_ % 6), '.');
      timeLabelYellow_ = false;
    } else {
      timeLabel_ = ":-(";
      timeLabelYellow_ = true;
    }
  } else {
    timeLabel_.clear();
    timeLabelYellow_ = false;
  }
  barPosition_ = 0;

  // The track from the main list ended: go on with the next row. A track the
  // music set window started never moves the main list.
  const int row = SelectedRow();
  if (playingFrom_ == PlaySource::TrackList && switches_.nonStop && row >= 0 && row < RowCount() - 1) {
    playingFrom_ = PlaySource::None;
    Stop();
    if (hooks_.selectNextRow) hooks_.selectNextRow();
    Play();
  }
  playingFrom_ = PlaySource::None;
}

void Player::SeekToBar(int x, int barWidth) {
  if (barWidth <= 0 || !IsActive(device_.Mode())) return;
  (void)device_.Stop();
  const double length = static_cast<double>(device_.LengthMs());
  (void)device_.Seek(static_cast<int64_t>(length / barWidth * x));
  (void)device_.Play();
}

void Player::Deactivated() {
  if (!switches_.backgroundPlay && device_.Mode() == MediaMode::Playing) (void)device_.Pause();
}

void Player::Activated() {
  if (!switches_.backgroundPlay && device_.Mode() == MediaMode::Paused) (void)device_.Resume();
}

void Player::CloseDevice() {
  (void)device_.Close();  // closed or never open: nothing is left playing either way
  startFailed_ = false;
  playingFrom_ = PlaySource::None;
}

void Player::ChooseUserPlayer(std::string path) {
  userPlayer_ = std::move(path);
  switches_.builtIn = false;
}

}  // namespace trakvella

#pragma once
// MediaDevice: one audio player the preview player drives — a local file or an HTTP MP3 stream; every
// command answers whether it worked, none throws. An abstract port: the program start owns the Qt one.
#include <cstdint>
#include <string>

namespace trakvella {

// What the device is doing; the numbers are the ones the player has always used.
enum class MediaMode {
  NotReady = 0,  // nothing opened, or the media could not be read
  Stopped = 1,   // opened, stopped (at the end or by Stop) where the position stands
  Playing = 2,
  Recording = 3,
  Seeking = 4,
  Paused = 5,
  Open = 6,  // opened and loaded, not yet played
};

class MediaDevice {
 public:
  virtual ~MediaDevice() = default;

  // Opens a local path or an http(s) address (streamed), closing what was
  // open. Returns when the media is ready to play or has failed to open.
  [[nodiscard]] virtual bool Open(const std::string& address) = 0;
  [[nodiscard]] virtual bool Play() = 0;
  [[nodiscard]] virtual bool Pause() = 0;
  // Continues after Pause.
  [[nodiscard]] virtual bool Resume() = 0;
  // Stops where the position stands; Play continues from there.
  [[nodiscard]] virtual bool Stop() = 0;
  [[nodiscard]] virtual bool Close() = 0;
  [[nodiscard]] virtual bool Seek(int64_t positionMs) = 0;

  virtual MediaMode Mode() const = 0;
  virtual int64_t LengthMs() const = 0;
  virtual int64_t PositionMs() const = 0;
  [[nodiscard]] virtual bool IsOpen() const = 0;
};

// Playing or paused: the device has a track under way.
inline bool IsActive(MediaMode mode) { return mode == MediaMode::Playing || mode == MediaMode::Paused; }

}  // namespace trakvella

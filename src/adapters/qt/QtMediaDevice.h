#pragma once
// QtMediaDevice: the MediaDevice port over Qt Multimedia, one QMediaPlayer with its own audio output.
// The program start owns it and it owns the player; Open waits until the media has loaded or failed.
#include <QObject>
#include <memory>

#include "ports/MediaDevice.h"

class QAudioOutput;
class QMediaPlayer;

namespace trakvella {

// Open runs the event loop while it waits, so timers keep ticking; the other
// commands return at once.
class QtMediaDevice : public QObject, public MediaDevice {
  Q_OBJECT

 public:
  // openTimeoutMs bounds how long Open waits for the media to load.
  explicit QtMediaDevice(QObject* parent = nullptr, int openTimeoutMs = 20000);
  ~QtMediaDevice() override;

  bool Open(const std::string& address) override;
  bool Play() override;
  bool Pause() override;
  bool Resume() override;
  bool Stop() override;
  bool Close() override;
  bool Seek(int64_t positionMs) override;

  MediaMode Mode() const override;
  int64_t LengthMs() const override;
  int64_t PositionMs() const override;
  bool IsOpen() const override;

  QMediaPlayer* player() const { return player_; }

 private:
  // Replaces the player with a fresh one (after a failed open).
  void NewPlayer();

  QMediaPlayer* player_ = nullptr;
  QAudioOutput* output_;
  int openTimeoutMs_;
  bool open_ = false;
  bool stopped_ = false;  // paused by Stop: reads as stopped, not paused
  bool opening_ = false;
  bool failed_ = false;  // an error since the last Open began
};

}  // namespace trakvella

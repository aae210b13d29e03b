#pragma once
// ScriptedMediaDevice: an audio device that plays whatever it is given at once, recording what it
// opened; the position is what the test sets. Each test owns its own.
#include <string>
#include <vector>

#include "ports/MediaDevice.h"

namespace trakvella::testing {

// Plays whatever it is given, at once; the position is what the test sets.
class ScriptedMediaDevice : public MediaDevice {
 public:
  std::vector<std::string> opened;
  MediaMode mode = MediaMode::NotReady;
  int64_t position = 0;

  bool Open(const std::string& address) override {
    opened.push_back(address);
    mode = MediaMode::Open;
    return true;
  }
  bool Play() override {
    mode = MediaMode::Playing;
    return true;
  }
  bool Pause() override {
    mode = MediaMode::Paused;
    return true;
  }
  bool Resume() override { return Play(); }
  bool Stop() override {
    if (mode != MediaMode::NotReady) mode = MediaMode::Stopped;
    return true;
  }
  bool Close() override {
    mode = MediaMode::NotReady;
    return true;
  }
  bool Seek(int64_t ms) override {
    position = ms;
    return true;
  }
  MediaMode Mode() const override { return mode; }
  int64_t LengthMs() const override { return 60000; }
  int64_t PositionMs() const override { return position; }
  bool IsOpen() const override { return mode != MediaMode::NotReady; }
};

}  // namespace trakvella::testing

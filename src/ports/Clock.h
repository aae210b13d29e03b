#pragma once
// Clock: the millisecond tick counter (tap tempo, the player's timing).
// An abstract port with a steady-clock implementation; whoever makes one owns it.
#include <chrono>
#include <cstdint>

namespace trakvella {

class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds of a steady counter (only differences mean anything).
  virtual int64_t NowMs() const = 0;
};

class SteadyClock : public Clock {
 public:
  int64_t NowMs() const override {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
  }
};

}  // namespace trakvella

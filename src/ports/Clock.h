#pragma once
// Clock: the millisecond tick counter (tap tempo, the player's timing) and the
// one way the core waits: SleepMs. An abstract port with a steady-clock
// implementation; whoever makes one owns it, except SystemClock's, which lives
// as long as the program.
#include <chrono>
#include <cstdint>
#include <thread>

#include "ports/Progress.h"

namespace trakvella {

class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds of a steady counter (only differences mean anything).
  virtual int64_t NowMs() const = 0;
  // Returns after about ms milliseconds (at once for 0 or less).
  virtual void SleepMs(int ms) = 0;
};

class SteadyClock : public Clock {
 public:
  int64_t NowMs() const override {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
  }
  void SleepMs(int ms) override {
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
  }
};

// Lets ms milliseconds pass the one way the core waits: the clock sleeps in short
// steps and progress is pumped between them, so the window keeps answering.
inline void WaitPumping(Clock& clock, Progress& progress, int ms) {
  const int64_t until = clock.NowMs() + ms;
  while (clock.NowMs() < until) {
    progress.pump();
    clock.SleepMs(10);
  }
}

// The program's steady clock, for whoever is handed no other.
inline Clock& SystemClock() {
  static SteadyClock clock;
  return clock;
}

}  // namespace trakvella

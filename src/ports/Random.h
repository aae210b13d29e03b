#pragma once
// Random: the program's random numbers, seeded from the clock unless a test or the command line
// fixes the seed. An abstract port with a standard implementation; whoever makes one owns it.
#include <chrono>
#include <cstdint>
#include <random>

namespace trakvella {

class Random {
 public:
  virtual ~Random() = default;
  // Seeds the generator from the clock (a fixed generator ignores it).
  virtual void Randomize() = 0;
  // A number from 0 to range - 1 (0 when range is not positive).
  virtual int Next(int range) = 0;
};

// The standard generator; with a seed it gives the same numbers every run and
// keeps them through Randomize.
class StdRandom : public Random {
 public:
  StdRandom() { Randomize(); }
  explicit StdRandom(uint32_t seed) : engine_(seed), fixed_(true) {}
  void Randomize() override {
    if (!fixed_) engine_.seed(static_cast<uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
  }
  int Next(int range) override {
    if (range <= 0) return 0;
    return std::uniform_int_distribution<int>(0, range - 1)(engine_);
  }

 private:
  std::mt19937 engine_;
  bool fixed_ = false;
};

}  // namespace trakvella

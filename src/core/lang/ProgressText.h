#pragma once
// ProgressText: the progress window's own arithmetic — the percentage text and the two-square
// animation — kept out of the window so it is tested alone. Plain values the window owns.
#include <string>

namespace trakvella {

// The per-mille value as the percentage label shows it: one decimal and " %"
// ("67.5 %" for 675); the empty text for -1 (no percentage).
std::string PerMilleText(int perMille);

// Two squares on a track bar that move towards each other by `step` pixels a
// tick and bounce back; positions are the squares' left edges in the track
// bar, home at 10 and 254.
struct ProgressAnimation {
  static constexpr int kLeftHome = 10;
  static constexpr int kRightHome = 254;
  static constexpr int kStartStep = 4;

  int left = kLeftHome;
  int right = kRightHome;
  int step = 0;

  // Sets the step to 4 pixels; the squares go on from where they are.
  void Start();
  // Squares home, step 0.
  void Home();
  // One timer tick: the left square moves right and the right square left by
  // the step; the step turns round when the left square passes half the track
  // bar's width minus the square's width plus 10, or is back at 10 or less.
  void Tick(int trackWidth, int squareWidth);
};

}  // namespace trakvella

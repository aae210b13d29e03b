#include "core/lang/ProgressText.h"

#include <algorithm>

#include <gtest/gtest.h>

namespace trakvella {
namespace {

TEST(PerMilleText, ShowsTenthsOfAPercentWithAPointAndNothingForMinusOne) {
  EXPECT_EQ(PerMilleText(675), "67.5 %");
  EXPECT_EQ(PerMilleText(0), "0.0 %");
  EXPECT_EQ(PerMilleText(1000), "100.0 %");
  EXPECT_EQ(PerMilleText(7), "0.7 %");
  EXPECT_EQ(PerMilleText(10), "1.0 %");
  EXPECT_EQ(PerMilleText(-1), "");
}

TEST(PerMilleText, ValuesOutsideTheRangeAreShownAsTheyAre) {
  EXPECT_EQ(PerMilleText(1234), "123.4 %");
  EXPECT_EQ(PerMilleText(-5), "-0.5 %");
  EXPECT_EQ(PerMilleText(-25), "-2.5 %");
}

constexpr int kTrack = 276;
constexpr int kSquare = 12;

TEST(ProgressAnimation, StartsAtHomeAndStandsStillUntilStarted) {
  ProgressAnimation animation;
  EXPECT_EQ(animation.left, 10);
  EXPECT_EQ(animation.right, 254);
  animation.Tick(kTrack, kSquare);
  EXPECT_EQ(animation.left, 10);
  EXPECT_EQ(animation.right, 254);

  animation.Start();
  EXPECT_EQ(animation.step, 4);
  animation.Tick(kTrack, kSquare);
  EXPECT_EQ(animation.left, 14);
  EXPECT_EQ(animation.right, 250);
  EXPECT_EQ(animation.step, 4);
}

TEST(ProgressAnimation, TurnsPastTheMiddleAndAgainAtTheLeftHome) {
  ProgressAnimation animation;
  animation.Start();
  // Turning point: left > 276 / 2 - 12 + 10 = 136, first reached at 138.
  int maxLeft = 0;
  int ticks = 0;
  while (animation.step > 0) {
    animation.Tick(kTrack, kSquare);
    maxLeft = std::max(maxLeft, animation.left);
    ++ticks;
  }
  EXPECT_EQ(maxLeft, 138);
  EXPECT_EQ(animation.left, 138);
  EXPECT_EQ(animation.right, 126);
  EXPECT_EQ(animation.step, -4);
  EXPECT_EQ(ticks, 32);

  // Back to 10, where it turns again, and the next swing repeats the first.
  while (animation.step < 0) animation.Tick(kTrack, kSquare);
  EXPECT_EQ(animation.left, 10);
  EXPECT_EQ(animation.right, 254);
  EXPECT_EQ(animation.step, 4);
  for (int i = 0; i < 32; ++i) animation.Tick(kTrack, kSquare);
  EXPECT_EQ(animation.left, 138);
  EXPECT_EQ(animation.step, -4);
}

TEST(ProgressAnimation, HalfOfAnOddWidthIsNotRoundedDown) {
  // 277 / 2 - 12 + 10 = 136.5: 137 already counts as past the middle.
  ProgressAnimation animation;
  animation.left = 133;
  animation.step = 4;
  animation.Tick(277, kSquare);
  EXPECT_EQ(animation.left, 137);
  EXPECT_EQ(animation.step, -4);

  animation.left = 133;
  animation.step = 4;
  animation.Tick(278, kSquare);  // 137 is not past 137
  EXPECT_EQ(animation.step, 4);
}

TEST(ProgressAnimation, HomeBringsTheSquaresBackAndStopsThem) {
  ProgressAnimation animation;
  animation.Start();
  for (int i = 0; i < 40; ++i) animation.Tick(kTrack, kSquare);
  EXPECT_NE(animation.left, 10);
  animation.Home();
  EXPECT_EQ(animation.left, 10);
  EXPECT_EQ(animation.right, 254);
  EXPECT_EQ(animation.step, 0);
  // A new start after Home runs the same swing again.
  animation.Start();
  animation.Tick(kTrack, kSquare);
  EXPECT_EQ(animation.left, 14);
}

}  // namespace
}  // namespace trakvella

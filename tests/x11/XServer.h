#pragma once
// The private X server of the X window tests: its display (":N"), or nullptr when none could be
// started, in which case each test skips. QT_SCALE_FACTOR, when set, is the scale the run uses.
namespace trakvella::testing {

const char* XServerDisplay();
bool XServerRunning();

#define SKIP_WITHOUT_X_SERVER() \
  if (!::trakvella::testing::XServerRunning()) GTEST_SKIP() << "no X server could be started (Xvfb)"

}  // namespace trakvella::testing

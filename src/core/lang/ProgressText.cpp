#include "core/lang/ProgressText.h"

#include <cstdlib>

namespace trakvella {

std::string PerMilleText(int perMille) {
  if (perMille == -1) return {};
  // Whole tenths: integer arithmetic gives the one decimal exactly, and the
  // point does not depend on the locale.
  const long value = perMille;
  const long magnitude = std::labs(value);
  std::string text = value < 0 ? "-" : "";
  text += std::to_string(magnitude / 10) + "." + std::to_string(magnitude % 10) + " %";
  return text;
}

void ProgressAnimation::Start() { step = kStartStep; }

void ProgressAnimation::Home() {
  left = kLeftHome;
  right = kRightHome;
  step = 0;
}

void ProgressAnimation::Tick(int trackWidth, int squareWidth) {
  left += step;
  right -= step;
  // left > trackWidth / 2 - squareWidth + 10, compared without rounding the half.
  const bool pastMiddle = 2 * left > trackWidth - 2 * squareWidth + 20;
  if (pastMiddle || left <= kLeftHome) step = -step;
}

}  // namespace trakvella

#pragma once

// Units and limits shared by every picture box.
#include <cmath>

#include "symbologies/units.h"

namespace surface {

using units::kMaxPictureWidth;
using units::kTwipsPerPixel;
using units::twipsToPixels;

// Font points to whole pixels at 96 dots per inch, rounded as screen fonts are.
inline int pointsToPixels(double points) {
  return static_cast<int>(std::lround(points * 96.0 / 72.0));
}

// A picture box has a 2-pixel inset border on every side.
inline constexpr int kBorder = 2;

}  // namespace surface

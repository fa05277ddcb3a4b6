#pragma once

// Units and limits shared by every picture box. Kept free of Qt so that the
// pure encoders can check a symbol against the widest picture.
#include <cmath>

namespace surface {

// Window and control geometry is stored in twips at a fixed 15 twips a pixel.
inline constexpr int kTwipsPerPixel = 15;

constexpr int twipsToPixels(int twips) { return twips / kTwipsPerPixel; }

// Font points to whole pixels at 96 dots per inch, rounded as screen fonts are.
inline int pointsToPixels(double points) {
  return static_cast<int>(std::lround(points * 96.0 / 72.0));
}

// The widest picture box the program accepts, in device pixels. A symbol that
// would need a wider picture is refused rather than drawn in part.
inline constexpr int kMaxPictureWidth = 32767;

// A picture box has a 2-pixel inset border on every side.
inline constexpr int kBorder = 2;

}  // namespace surface

#pragma once

// The window's unit and its widest picture, which the linear encoders check
// a symbol against. Standard library only.

namespace units {

// Window and control geometry is stored in twips at a fixed 15 twips a pixel.
inline constexpr int kTwipsPerPixel = 15;

constexpr int twipsToPixels(int twips) { return twips / kTwipsPerPixel; }

// The widest picture box the program accepts, in device pixels. A symbol that
// would need a wider picture is refused rather than drawn in part.
inline constexpr int kMaxPictureWidth = 32767;

}  // namespace units

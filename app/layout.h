#pragma once

// Where the window's pictures stand, and the twips-to-pixels rule its layout
// is written in.

#include "surface/limits.h"

namespace app {

constexpr int px(int twips) { return surface::twipsToPixels(twips); }

struct TwipsRect {
  int left, top, width, height;
};

// The three pictures share their top-left corner; one shows at a time.
inline constexpr TwipsRect kLinearPicturePlace{1200, 4440, 4635, 1215};  // Picture1
inline constexpr TwipsRect kUpcPicturePlace{1200, 4440, 2055, 1095};     // picUPC
inline constexpr TwipsRect kEanPicturePlace{1200, 4440, 1815, 1095};     // picEan

}  // namespace app

#pragma once

#include <optional>
#include <string_view>

#include "symbologies/linear/linear.h"

namespace surface {
class PictureBox;
}

namespace linear {

// Interleaved 2 of 5: digits in pairs, the first of a pair in the bars and the
// second in the spaces. A leading "0" makes the count even (counting the
// optional modulo-10 check digit) and is shown in the label.
Encoding encodeInterleaved2of5(std::u32string_view text, const Settings& settings);

// Draws the symbol into the picture; returns the picture's width in twips when drawn.
std::optional<int> drawInterleaved2of5(surface::PictureBox& picture, std::u32string_view text,
                                       const Settings& settings);

}  // namespace linear

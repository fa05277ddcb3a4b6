#pragma once

#include <optional>
#include <string_view>

#include "symbologies/linear/linear.h"

namespace surface {
class PictureBox;
}

namespace linear {

// Codabar between start and stop characters A, without a check character.
// Typed lower-case "a" to "d" are the characters A to D inside the frame.
Encoding encodeCodabar(std::u32string_view text, const Settings& settings);

// Draws the symbol into the picture; returns the picture's width in twips when drawn.
std::optional<int> drawCodabar(surface::PictureBox& picture, std::u32string_view text,
                               const Settings& settings);

}  // namespace linear

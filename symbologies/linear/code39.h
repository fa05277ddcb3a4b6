#pragma once

#include <optional>
#include <string_view>

#include "symbologies/linear/linear.h"

namespace surface {
class PictureBox;
}

namespace linear {

// Code 39: upper-cased data between "*" start and stop characters, with an
// optional modulo-43 check character.
Encoding encodeCode39(std::u32string_view text, const Settings& settings);

// Draws the symbol into the picture; returns the picture's width in twips when drawn.
std::optional<int> drawCode39(surface::PictureBox& picture, std::u32string_view text,
                              const Settings& settings);

}  // namespace linear

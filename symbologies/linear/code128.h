#pragma once

#include <optional>
#include <string_view>

#include "symbologies/linear/linear.h"

namespace surface {
class PictureBox;
}

namespace linear {

// Code 128 in code set B only: printable ASCII as typed, after Start B, with
// the modulo-103 check character always present and never in the label.
Encoding encodeCode128(std::u32string_view text, const Settings& settings);

// Draws the symbol into the picture; returns the picture's width in twips when drawn.
std::optional<int> drawCode128(surface::PictureBox& picture, std::u32string_view text,
                               const Settings& settings);

}  // namespace linear

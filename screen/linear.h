#pragma once

#include <QString>
#include <optional>
#include <string_view>

#include "symbologies/linear/linear.h"

namespace surface {
class PictureBox;
}

namespace linear {

// Clears the picture and draws the text as the encoder sees it: the symbol
// from x = 20 with its label, or one line saying why it cannot be drawn.
// Returns the picture's new width in twips when a symbol was drawn.
std::optional<int> drawLinear(surface::PictureBox& picture, std::u32string_view text,
                              const Settings& settings, Encoder encode);

}  // namespace linear

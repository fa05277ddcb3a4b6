#pragma once

#include <string_view>

#include "symbologies/linear/linear.h"

namespace linear {

// Codabar between start and stop characters A, without a check character.
// Typed lower-case "a" to "d" are the characters A to D inside the frame.
Encoding encodeCodabar(std::u32string_view text, const Settings& settings);

}  // namespace linear

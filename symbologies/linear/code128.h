#pragma once

#include <string_view>

#include "symbologies/linear/linear.h"

namespace linear {

// Code 128 in code set B only: printable ASCII as typed, after Start B, with
// the modulo-103 check character always present and never in the label.
Encoding encodeCode128(std::u32string_view text, const Settings& settings);

}  // namespace linear

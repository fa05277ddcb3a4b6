#pragma once

#include <string_view>

#include "symbologies/linear/linear.h"

namespace linear {

// Interleaved 2 of 5: digits in pairs, the first of a pair in the bars and the
// second in the spaces. A leading "0" makes the count even (counting the
// optional modulo-10 check digit) and is shown in the label.
Encoding encodeInterleaved2of5(std::u32string_view text, const Settings& settings);

}  // namespace linear

#pragma once

// Codabar with the start and stop characters a label calls for, each of A to
// D. Standard library only.

#include <string_view>

#include "symbologies/linear/linear.h"

namespace linear {

// The data between start and stop characters given apart from it, "A" to "D"
// or "a" to "d". Rejected names the first character of the data Codabar does
// not carry there (the letters A to D among them), or a start (position 0)
// or stop (position data.size()) that is not A to D. The label is the data;
// there is no check character.
Encoding encodeCodabarBetween(std::u32string_view data, const Settings& settings, char32_t start,
                              char32_t stop);

// The start and stop as the first and last character of the text ("B123C",
// either case), or both A when neither end is a letter A to D, as
// encodeCodabar draws. A letter at only one end is Rejected at the other.
Encoding encodeCodabarFramed(std::u32string_view text, const Settings& settings);

}  // namespace linear

#pragma once

#include <string_view>

#include "symbologies/linear/linear.h"

namespace linear {

// Code 39: upper-cased data between "*" start and stop characters, with an
// optional modulo-43 check character.
Encoding encodeCode39(std::u32string_view text, const Settings& settings);

}  // namespace linear

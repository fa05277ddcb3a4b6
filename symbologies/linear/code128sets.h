#pragma once

// Code 128 in all three code sets: the shortest symbol for ASCII data, or one
// code set throughout when the user asks for it. Standard library only.

#include <cstddef>
#include <string_view>
#include <variant>
#include <vector>

#include "symbologies/linear/linear.h"

namespace linear {

enum class CodeSet { Auto, A, B, C };

// Stands for the FNC1 symbol character in the data (a code point for private
// use, so no typed character is taken for it). First in the data it makes a
// GS1-128 symbol; later it separates GS1 element strings.
inline constexpr char32_t kFnc1 = U'\uE001';

// Forced code set C: a digit left without a partner, as in an odd run of digits.
struct UnpairedDigit {
  std::size_t position = 0;
};

struct Code128Symbol {
  std::vector<int> values;  // start character, data characters, check character (no stop)
  Symbol symbol;            // ElementKind::Modules; the label is the data without FNC1
};

using Code128Encoding = std::variant<Code128Symbol, Rejected, UnpairedDigit, TooLong>;

// Auto: the fewest symbol characters for ASCII 0 to 127 and FNC1, code sets
// and Shift chosen over the whole data; of equally short encodings the one
// that changes code set latest and least. A: ASCII 0 to 95, B: 32 to 127,
// C: digit pairs; FNC1 in every set. Rejected names the first character the
// code set cannot carry.
Code128Encoding encodeCode128Sets(std::u32string_view text, const Settings& settings,
                                  CodeSet set = CodeSet::Auto);

// The Auto encoding in the shape every linear encoder has.
Encoding encodeCode128Shortest(std::u32string_view text, const Settings& settings);

}  // namespace linear

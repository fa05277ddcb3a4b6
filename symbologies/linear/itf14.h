#pragma once

// ITF-14: a GTIN-14 in Interleaved 2 of 5. Standard library only.
//
// The bars alone are encoded here; the layout owes the symbol bearer bars, at
// least 2 X thick, either a frame round it or a bar along its top and bottom
// edges touching the bars, and quiet zones of at least 10 X on either side,
// inside a frame. The ratio of wide to narrow stays the Interleaved 2 of 5
// one, 3 to 1.

#include <cstddef>
#include <string_view>
#include <variant>

#include "symbologies/gs1check.h"
#include "symbologies/linear/linear.h"

namespace linear {

using symbologies::WrongCheckDigit;

// The data has the wrong number of characters.
struct WrongLength {
  std::size_t length = 0;
  std::size_t wanted = 0;
};

// Symbol: ElementKind::NarrowWide as encodeInterleaved2of5 makes it, the
// fourteen digits in the label and the check digit as check value.
// Rejected names the first character that is not a digit; WrongLength names 13.
using Itf14Encoding = std::variant<Symbol, Rejected, WrongLength, WrongCheckDigit>;

// Thirteen digits, or fourteen when the last is their GS1 check digit.
Itf14Encoding encodeItf14(std::u32string_view number, const Settings& settings);

}  // namespace linear

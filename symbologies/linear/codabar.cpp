#include "symbologies/linear/codabar.h"

#include <array>

namespace linear {

namespace {

// Character values are positions in this set; "a" to "d" stand for A to D.
inline constexpr std::u32string_view kAlphabet = U"0123456789-$:/.+abcd";
inline constexpr int kFrame = 16;  // A, the start and the stop

// Codabar characters (ANSI/AIM BC3, character table), in value order: seven
// elements, bar first, "1" wide.
inline constexpr std::array<std::string_view, 20> kPatterns = {
    "0000011", "0000110", "0001001", "1100000", "0010010",  // 0-4
    "1000010", "0100001", "0100100", "0110000", "1001000",  // 5-9
    "0001100", "0011000", "1000101", "1010001", "1010100",  // 10: - $ : / .
    "0010101", "0011010", "0101001", "0001011", "0001110",  // + A B C D
};
static_assert(kPatterns.size() == kAlphabet.size());

int valueOf(char32_t c) {
  const auto found = kAlphabet.find(c);
  return found == std::u32string_view::npos ? -1 : static_cast<int>(found);
}

}  // namespace

Encoding encodeCodabar(std::u32string_view text, const Settings& settings) {
  ElementBuilder builder(ElementKind::NarrowWide, settings.printSpacing, units::kTwipsPerPixel);
  builder.append(kPatterns[kFrame]);
  builder.append("0");
  for (std::size_t i = 0; i < text.size(); ++i) {
    const int value = valueOf(text[i]);
    if (value < 0) return Rejected{text[i], i};
    builder.append(kPatterns[value]);
    builder.append("0");
    if (!builder.fits()) return TooLong{builder.maxX()};
  }
  builder.append(kPatterns[kFrame]);
  if (!builder.fits()) return TooLong{builder.maxX()};
  return builder.finish(std::u32string(text), shortLabelX(text.size(), settings));
}

}  // namespace linear

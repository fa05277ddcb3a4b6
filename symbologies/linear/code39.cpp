#include "symbologies/linear/code39.h"

#include <array>

namespace linear {

namespace {

// Character values are positions in this set; "*" is start and stop only.
inline constexpr std::u32string_view kAlphabet = U"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%*";
inline constexpr int kStartStop = 43;

// Code 39 symbol characters (ISO/IEC 16388, character table), in value order:
// nine elements, bar first, "1" wide.
inline constexpr std::array<std::string_view, 44> kPatterns = {
    "000110100", "100100001", "001100001", "101100000", "000110001",  // 0-4
    "100110000", "001110000", "000100101", "100100100", "001100100",  // 5-9
    "100001001", "001001001", "101001000", "000011001", "100011000",  // 10: A-E
    "001011000", "000001101", "100001100", "001001100", "000011100",  // F-J
    "100000011", "001000011", "101000010", "000010011", "100010010",  // 20: K-O
    "001010010", "000000111", "100000110", "001000110", "000010110",  // P-T
    "110000001", "011000001", "111000000", "010010001", "110010000",  // 30: U-Y
    "011010000", "010000101", "110000100", "011000100", "010101000",  // Z - . space $
    "010100010", "010001010", "000101010", "010010100",               // 40: / + % *
};
static_assert(kPatterns.size() == kAlphabet.size());

int valueOf(char32_t c) {
  if (c >= U'0' && c <= U'9') return static_cast<int>(c - U'0');
  if (c >= U'A' && c <= U'Z') return static_cast<int>(c - U'A') + 10;
  const auto found = kAlphabet.substr(36, 7).find(c);
  return found == std::u32string_view::npos ? -1 : 36 + static_cast<int>(found);
}

// Where the label starts: roughly centred under the symbol, moving right by
// the data's length, not the label's, so a check character hangs off the end.
double labelX(std::size_t dataLength, const Settings& settings) {
  return static_cast<double>(dataLength) * (2 * settings.printSpacing + 5) + 35;
}

}  // namespace

Encoding encodeCode39(std::u32string_view text, const Settings& settings) {
  ElementBuilder builder(ElementKind::NarrowWide, settings.printSpacing, units::kTwipsPerPixel);
  builder.append(kPatterns[kStartStop]);
  builder.append("0");
  std::u32string label;
  label.reserve(text.size() + 1);
  int sum = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char32_t c = asciiUpper(text[i]);
    const int value = valueOf(c);
    if (value < 0) return Rejected{c, i};
    builder.append(kPatterns[value]);
    builder.append("0");
    if (!builder.fits()) return TooLong{builder.maxX()};
    sum += value;
    label.push_back(c);
  }
  std::optional<int> check;
  if (settings.checkCharacter) {
    check = sum % 43;
    builder.append(kPatterns[*check]);
    builder.append("0");
    label.push_back(kAlphabet[*check]);
  }
  builder.append(kPatterns[kStartStop]);
  if (!builder.fits()) return TooLong{builder.maxX()};
  return builder.finish(std::move(label), labelX(text.size(), settings), check);
}

}  // namespace linear

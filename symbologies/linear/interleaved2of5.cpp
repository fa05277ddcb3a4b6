#include "symbologies/linear/interleaved2of5.h"

#include <array>

namespace linear {

namespace {

inline constexpr std::u32string_view kDigits = U"0123456789";

// Interleaved 2 of 5 digit patterns (ISO/IEC 16390, character table): five
// elements, "1" wide, read as bars for the first digit of a pair and as spaces
// for the second.
inline constexpr std::array<std::string_view, 10> kPatterns = {
    "00110", "10001", "01001", "11000", "00101",  // 0-4
    "10100", "01100", "00011", "10010", "01010",  // 5-9
};
static_assert(kPatterns.size() == kDigits.size());

inline constexpr std::string_view kStart = "0000";  // narrow bar, space, bar, space
inline constexpr std::string_view kStop = "100";    // wide bar, narrow space, narrow bar

// Bars from the first digit's pattern, spaces from the second's.
void appendPair(ElementBuilder& builder, char32_t first, char32_t second) {
  const std::string_view bars = kPatterns[first - U'0'];
  const std::string_view spaces = kPatterns[second - U'0'];
  std::array<char, 10> pair{};
  for (std::size_t k = 0; k < bars.size(); ++k) {
    pair[2 * k] = bars[k];
    pair[2 * k + 1] = spaces[k];
  }
  builder.append({pair.data(), pair.size()});
}

// Where the label starts: 2 pixels a digit of the label, 1.3 more with print
// spacing (fractional), after a 20-pixel indent.
double labelX(std::size_t labelLength, const Settings& settings) {
  return (13.0 * settings.printSpacing + 20.0) * static_cast<double>(labelLength) / 10.0 + 20.0;
}

}  // namespace

Encoding encodeInterleaved2of5(std::u32string_view text, const Settings& settings) {
  const bool check = settings.checkCharacter != 0;
  // A "0" in front when the data and its check digit would be odd in number.
  const std::size_t padding = (text.size() + (check ? 1 : 0)) % 2;
  const std::size_t dataLength = padding + text.size();

  ElementBuilder builder(ElementKind::NarrowWide, settings.printSpacing, kInterleavedTwipsPerPixel);
  builder.append(kStart);
  std::u32string label;  // the padded data and the check digit: what the bars carry
  label.reserve(dataLength + 1);
  std::optional<int> checkDigit;
  // Weights 3, 1, 3, ... from the left of the padded data; with the check
  // digit to come that puts weight 3 on the last data digit.
  int sum = 0;
  for (std::size_t j = 0; j < dataLength; ++j) {
    const char32_t c = j < padding ? U'0' : text[j - padding];
    if (!isAsciiDigit(c)) return Rejected{c, j - padding};
    sum = (sum + static_cast<int>(c - U'0') * (j % 2 == 0 ? 3 : 1)) % 10;
    label.push_back(c);
    if (check && j + 1 == dataLength) {
      checkDigit = (10 - sum) % 10;
      label.push_back(kDigits[*checkDigit]);
    }
    if (label.size() % 2 != 0) continue;
    appendPair(builder, label[label.size() - 2], label.back());
    if (!builder.fits()) return TooLong{builder.maxX()};
  }
  builder.append(kStop);
  if (!builder.fits()) return TooLong{builder.maxX()};
  return builder.finish(std::move(label), labelX(label.size(), settings), checkDigit);
}

}  // namespace linear

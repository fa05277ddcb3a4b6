#include "symbologies/linear/code128.h"

#include "symbologies/linear/code128table.h"

namespace linear {

using namespace code128;

namespace {

constexpr bool inCodeSetB(char32_t c) { return c >= U' ' && c <= U'~'; }

}  // namespace

Encoding encodeCode128(std::u32string_view text, const Settings& settings) {
  ElementBuilder builder(ElementKind::Modules, settings.printSpacing, units::kTwipsPerPixel);
  builder.append(kPatterns[kStartB]);
  // Start B has weight 1; a character at position j weight j. Reduced as it
  // goes, so no length of data can overflow it.
  long long sum = kStartB;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char32_t c = text[i];
    if (!inCodeSetB(c)) return Rejected{c, i, false};
    const auto value = static_cast<long long>(c - U' ');
    builder.append(kPatterns[value]);
    if (!builder.fits()) return TooLong{builder.maxX()};
    sum = (sum + value * static_cast<long long>(i + 1)) % kModulus;
  }
  const int check = static_cast<int>(sum);
  builder.append(kPatterns[check]);
  builder.append(kPatterns[kStop]);
  if (!builder.fits()) return TooLong{builder.maxX()};
  return builder.finish(std::u32string(text), shortLabelX(text.size(), settings), check);
}

}  // namespace linear

#include "symbologies/linear/linear.h"

#include <string>

#include "symbologies/units.h"

namespace linear {

int maxEndX(int twipsPerPixel) {
  return (units::kMaxPictureWidth * units::kTwipsPerPixel - kRightMarginTwips) / twipsPerPixel;
}

ElementBuilder::ElementBuilder(ElementKind kind, int printSpacing, int twipsPerPixel)
    : m_kind(kind),
      m_printSpacing(printSpacing),
      m_twipsPerPixel(twipsPerPixel),
      m_maxX(maxEndX(twipsPerPixel)) {}

void ElementBuilder::append(std::string_view pattern) {
  for (const char digit : pattern) {
    const bool bar = m_elements.size() % 2 == 0;
    m_x += elementWidth(digit, bar, m_kind, m_printSpacing);
    m_elements.push_back(digit);
  }
}

Symbol ElementBuilder::finish(std::u32string label, double labelX, std::optional<int> checkValue) {
  // A trailing space would not move the end of the symbol; every frame ends
  // on a bar, but stay exact if one did not.
  int endX = m_x;
  if (!m_elements.empty() && m_elements.size() % 2 == 0)
    endX -= elementWidth(m_elements.back(), false, m_kind, m_printSpacing);
  Symbol symbol{std::move(m_elements), m_kind,    std::move(label), labelX, endX,
                m_twipsPerPixel,       checkValue};
  m_elements.clear();
  m_x = kFirstBarX;
  return symbol;
}

std::u32string message(const Rejected& rejected) {
  if (!rejected.named) return U"Invalid Character(s)";
  return std::u32string(1, rejected.character) + U" is Invalid";
}

std::u32string message(const TooLong&) {
  const std::string width = std::to_string(units::kMaxPictureWidth);
  return U"Data too long: the barcode would be wider than " +
         std::u32string(width.begin(), width.end()) + U" pixels";
}

}  // namespace linear

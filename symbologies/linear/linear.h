#pragma once

// What the four linear encoders share: their settings, their result, and the
// builder that turns patterns into one element string while it keeps the
// symbol within the widest picture. Standard library only.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "symbologies/ascii.h"
#include "symbologies/units.h"

namespace linear {

// The three check boxes, as the numbers 0 or 1 they hold.
struct Settings {
  int printSpacing = 1;    // "Optimize for Printing": every space one pixel wider
  int label = 1;           // "Add Label"
  int checkCharacter = 0;  // "Add Check Character"
};

// How the digits of an element string give widths in pixels.
enum class ElementKind {
  NarrowWide,  // "0" narrow, "1" wide: bars 1 or 3 pixels, spaces 1 or 3 plus spacing
  Modules,     // the digit is the width in modules: bars d, spaces d plus spacing
};

// The first bar of every linear symbol stands at this x.
inline constexpr int kFirstBarX = 20;

struct Symbol {
  std::string elements;  // one digit per bar or space; bars at odd positions (1-based)
  ElementKind kind = ElementKind::NarrowWide;
  std::u32string label;                       // the human-readable text
  double labelX = 0;                          // where the label starts
  int endX = kFirstBarX;                      // x after the last bar line
  int twipsPerPixel = units::kTwipsPerPixel;  // converts endX into the picture's width
  std::optional<int> checkValue;
};

// The first character the symbology cannot carry, and where it stands (0-based).
struct Rejected {
  char32_t character = 0;
  std::size_t position = 0;
  bool named = true;  // false: the symbology reports "Invalid Character(s)" without naming it
};

// The symbol would not fit the widest picture.
struct TooLong {
  int maxEndX = 0;
};

using Encoding = std::variant<Symbol, Rejected, TooLong>;

// Data and settings in, a symbol or the reason for refusing out.
using Encoder = Encoding (*)(std::u32string_view text, const Settings& settings);

// Width in pixels of one element.
constexpr int elementWidth(char digit, bool bar, ElementKind kind, int printSpacing) {
  const int d = digit - '0';
  if (kind == ElementKind::NarrowWide) return bar ? 2 * d + 1 : 2 * d + 1 + printSpacing;
  return bar ? d : d + printSpacing;
}

// Calls bar(x, width, spacesBefore) for each bar, left to right: x and width
// in modules (pixels on screen) from the first bar's left edge, each space
// widened by printSpacing; spacesBefore counts the spaces left of the bar.
template <typename BarFunction>
void forEachBar(const Symbol& symbol, int printSpacing, BarFunction&& bar) {
  int x = 0, spaces = 0;
  for (std::size_t i = 0; i < symbol.elements.size(); ++i) {
    const bool isBar = i % 2 == 0;
    const int width = elementWidth(symbol.elements[i], isBar, symbol.kind, printSpacing);
    if (isBar)
      bar(x, width, spaces);
    else
      ++spaces;
    x += width;
  }
}

// The picture is the symbol plus this right margin, in twips.
inline constexpr int kRightMarginTwips = 500;

// Twips a picture's width takes for one pixel of the symbol. The window's
// unit, but Interleaved 2 of 5 sizes its picture at 17.
inline constexpr int kInterleavedTwipsPerPixel = 17;

// The picture's width for a symbol ending at x.
constexpr int pictureTwips(int endX, int twipsPerPixel) {
  return endX * twipsPerPixel + kRightMarginTwips;
}

// Where Code 128 and Codabar start their label: a step per data character
// that grows with print spacing, after a fixed indent.
constexpr double shortLabelX(std::size_t dataLength, const Settings& settings) {
  return static_cast<double>(dataLength) * (2 * settings.printSpacing + 3) + 30;
}

// Largest end x whose picture still fits the widest picture box.
int maxEndX(int twipsPerPixel);

// Appends patterns to one element string, tracking where the next bar goes.
class ElementBuilder {
 public:
  ElementBuilder(ElementKind kind, int printSpacing, int twipsPerPixel);

  void append(std::string_view pattern);
  bool fits() const { return m_x <= m_maxX; }
  int maxX() const { return m_maxX; }

  // The finished symbol; the builder is left empty.
  Symbol finish(std::u32string label, double labelX, std::optional<int> checkValue = {});

 private:
  std::string m_elements;
  ElementKind m_kind;
  int m_printSpacing;
  int m_twipsPerPixel;
  int m_x = kFirstBarX;
  int m_maxX;
};

// What the picture shows instead of a symbol, in the program's words.
std::u32string message(const Rejected& rejected);
std::u32string message(const TooLong& tooLong);

using symbologies::asciiUpper;
using symbologies::isAsciiDigit;

}  // namespace linear

#pragma once

// The pieces every EAN/UPC layout is made of, EAN-13's and UPC-A's as the
// variants': bars from modules, digits on the standard's line, the minimums.
// For render/'s layouts only.

#include <algorithm>
#include <string>
#include <vector>

#include "render/layout.h"
#include "symbologies/geometry.h"

namespace render::eanupcparts {

inline constexpr geometry::EanUpcPrint kEanUpc = geometry::kEanUpcPrint;

// Bars from a string of modules, "1" dark, starting at module `from` and
// `top` below the bars' top; runs of dark modules of one height become one bar.
template <typename HeightOf>
void addModuleBars(Layout& layout, const std::string& modules, int from, double top,
                   HeightOf heightOf) {
  const std::size_t first = layout.bars.size();
  for (std::size_t m = 0; m < modules.size(); ++m) {
    if (modules[m] != '1') continue;
    const int x = from + static_cast<int>(m);
    const double height = heightOf(m);
    if (layout.bars.size() > first && layout.bars.back().x + layout.bars.back().width == x &&
        layout.bars.back().height == height)
      ++layout.bars.back().width;
    else
      layout.bars.push_back({.x = x, .width = 1, .height = height, .top = top});
  }
  layout.symbolModules = from + static_cast<int>(modules.size());
}

// The em that makes the font's digits `digitModules` tall.
inline double sizeForDigits(const Font& font, double digitModules) {
  const double digit = font.glyph(U'0').top;
  return digitModules / (digit > 0.1 ? digit : 0.7);
}

struct Digit {
  double centre;
  double scale;  // of the others' size
};

// Digits in the standard's places: their feet on one line below the data
// bars, the guards reaching down between them.
inline void layoutDigits(Layout& layout, const std::string& number, const LayoutOptions& options,
                         const std::vector<Digit>& digits) {
  layout.textBottom = layout.barsHeight();
  if (!options.font) return;
  const double size = sizeForDigits(*options.font, kEanUpc.digitModules);
  const double baseline = kEanUpc.digitFootModules - (kEanUpc.dataBarModules - layout.barHeight);
  double lowest = 0;  // round digits reach a little below the baseline
  for (std::size_t k = 0; k < number.size() && k < digits.size(); ++k) {
    const char32_t digit = static_cast<char32_t>(number[k]);
    layout.texts.push_back(
        {std::u32string(1, digit), digits[k].centre, 0, baseline, size * digits[k].scale});
    lowest = std::min(lowest, options.font->glyph(digit).bottom * size * digits[k].scale);
  }
  layout.font = options.font;
  layout.textBottom = std::max(layout.textBottom, baseline - lowest);
}

inline Minimums minimums(int quietLeft, int quietRight, double barHeightMm) {
  Minimums out;
  out.moduleMm = kEanUpc.minModuleMm;
  out.maxModuleMm = kEanUpc.maxModuleMm;
  out.barHeightMm = barHeightMm;
  out.quietLeft = quietLeft;
  out.quietRight = quietRight;
  return out;
}

// The bars' height in modules: the one asked in mm, else the standard's.
inline double barModules(const LayoutOptions& options, double standard) {
  return options.barHeightMm ? *options.barHeightMm / options.moduleMm : standard;
}

}  // namespace render::eanupcparts

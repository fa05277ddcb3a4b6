#include "render/layout.h"

#include <algorithm>
#include <cmath>

#include "symbologies/geometry.h"

namespace render {

namespace {

constexpr geometry::Linear kLinear = geometry::kLinear;
constexpr geometry::EanUpcPrint kEanUpc = geometry::kEanUpcPrint;

// Bars from a string of modules, "1" dark; runs of dark modules of one height
// become one bar.
void addModuleBars(Layout& layout, const std::string& modules, auto heightOf) {
  for (std::size_t m = 0; m < modules.size(); ++m) {
    if (modules[m] != '1') continue;
    const int x = static_cast<int>(m);
    const double height = heightOf(m);
    if (!layout.bars.empty() && layout.bars.back().x + layout.bars.back().width == x &&
        layout.bars.back().height == height)
      ++layout.bars.back().width;
    else
      layout.bars.push_back({x, 1, 0, height});
  }
  layout.symbolModules = static_cast<int>(modules.size());
}

// The em that makes the font's digits `digitModules` tall.
double sizeForDigits(const Font& font, double digitModules) {
  const double digit = font.glyph(U'0').top;
  return digitModules / (digit > 0.1 ? digit : 0.7);
}

// Centre of the seven modules of encoded digit k (0 to 11).
double digitCentre(std::size_t k) { return static_cast<double>(eanupc::firstModuleOf(k)) + 3.5; }

struct Digit {
  double centre;
  double scale;  // of the others' size
};

// EAN/UPC digits in the standard's places: their feet on one line, the
// guards reaching down between them.
void layoutDigits(Layout& layout, const std::string& number, const LayoutOptions& options,
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

Minimums eanUpcMinimums(int quietLeft, int quietRight) {
  Minimums minimums;
  minimums.moduleMm = kEanUpc.minModuleMm;
  minimums.maxModuleMm = kEanUpc.maxModuleMm;
  minimums.barHeightMm = kEanUpc.minBarHeightMm;
  minimums.quietLeft = quietLeft;
  minimums.quietRight = quietRight;
  return minimums;
}

double barModules(const LayoutOptions& options, double standard) {
  return options.barHeightMm ? *options.barHeightMm / options.moduleMm : standard;
}

}  // namespace

double linearBarModules(int symbolModules, double moduleMm) {
  return std::max(kLinear.heightShare * symbolModules, kLinear.minHeightMm / moduleMm);
}

double eanUpcBarModules() { return kEanUpc.dataBarModules; }

double Layout::barsHeight() const {
  double lowest = 0;
  for (const Bar& bar : bars) lowest = std::max(lowest, bar.top + bar.height);
  return lowest;
}

double Layout::height() const { return margin + std::max(barsHeight(), textBottom) + margin; }

Layout layoutLinear(const linear::Symbol& symbol, const LayoutOptions& options) {
  Layout layout;
  layout.followsPrintSpacing = true;
  layout.quietLeft = layout.quietRight = kLinear.quietZone;
  // In modules: the symbol without print spacing, which a device may add.
  linear::forEachBar(symbol, 0, [&layout](int x, int width, int spaces) {
    layout.bars.push_back({x, width, spaces, 0});
    layout.symbolModules = x + width;
    layout.spaceCount = spaces;
  });
  const double standard = linearBarModules(layout.symbolModules, options.moduleMm);
  layout.barHeight = barModules(options, standard);
  for (Bar& bar : layout.bars) bar.height = layout.barHeight;
  layout.textBottom = layout.barHeight;
  layout.minimums.barHeightMm = standard * options.moduleMm;
  layout.minimums.quietLeft = layout.minimums.quietRight = kLinear.quietZone;
  if (!options.font || symbol.label.empty()) return layout;

  const Font& font = *options.font;
  const double size = sizeForDigits(font, kLinear.labelDigitModules);
  const double baseline = layout.barHeight + kLinear.labelGap + font.glyph(U'0').top * size;
  layout.font = options.font;
  layout.texts.push_back({symbol.label, layout.symbolModules / 2.0,
                          static_cast<double>(layout.spaceCount) / 2, baseline, size});
  layout.textBottom = baseline + font.descent() * size;
  // A label wider than the bars widens both quiet zones alike, so it is never
  // cut; a module of room is left on each side.
  const double overhang = (font.advance(symbol.label) * size - layout.symbolModules) / 2;
  const int side = std::max(kLinear.quietZone, static_cast<int>(std::ceil(overhang + 1)));
  layout.quietLeft = layout.quietRight = side;
  return layout;
}

Layout layoutEan13(const eanupc::Symbol& symbol, const LayoutOptions& options) {
  Layout layout;
  layout.quietLeft = geometry::kEan13.quietLeft;
  layout.quietRight = geometry::kEan13.quietRight;
  layout.barHeight = barModules(options, kEanUpc.dataBarModules);
  const double guards = layout.barHeight + kEanUpc.guardExtraModules;
  addModuleBars(layout, symbol.modules, [&](std::size_t m) {
    return eanupc::isGuardModule(m) ? guards : layout.barHeight;
  });
  // The first digit in the left quiet zone, the others under their modules.
  std::vector<Digit> digits{{-kEanUpc.outsideDigitCentre, 1}};
  for (std::size_t k = 0; k < 12; ++k) digits.push_back({digitCentre(k), 1});
  layoutDigits(layout, symbol.number, options, digits);
  layout.minimums = eanUpcMinimums(layout.quietLeft, layout.quietRight);
  return layout;
}

Layout layoutUpcA(const eanupc::Symbol& symbol, const LayoutOptions& options) {
  Layout layout;
  layout.quietLeft = layout.quietRight = geometry::kUpcA.quietZone;
  layout.barHeight = barModules(options, kEanUpc.dataBarModules);
  const double longBars = layout.barHeight + kEanUpc.guardExtraModules;
  // The bars of the first and last digit are as long as the guards.
  addModuleBars(layout, symbol.modules, [&](std::size_t m) {
    const bool isLong =
        eanupc::isGuardModule(m) || m < eanupc::firstModuleOf(1) || m >= eanupc::firstModuleOf(11);
    return isLong ? longBars : layout.barHeight;
  });
  const double outer = geometry::kUpcA.outerDigitScale;
  std::vector<Digit> digits{{-kEanUpc.outsideDigitCentre, outer}};
  for (std::size_t k = 1; k < 11; ++k) digits.push_back({digitCentre(k), 1});
  digits.push_back({static_cast<double>(eanupc::kModules) + kEanUpc.outsideDigitCentre, outer});
  layoutDigits(layout, symbol.number, options, digits);
  layout.minimums = eanUpcMinimums(layout.quietLeft, layout.quietRight);
  return layout;
}

}  // namespace render

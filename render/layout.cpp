#include "render/layout.h"

#include <algorithm>
#include <cmath>

#include "render/eanupcparts.h"
#include "symbologies/geometry.h"

namespace render {

namespace {

constexpr geometry::Linear kLinear = geometry::kLinear;
using namespace eanupcparts;

// Centre of the seven modules of encoded digit k (0 to 11).
double digitCentre(std::size_t k) { return static_cast<double>(eanupc::firstModuleOf(k)) + 3.5; }

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
  addModuleBars(layout, symbol.modules, 0, 0, [&](std::size_t m) {
    return eanupc::isGuardModule(m) ? guards : layout.barHeight;
  });
  // The first digit in the left quiet zone, the others under their modules.
  std::vector<Digit> digits{{-kEanUpc.outsideDigitCentre, 1}};
  for (std::size_t k = 0; k < 12; ++k) digits.push_back({digitCentre(k), 1});
  layoutDigits(layout, symbol.number, options, digits);
  layout.minimums = minimums(layout.quietLeft, layout.quietRight, kEanUpc.minBarHeightMm);
  return layout;
}

Layout layoutUpcA(const eanupc::Symbol& symbol, const LayoutOptions& options) {
  Layout layout;
  layout.quietLeft = layout.quietRight = geometry::kUpcA.quietZone;
  layout.barHeight = barModules(options, kEanUpc.dataBarModules);
  const double longBars = layout.barHeight + kEanUpc.guardExtraModules;
  // The bars of the first and last digit are as long as the guards.
  addModuleBars(layout, symbol.modules, 0, 0, [&](std::size_t m) {
    const bool isLong =
        eanupc::isGuardModule(m) || m < eanupc::firstModuleOf(1) || m >= eanupc::firstModuleOf(11);
    return isLong ? longBars : layout.barHeight;
  });
  const double outer = geometry::kUpcA.outerDigitScale;
  std::vector<Digit> digits{{-kEanUpc.outsideDigitCentre, outer}};
  for (std::size_t k = 1; k < 11; ++k) digits.push_back({digitCentre(k), 1});
  digits.push_back({static_cast<double>(eanupc::kModules) + kEanUpc.outsideDigitCentre, outer});
  layoutDigits(layout, symbol.number, options, digits);
  layout.minimums = minimums(layout.quietLeft, layout.quietRight, kEanUpc.minBarHeightMm);
  return layout;
}

}  // namespace render

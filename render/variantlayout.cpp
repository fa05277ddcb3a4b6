#include "render/variantlayout.h"

#include <algorithm>
#include <cmath>

#include "render/eanupcparts.h"
#include "symbologies/geometry.h"

namespace render {

namespace {

using namespace eanupcparts;

// EAN-8: 101, four digits, 01010, four digits, 101.
constexpr bool isEan8Guard(std::size_t m) { return m < 3 || (m >= 31 && m < 36) || m >= 64; }
constexpr std::size_t ean8DigitModule(std::size_t k) { return 3 + 7 * k + (k >= 4 ? 5 : 0); }
// UPC-E: 101, six digits, 010101.
constexpr bool isUpcEGuard(std::size_t m) { return m < 3 || m >= 45; }

}  // namespace

Layout layoutEan8(const eanupc::Ean8Symbol& symbol, const LayoutOptions& options) {
  Layout layout;
  layout.quietLeft = layout.quietRight = kEanUpc.ean8QuietZone;
  layout.barHeight = barModules(options, kEanUpc.ean8DataBarModules);
  const double guards = layout.barHeight + kEanUpc.guardExtraModules;
  addModuleBars(layout, symbol.modules, 0, 0,
                [&](std::size_t m) { return isEan8Guard(m) ? guards : layout.barHeight; });
  std::vector<Digit> digits;
  for (std::size_t k = 0; k < 8; ++k)
    digits.push_back({static_cast<double>(ean8DigitModule(k)) + 3.5, 1});
  layoutDigits(layout, symbol.number, options, digits);
  layout.minimums = minimums(layout.quietLeft, layout.quietRight, kEanUpc.ean8MinBarHeightMm);
  return layout;
}

Layout layoutUpcE(const eanupc::UpcESymbol& symbol, const LayoutOptions& options) {
  Layout layout;
  layout.quietLeft = layout.quietRight = kEanUpc.upcEQuietZone;
  layout.barHeight = barModules(options, kEanUpc.dataBarModules);
  const double guards = layout.barHeight + kEanUpc.guardExtraModules;
  addModuleBars(layout, symbol.modules, 0, 0,
                [&](std::size_t m) { return isUpcEGuard(m) ? guards : layout.barHeight; });
  // The number system left of the start guard, the six digits under their
  // bars, the check digit right of the end guard, both smaller.
  const double outer = geometry::kUpcA.outerDigitScale;
  std::vector<Digit> digits{{-kEanUpc.outsideDigitCentre, outer}};
  for (std::size_t k = 0; k < 6; ++k) digits.push_back({3 + 7 * static_cast<double>(k) + 3.5, 1});
  digits.push_back({static_cast<double>(eanupc::kUpcEModules) + kEanUpc.outsideDigitCentre, outer});
  layoutDigits(layout, symbol.number, options, digits);
  layout.minimums = minimums(layout.quietLeft, layout.quietRight, kEanUpc.minBarHeightMm);
  return layout;
}

void addAddOn(Layout& layout, const eanupc::AddOnSymbol& addOn, int gap,
              const LayoutOptions& options) {
  double mainTop = layout.bars.empty() ? 0 : layout.bars.front().top;
  for (const Bar& bar : layout.bars) mainTop = std::min(mainTop, bar.top);
  const double bottom = layout.barsHeight();
  const Font* font = options.font.get();
  const double size = font ? sizeForDigits(*font, kEanUpc.digitModules) : 0;
  // The digits over the add-on's bars, their tops level with the main bars' top.
  const double baseline = mainTop + (font ? font->glyph(U'0').top * size : 0);
  const double top = font ? baseline + kEanUpc.textGap : mainTop;
  const int from = layout.symbolModules + gap;
  addModuleBars(layout, addOn.modules, from, top, [&](std::size_t) { return bottom - top; });
  layout.quietRight = kEanUpc.addOnQuietRight;
  layout.minimums.quietRight = kEanUpc.addOnQuietRight;
  if (!font) return;
  layout.font = options.font;
  // Each digit over its seven modules: after the guard 1011, with 01 between.
  for (std::size_t k = 0; k < addOn.digits.size(); ++k)
    layout.texts.push_back({std::u32string(1, static_cast<char32_t>(addOn.digits[k])),
                            from + 4 + 9 * static_cast<double>(k) + 3.5, 0, baseline, size});
}

void addLineAbove(Layout& layout, const std::u32string& text) {
  if (!layout.font || text.empty()) return;
  const Font& font = *layout.font;
  // As tall as the digits, but no wider than the symbol.
  double size = sizeForDigits(font, kEanUpc.digitModules);
  const double wide = font.advance(text) * size;
  if (wide > layout.symbolModules) size *= layout.symbolModules / wide;
  const double ascent = font.ascent() * size;
  const double shift = (font.ascent() + font.descent()) * size + kEanUpc.textGap;
  for (Bar& bar : layout.bars) bar.top += shift;
  for (Text& other : layout.texts) other.baseline += shift;
  layout.textBottom += shift;
  layout.texts.push_back({text, layout.symbolModules / 2.0, layout.spaceCount / 2.0, ascent, size});
}

Layout layoutItf14(const linear::Symbol& symbol, const LayoutOptions& options, Bearers bearers) {
  Layout layout = layoutLinear(symbol, options);
  const double t = kBearerModules;
  const double bars = layout.barHeight;
  for (Bar& bar : layout.bars) bar.top += t;
  for (Text& text : layout.texts) text.baseline += 2 * t;
  layout.textBottom += 2 * t;
  const bool frame = bearers == Bearers::Frame;
  const int side = frame ? kBearerModules : 0;
  const int left = layout.quietLeft + side, right = layout.quietRight + side;
  const int across = left + layout.symbolModules + right;
  for (const double at : {0.0, t + bars})
    layout.bars.push_back({.x = -left,
                           .width = across,
                           .height = t,
                           .top = at,
                           .spacesAcross = layout.spaceCount,
                           .bearer = true});
  if (frame) {
    layout.bars.push_back({.x = -left, .width = side, .height = bars + 2 * t, .bearer = true});
    layout.bars.push_back({.x = layout.symbolModules + layout.quietRight,
                           .width = side,
                           .spacesBefore = layout.spaceCount,
                           .height = bars + 2 * t,
                           .bearer = true});
  }
  layout.quietLeft = left;
  layout.quietRight = right;
  layout.minimums.moduleMm = kItf14MinModuleMm;
  layout.minimums.maxModuleMm = kItf14MaxModuleMm;
  return layout;
}

}  // namespace render

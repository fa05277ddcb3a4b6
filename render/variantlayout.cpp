#include "render/variantlayout.h"

#include <algorithm>
#include <cmath>

#include "symbologies/geometry.h"

namespace render {

namespace {

// The window's proportions, as layoutEan13 and layoutUpcA take them.
constexpr double kEan13Bars = geometry::kEan13.dataBarPixels();
constexpr double kEan13GuardExtra = geometry::kEan13.guardExtraPixels();
constexpr double kUpcABars = geometry::kUpcA.shortBarPixels();
constexpr double kUpcAGuardExtra = geometry::kUpcA.longExtraPixels();
constexpr double kOutsideDigit = 5;  // a digit beside a guard: its centre, in modules
constexpr double kLabelSlack = 1.06;
// Between a line of text and the bars under it (at least 0.5 X).
constexpr double kTextGap = 1;

// EAN-8: 101, four digits, 01010, four digits, 101.
constexpr bool isEan8Guard(std::size_t m) { return m < 3 || (m >= 31 && m < 36) || m >= 64; }
constexpr std::size_t ean8DigitModule(std::size_t k) { return 3 + 7 * k + (k >= 4 ? 5 : 0); }
// UPC-E: 101, six digits, 010101.
constexpr bool isUpcEGuard(std::size_t m) { return m < 3 || m >= 45; }

// Runs of dark modules of one height become one bar.
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

void addDigits(Layout& layout, const std::string& number, const std::vector<double>& centres) {
  for (std::size_t k = 0; k < number.size() && k < centres.size(); ++k)
    layout.texts.push_back({.text = QString(QLatin1Char(number[k])), .centreX = centres[k]});
}

double lineHeight(const Layout& layout, double size) {
  return (layout.ascent + layout.descent) * size / layout.fontSize;
}

}  // namespace

Layout layoutEan8(const eanupc::Ean8Symbol& symbol, bool label, const QString& fontFamily) {
  Layout layout;
  layout.quietLeft = layout.quietRight = kEan8QuietZone;
  const double bars = std::round(kEan13Bars * kEan8HeightShare);
  addModuleBars(layout, symbol.modules, 0, 0,
                [bars](std::size_t m) { return isEan8Guard(m) ? bars + kEan13GuardExtra : bars; });
  layout.textTop = bars;
  if (!label) return layout;
  setLayoutFont(layout, fontFamily, kEan13FontModules);
  std::vector<double> centres;
  for (std::size_t k = 0; k < 8; ++k) centres.push_back(ean8DigitModule(k) + 3.5);
  addDigits(layout, symbol.number, centres);
  return layout;
}

Layout layoutUpcE(const eanupc::UpcESymbol& symbol, bool label, const QString& fontFamily) {
  Layout layout;
  layout.quietLeft = layout.quietRight = kUpcEQuietZone;
  addModuleBars(layout, symbol.modules, 0, 0, [](std::size_t m) {
    return isUpcEGuard(m) ? kUpcABars + kUpcAGuardExtra : kUpcABars;
  });
  layout.textTop = kUpcABars;
  if (!label) return layout;
  setLayoutFont(layout, fontFamily, kUpcAFontModules);
  // The number system left of the start guard, the six digits under their
  // bars, the check digit right of the end guard.
  std::vector<double> centres{-kOutsideDigit};
  for (std::size_t k = 0; k < 6; ++k) centres.push_back(3 + 7 * static_cast<double>(k) + 3.5);
  centres.push_back(static_cast<double>(eanupc::kUpcEModules) + kOutsideDigit);
  addDigits(layout, symbol.number, centres);
  return layout;
}

void addAddOn(Layout& layout, const eanupc::AddOnSymbol& addOn, int gap, bool label) {
  double mainTop = layout.bars.empty() ? 0 : layout.bars.front().top;
  for (const Bar& bar : layout.bars) mainTop = std::min(mainTop, bar.top);
  const double bottom = layout.barsHeight();
  const bool digits = label && layout.fontSize > 0;
  const double top = mainTop + (digits ? layout.ascent + kTextGap : 0);
  const int from = layout.symbolModules + gap;
  addModuleBars(layout, addOn.modules, from, top, [&](std::size_t) { return bottom - top; });
  layout.quietRight = kAddOnQuietRight;
  if (!digits) return;
  // Each digit over its seven modules: after the guard 1011, with 01 between.
  for (std::size_t k = 0; k < addOn.digits.size(); ++k)
    layout.texts.push_back({.text = QString(QLatin1Char(addOn.digits[k])),
                            .centreX = from + 4 + 9 * static_cast<double>(k) + 3.5,
                            .top = mainTop});
}

void addLineAbove(Layout& layout, const QString& text) {
  if (layout.fontSize <= 0 || text.isEmpty()) return;
  const double wide = textWidth(layout.fontFamily, text, layout.fontSize) * kLabelSlack;
  const double size = layout.fontSize * std::min(1.0, layout.symbolModules / wide);
  const double shift = lineHeight(layout, size) + kTextGap;
  for (Bar& bar : layout.bars) bar.top += shift;
  for (Text& other : layout.texts)
    if (other.top) *other.top += shift;
  layout.textTop += shift;
  layout.texts.push_back({.text = text,
                          .centreX = layout.symbolModules / 2.0,
                          .spacesBefore = layout.spaceCount / 2.0,
                          .top = 0,
                          .size = size});
}

Layout layoutItf14(const linear::Symbol& symbol, bool label, const QString& fontFamily,
                   Bearers bearers) {
  Layout layout = layoutLinear(symbol, label, fontFamily);
  const double t = kBearerModules;
  const double bars = layout.barsHeight();
  for (Bar& bar : layout.bars) bar.top += t;
  layout.textTop += 2 * t;
  const bool frame = bearers == Bearers::Frame;
  const int side = frame ? kBearerModules : 0;
  const int left = layout.quietLeft + side, right = layout.quietRight + side;
  const int across = left + layout.symbolModules + right;
  for (const double at : {0.0, t + bars})
    layout.bars.push_back(
        {.x = -left, .width = across, .height = t, .top = at, .spacesAcross = layout.spaceCount});
  if (frame) {
    layout.bars.push_back({.x = -left, .width = side, .height = bars + 2 * t});
    layout.bars.push_back({.x = layout.symbolModules + layout.quietRight,
                           .width = side,
                           .spacesBefore = layout.spaceCount,
                           .height = bars + 2 * t});
  }
  layout.quietLeft = left;
  layout.quietRight = right;
  return layout;
}

}  // namespace render

#include "render/layout.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <algorithm>
#include <array>
#include <cmath>
#include <memory>

#include "symbologies/geometry.h"

namespace render {

namespace {

// The screen's proportions at one pixel per module.
constexpr geometry::Linear kLinear = geometry::kLinear;
constexpr double kLinearBars = kLinear.barBottom - kLinear.barTop;  // without the label
constexpr double kLinearLabelBars = kLinearBars - kLinear.labelRaise;
constexpr double kLinearLabelGap = 1;
constexpr double kEan13Bars = geometry::kEan13.dataBarPixels();
constexpr double kEan13GuardExtra = geometry::kEan13.guardExtraPixels();
constexpr double kUpcABars = geometry::kUpcA.shortBarPixels();
constexpr double kUpcAGuardExtra = geometry::kUpcA.longExtraPixels();
// A digit set beside a guard, outside the bars: its centre, in modules.
constexpr double kOutsideDigit = 5;
// Room left around the label: devices hint text a little differently.
constexpr double kLabelSlack = 1.06;

// Font metrics measured at a large size and scaled to modules, so that they do
// not depend on any device's hinting.
struct FontMeasure {
  explicit FontMeasure(const QString& family) : font(family), metrics(prepared(font)) {
    for (char16_t c = 0x20; c <= 0x7e; ++c)
      advances[c - 0x20] = metrics.horizontalAdvance(QChar(c));
  }
  static const QFont& prepared(QFont& font) {
    font.setPixelSize(kReference);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
  }
  // Printable ASCII adds up the characters' advances, measured once; other
  // text is shaped.
  double width(const QString& text, double size) const {
    double total = 0;
    for (const QChar c : text) {
      if (c.unicode() < 0x20 || c.unicode() > 0x7e)
        return metrics.horizontalAdvance(text) * size / kReference;
      total += advances[c.unicode() - 0x20];
    }
    return total * size / kReference;
  }
  double ascent(double size) const { return metrics.ascent() * size / kReference; }
  double descent(double size) const { return metrics.descent() * size / kReference; }

  static constexpr int kReference = 200;
  QFont font;
  QFontMetricsF metrics;
  std::array<double, 0x7f - 0x20> advances{};
};

// Measuring starts with finding the font, which costs far more than drawing a
// symbol: keep the few families a run uses, one set per thread.
const FontMeasure& measureOf(const QString& family) {
  thread_local QHash<QString, std::shared_ptr<const FontMeasure>> known;
  if (const auto found = known.constFind(family); found != known.constEnd()) return **found;
  if (known.size() > 16) known.clear();
  return **known.insert(family, std::make_shared<const FontMeasure>(family));
}

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

void layoutDigits(Layout& layout, const std::string& number, bool label, const QString& fontFamily,
                  double fontSize, double dataBars, const std::vector<double>& centres) {
  layout.textTop = dataBars;
  if (!label) return;
  setLayoutFont(layout, fontFamily, fontSize);
  for (std::size_t k = 0; k < number.size() && k < centres.size(); ++k)
    layout.texts.push_back({QString(QLatin1Char(number[k])), centres[k], 0});
}

// Centre of the seven modules of encoded digit k (0 to 11).
double digitCentre(std::size_t k) { return static_cast<double>(eanupc::firstModuleOf(k)) + 3.5; }

}  // namespace

void setLayoutFont(Layout& layout, const QString& family, double size) {
  const FontMeasure& measure = measureOf(family);
  layout.fontFamily = family;
  layout.fontSize = size;
  layout.ascent = measure.ascent(size);
  layout.descent = measure.descent(size);
}

double textWidth(const QString& family, const QString& text, double size) {
  return measureOf(family).width(text, size);
}

double Layout::barsHeight() const {
  double lowest = 0;
  for (const Bar& bar : bars) lowest = std::max(lowest, bar.top + bar.height);
  return lowest;
}

double Layout::height() const {
  double bottom = barsHeight();
  for (const Text& text : texts) {
    const double scale = fontSize > 0 ? sizeOf(text) / fontSize : 1;
    bottom = std::max(bottom, topOf(text) + (ascent + descent) * scale);
  }
  return margin + bottom + margin;
}

Layout layoutLinear(const linear::Symbol& symbol, bool label, const QString& fontFamily) {
  Layout layout;
  layout.followsPrintSpacing = true;
  layout.quietLeft = layout.quietRight = kLinearQuietZone;
  const double barHeight = label ? kLinearLabelBars : kLinearBars;
  // In modules: the symbol without print spacing, which devices add.
  linear::forEachBar(symbol, 0, [&layout, barHeight](int x, int width, int spaces) {
    layout.bars.push_back({x, width, spaces, barHeight});
    layout.symbolModules = x + width;
    layout.spaceCount = spaces;
  });
  if (!label || symbol.label.empty()) return layout;

  const QString text = QString::fromStdU32String(symbol.label);
  setLayoutFont(layout, fontFamily, kLinearFontModules);
  layout.textTop = barHeight + kLinearLabelGap;
  layout.texts.push_back(
      {text, layout.symbolModules / 2.0, static_cast<double>(layout.spaceCount) / 2});
  // A label wider than the bars widens both quiet zones alike, so it is never cut.
  const double labelWidth = measureOf(fontFamily).width(text, kLinearFontModules) * kLabelSlack;
  const double overhang = (labelWidth - layout.symbolModules) / 2;
  const int side = std::max(kLinearQuietZone, static_cast<int>(std::ceil(overhang + 2)));
  layout.quietLeft = layout.quietRight = side;
  return layout;
}

Layout layoutEan13(const eanupc::Symbol& symbol, bool label, const QString& fontFamily) {
  Layout layout;
  layout.quietLeft = kEan13QuietLeft;
  layout.quietRight = kEan13QuietRight;
  addModuleBars(layout, symbol.modules, [](std::size_t m) {
    return eanupc::isGuardModule(m) ? kEan13Bars + kEan13GuardExtra : kEan13Bars;
  });
  // The first digit left of the start guard, the others under their modules.
  std::vector<double> centres{-kOutsideDigit};
  for (std::size_t k = 0; k < 12; ++k) centres.push_back(digitCentre(k));
  layoutDigits(layout, symbol.number, label, fontFamily, kEan13FontModules, kEan13Bars, centres);
  return layout;
}

Layout layoutUpcA(const eanupc::Symbol& symbol, bool label, const QString& fontFamily) {
  Layout layout;
  layout.quietLeft = layout.quietRight = kUpcAQuietZone;
  // As on screen, the bars of the first and last digit are as long as the guards.
  addModuleBars(layout, symbol.modules, [](std::size_t m) {
    const bool longBar =
        eanupc::isGuardModule(m) || m < eanupc::firstModuleOf(1) || m >= eanupc::firstModuleOf(11);
    return longBar ? kUpcABars + kUpcAGuardExtra : kUpcABars;
  });
  std::vector<double> centres{-kOutsideDigit};
  for (std::size_t k = 1; k < 11; ++k) centres.push_back(digitCentre(k));
  centres.push_back(static_cast<double>(eanupc::kModules) + kOutsideDigit);
  layoutDigits(layout, symbol.number, label, fontFamily, kUpcAFontModules, kUpcABars, centres);
  return layout;
}

}  // namespace render

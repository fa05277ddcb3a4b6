#include "screen/linear.h"

#include <QFontMetrics>
#include <vector>

#include "surface/picturebox.h"
#include "symbologies/geometry.h"

namespace linear {

namespace {

constexpr geometry::Linear kGeometry = geometry::kLinear;

int drawSymbol(surface::PictureBox& picture, const Symbol& symbol, const Settings& settings) {
  picture.reserveColumns(symbol.endX);
  // A bar is a run of one-pixel lines; the row of them is drawn once for all rows.
  std::vector<surface::BarSpan> bars;
  bars.reserve(symbol.elements.size() / 2 + 1);
  forEachBar(symbol, settings.printSpacing, [&bars](int x, int width, int) {
    bars.push_back({double(kFirstBarX + x), width, qRgb(0, 0, 0)});
  });
  picture.drawBarRow(bars, kGeometry.barTop,
                     kGeometry.barBottom - kGeometry.labelRaise * settings.label);
  if (settings.label) {
    picture.setCurrentX(symbol.labelX);
    picture.setCurrentY(kGeometry.labelTop);
    picture.Print(QString::fromStdU32String(symbol.label));
  }
  const int twips = pictureTwips(symbol.endX, symbol.twipsPerPixel);
  picture.setWidthTwips(twips);
  return twips;
}

// Instead of a symbol too wide, one line saying so; the picture widens to
// show it whole (a symbol drawn before may have left it narrow), never
// narrows for it.
void showTooLong(surface::PictureBox& picture, const QString& text) {
  picture.Print(text);
  const int pixels = QFontMetrics(picture.font()).horizontalAdvance(text) + 2 * surface::kBorder;
  const int twips = pixels * surface::kTwipsPerPixel + kRightMarginTwips;
  if (twips > picture.WidthTwips()) picture.setWidthTwips(twips);
}

}  // namespace

std::optional<int> drawLinear(surface::PictureBox& picture, std::u32string_view text,
                              const Settings& settings, Encoder encode) {
  picture.Cls();
  if (text.empty()) return std::nullopt;
  const Encoding encoding = encode(text, settings);
  if (const auto* rejected = std::get_if<Rejected>(&encoding)) {
    picture.Print(QString::fromStdU32String(message(*rejected)));
    return std::nullopt;
  }
  if (const auto* tooLong = std::get_if<TooLong>(&encoding)) {
    showTooLong(picture, QString::fromStdU32String(message(*tooLong)));
    return std::nullopt;
  }
  return drawSymbol(picture, std::get<Symbol>(encoding), settings);
}

}  // namespace linear

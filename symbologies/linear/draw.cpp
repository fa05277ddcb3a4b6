#include "symbologies/linear/draw.h"

#include <QFontMetrics>
#include <vector>

#include "surface/picturebox.h"

namespace linear {

namespace {

constexpr int kBarTop = 1;
constexpr int kBarBottom = 58;  // raised by 8 pixels when the label is shown
constexpr int kLabelTop = 50;

int drawSymbol(surface::PictureBox& picture, const Symbol& symbol, const Settings& settings) {
  picture.reserveColumns(symbol.endX);
  // A bar is a run of one-pixel lines; the row of them is drawn once for all rows.
  std::vector<surface::BarSpan> bars;
  bars.reserve(symbol.elements.size() / 2 + 1);
  int x = kFirstBarX;
  for (std::size_t i = 0; i < symbol.elements.size(); ++i) {
    const bool bar = i % 2 == 0;
    const int width = elementWidth(symbol.elements[i], bar, symbol.kind, settings.printSpacing);
    if (bar) bars.push_back({double(x), width, qRgb(0, 0, 0)});
    x += width;
  }
  picture.drawBarRow(bars, kBarTop, kBarBottom - 8 * settings.label);
  if (settings.label) {
    picture.setCurrentX(symbol.labelX);
    picture.setCurrentY(kLabelTop);
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
    picture.Print(message(*rejected));
    return std::nullopt;
  }
  if (const auto* tooLong = std::get_if<TooLong>(&encoding)) {
    showTooLong(picture, message(*tooLong));
    return std::nullopt;
  }
  return drawSymbol(picture, std::get<Symbol>(encoding), settings);
}

QString message(const Rejected& rejected) {
  if (!rejected.named) return QStringLiteral("Invalid Character(s)");
  return QString::fromUcs4(&rejected.character, 1) + QStringLiteral(" is Invalid");
}

QString message(const TooLong&) {
  return QStringLiteral("Data too long: the barcode would be wider than %1 pixels")
      .arg(surface::kMaxPictureWidth);
}

}  // namespace linear

#include "symbologies/eanupc/upca.h"

#include <QLabel>
#include <array>

#include "surface/controllookup.h"
#include "surface/picturebox.h"
#include "symbologies/eanupc/eanupc.h"

namespace eanupc {

namespace {

constexpr int kFirstModuleX = 20;
constexpr int kBarTop = 6;
constexpr int kShortBottom = 42;  // the digits under the bars are printed from here down
constexpr int kLongBottom = 50;   // guards and the first and last digit

// Where each of the twelve digits is printed: the first left of the start
// guard, the last right of the end guard, the others under their bars.
constexpr std::array<int, 12> kTextColumns = {10, 32, 38, 44, 50, 56, 71, 78, 84, 90, 96, 118};

// Light modules are drawn white too, not left to the background.
void drawModule(surface::PictureBox& picture, std::size_t module, char value, int bottom) {
  const int x = kFirstModuleX + static_cast<int>(module);
  picture.Line(x, kBarTop, x, bottom, value == '1' ? QColor(Qt::black) : QColor(Qt::white));
}

void drawSymbol(surface::PictureBox& picture, const Symbol& symbol) {
  for (std::size_t k = 0; k < 12; ++k) {
    picture.setCurrentX(kTextColumns[k]);
    picture.setCurrentY(kShortBottom);
    picture.Print(QString(QLatin1Char(symbol.number[k])));
    const int bottom = k == 0 || k == 11 ? kLongBottom : kShortBottom;
    for (std::size_t m = firstModuleOf(k); m < firstModuleOf(k) + 7; ++m)
      drawModule(picture, m, symbol.modules[m], bottom);
  }
  for (std::size_t m = 0; m < kModules; ++m)
    if (isGuardModule(m)) drawModule(picture, m, symbol.modules[m], kLongBottom);
}

}  // namespace

bool drawUpcA(const QString& number, const QWidget& window) {
  const std::u32string text = number.toStdU32String();
  for (std::size_t k = 0; k < 12; ++k) {
    const QString name = k < 6 ? QStringLiteral("L") : QStringLiteral("R");
    auto* holder = qobject_cast<QLabel*>(surface::findControl(window, name, int(k % 6)));
    if (holder) holder->setText(k < text.size() ? QString::fromUcs4(&text[k], 1) : QString());
  }
  auto* picture =
      qobject_cast<surface::PictureBox*>(surface::findControl(window, QStringLiteral("picUPC")));
  if (!picture) return false;
  // Wipe the previous symbol, which is the background picture, before drawing.
  const auto* blank =
      qobject_cast<surface::PictureBox*>(surface::findControl(window, QStringLiteral("picUPCy")));
  picture->setPicture(blank ? blank->Image() : QImage());
  const Encoding encoding = encodeUpcA(text);
  const auto* symbol = std::get_if<Symbol>(&encoding);
  if (!symbol) return false;
  drawSymbol(*picture, *symbol);
  picture->setPicture(picture->Image());
  return true;
}

}  // namespace eanupc

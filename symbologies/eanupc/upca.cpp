#include "symbologies/eanupc/upca.h"

#include <QLabel>
#include <array>
#include <vector>

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
surface::BarSpan module(std::size_t m, char value) {
  return {double(kFirstModuleX + static_cast<int>(m)), 1,
          value == '1' ? qRgb(0, 0, 0) : qRgb(255, 255, 255)};
}

}  // namespace

void drawUpcA(surface::PictureBox& picture, const Symbol& symbol, Digits digits) {
  // Each digit, then its modules over it, as the symbol has always been drawn.
  std::array<surface::BarSpan, 7> digitModules;
  for (std::size_t k = 0; k < 12; ++k) {
    if (digits == Digits::Printed) {
      picture.setCurrentX(kTextColumns[k]);
      picture.setCurrentY(kShortBottom);
      picture.Print(QString(QLatin1Char(symbol.number[k])));
    }
    for (std::size_t i = 0; i < 7; ++i)
      digitModules[i] = module(firstModuleOf(k) + i, symbol.modules[firstModuleOf(k) + i]);
    picture.drawBarRow(digitModules, kBarTop, k == 0 || k == 11 ? kLongBottom : kShortBottom);
  }
  std::vector<surface::BarSpan> guards;
  for (std::size_t m = 0; m < kModules; ++m)
    if (isGuardModule(m)) guards.push_back(module(m, symbol.modules[m]));
  picture.drawBarRow(guards, kBarTop, kLongBottom);
}

bool DrawUpcA(const QString& number, const QWidget& window) {
  // Everything the renderer needs, found by name in one walk over the window.
  std::array<surface::ControlName, 14> names{};
  for (int i = 0; i < 6; ++i) {
    names[i] = {QLatin1String("L"), i};
    names[6 + i] = {QLatin1String("R"), i};
  }
  names[12] = {QLatin1String("picUPC")};
  names[13] = {QLatin1String("picUPCy")};
  const std::vector<QWidget*> controls = surface::findControls(window, names);

  const std::u32string text = number.toStdU32String();
  for (std::size_t k = 0; k < 12; ++k) {
    if (auto* holder = qobject_cast<QLabel*>(controls[k]))
      holder->setText(k < text.size() ? QString::fromUcs4(&text[k], 1) : QString());
  }
  auto* picture = qobject_cast<surface::PictureBox*>(controls[12]);
  if (!picture) return false;
  // Wipe the previous symbol, which is the background picture, before drawing.
  const auto* blank = qobject_cast<surface::PictureBox*>(controls[13]);
  picture->setPicture(blank ? blank->Image() : QImage());
  const Encoding encoding = encodeUpcA(text);
  const auto* symbol = std::get_if<Symbol>(&encoding);
  if (!symbol) return false;
  drawUpcA(*picture, *symbol);
  picture->setPicture(picture->Image());
  return true;
}

}  // namespace eanupc

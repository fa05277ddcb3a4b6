#include "symbologies/eanupc/ean13.h"

#include <vector>

#include "surface/picturebox.h"

namespace eanupc {

namespace {

constexpr int kFirstModuleX = 11;
constexpr int kBarTop = 5;
constexpr int kDataBottom = 66;  // the digits are printed from here down
constexpr int kGuardBottom = 72;
constexpr int kFirstDigitX = 2;
constexpr double kFontPoints = 10;

// Printed as a number: the blank before it stands where a sign would.
void printDigit(surface::PictureBox& picture, int x, char digit) {
  picture.setCurrentX(x);
  picture.setCurrentY(kDataBottom);
  picture.Print(static_cast<long long>(digit - '0'));
}

}  // namespace

void drawEan13(surface::PictureBox& picture, const Symbol& symbol, Digits digits) {
  picture.Cls();
  picture.setBackColor(Qt::white);
  picture.setFontSize(kFontPoints);
  picture.setDrawWidth(1);
  // Two rows of bars: every dark module down to the digits, the guards on
  // below them. Bars before digits: black bars and black text give the same
  // pixels in either order, and the bars then find the picture clear.
  std::vector<surface::BarSpan> dark, guards;
  dark.reserve(kModules / 2);
  for (std::size_t m = 0; m < symbol.modules.size(); ++m) {
    if (symbol.modules[m] != '1') continue;
    const double x = kFirstModuleX + static_cast<int>(m);
    surface::addLine(dark, x, qRgb(0, 0, 0));
    if (isGuardModule(m)) surface::addLine(guards, x, qRgb(0, 0, 0));
  }
  picture.drawBarRow(dark, kBarTop, kDataBottom);
  picture.drawBarRow(guards, kDataBottom, kGuardBottom);
  if (digits == Digits::Omitted) return;
  printDigit(picture, kFirstDigitX, symbol.number[0]);
  // One unit left of the digit's first module.
  for (std::size_t k = 0; k < 12; ++k)
    printDigit(picture, kFirstModuleX + static_cast<int>(firstModuleOf(k)) - 1,
               symbol.number[k + 1]);
}

}  // namespace eanupc

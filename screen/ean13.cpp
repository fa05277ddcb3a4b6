#include "screen/ean13.h"

#include <vector>

#include "surface/picturebox.h"
#include "symbologies/geometry.h"

namespace eanupc {

namespace {

constexpr geometry::Ean13 kGeometry = geometry::kEan13;
constexpr int kFirstModuleX = kGeometry.firstModuleX;

// Printed as a number: the blank before it stands where a sign would.
void printDigit(surface::PictureBox& picture, int x, char digit) {
  picture.setCurrentX(x);
  picture.setCurrentY(kGeometry.dataBottom);
  picture.Print(static_cast<long long>(digit - '0'));
}

}  // namespace

void drawEan13(surface::PictureBox& picture, const Symbol& symbol, Digits digits) {
  picture.Cls();
  picture.setBackColor(Qt::white);
  picture.setFontSize(kGeometry.fontPoints);
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
  picture.drawBarRow(dark, kGeometry.barTop, kGeometry.dataBottom);
  picture.drawBarRow(guards, kGeometry.dataBottom, kGeometry.guardBottom);
  if (digits == Digits::Omitted) return;
  printDigit(picture, kGeometry.firstDigitX, symbol.number[0]);
  // One unit left of the digit's first module.
  for (std::size_t k = 0; k < 12; ++k)
    printDigit(picture, kFirstModuleX + static_cast<int>(firstModuleOf(k)) - 1,
               symbol.number[k + 1]);
}

}  // namespace eanupc

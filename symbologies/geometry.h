#pragma once

// Where each family's symbol stands in its window picture, in that
// picture's own units. The screen draws from these; an export keeps the
// same proportions at one module a pixel. Standard library only.

#include <array>

namespace geometry {

// Whole pixels down the screen for a height in a picture's user units, as
// the picture rounds them (15 twips a pixel).
constexpr int pixelsDown(int units, double twipsPerUnitY) {
  return static_cast<int>(units * twipsPerUnitY / 15 + 0.5);
}

// Picture1, in pixels: a module a pixel, the first bar at linear::kFirstBarX.
struct Linear {
  int barTop = 1;
  int barBottom = 58;
  int labelRaise = 8;  // the bars end this much higher when the label is shown
  int labelTop = 50;
  double fontPoints = 14.25;
};
inline constexpr Linear kLinear;

// picEan, in its user units: a module a unit across, 11.55 twips a unit down.
struct Ean13 {
  int firstModuleX = 11;
  int barTop = 5;
  int dataBottom = 66;  // the digits are printed from here down
  int guardBottom = 72;
  int firstDigitX = 2;
  double fontPoints = 10;
  double twipsPerUnitX = 15, twipsPerUnitY = 11.55;

  constexpr int dataBarPixels() const { return pixelsDown(dataBottom - barTop, twipsPerUnitY); }
  constexpr int guardExtraPixels() const {
    return pixelsDown(guardBottom - dataBottom, twipsPerUnitY);
  }
};
inline constexpr Ean13 kEan13;

// picUPC, in its user units: a module a unit across, 16.5 twips a unit down.
struct UpcA {
  int firstModuleX = 20;
  int barTop = 6;
  int shortBottom = 42;  // the digits under the bars are printed from here down
  int longBottom = 50;   // guards and the first and last digit
  // Where each of the twelve digits is printed: the first left of the start
  // guard, the last right of the end guard, the others under their bars.
  std::array<int, 12> textColumns = {10, 32, 38, 44, 50, 56, 71, 78, 84, 90, 96, 118};
  double fontPoints = 9.75;
  double twipsPerUnitX = 15, twipsPerUnitY = 16.5;

  constexpr int shortBarPixels() const { return pixelsDown(shortBottom - barTop, twipsPerUnitY); }
  constexpr int longExtraPixels() const {
    return pixelsDown(longBottom - shortBottom, twipsPerUnitY);
  }
};
inline constexpr UpcA kUpcA;

static_assert(kEan13.dataBarPixels() == 47 && kEan13.guardExtraPixels() == 5);
static_assert(kUpcA.shortBarPixels() == 40 && kUpcA.longExtraPixels() == 9);

}  // namespace geometry

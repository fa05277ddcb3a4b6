#pragma once

// Each family's geometry in one record: where its symbol stands in its
// window picture, in that picture's own units (the screen draws from these),
// and the standard's proportions in modules of X, which every export is laid
// out by. Standard library only.

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

  // Print: bars 15 % of the symbol's length (quiet zones not counted) or
  // 6.35 mm (a quarter inch), whichever is more; ten modules of quiet zone
  // on each side.
  double heightShare = 0.15;
  double minHeightMm = 6.35;
  int quietZone = 10;
  double labelGap = 1;                      // modules between the bars and the label
  double labelDigitModules = 2.75 / 0.330;  // its digits as tall as EAN/UPC's
};
inline constexpr Linear kLinear;

// The EAN/UPC standard's symbol at nominal size (X = 0.330 mm): data bars
// 22.85 mm, guards 5 X longer, digits 2.75 mm high in OCR-B, 26.26 mm from the
// bars' top to the digits' foot. X from 80 % to 200 % of nominal; the bars
// keep their height in X, which is 18.28 mm at the smallest.
struct EanUpcPrint {
  double nominalModuleMm = 0.330;
  double minModuleMm = 0.264;
  double maxModuleMm = 0.660;
  double dataBarModules = 69.24;
  double guardExtraModules = 5;
  double minBarHeightMm = 18.28;
  double digitModules = 2.75 / 0.330;       // a digit's height
  double digitFootModules = 26.26 / 0.330;  // from the bars' top
  double outsideDigitCentre = 5;            // modules beside the guards, in the quiet zone
  const char* fontFamily = "OCR B";
  // EAN-8's bars are shorter: 18.23 mm at nominal size, 14.58 mm at 80 %.
  double ean8DataBarModules = 18.23 / 0.330;
  double ean8MinBarHeightMm = 14.58;
  // Quiet zones: EAN-8 7 modules each side, UPC-E 9, an add-on 5 on its right
  // (its left is the main symbol's right quiet zone).
  int ean8QuietZone = 7;
  int upcEQuietZone = 9;
  int addOnQuietRight = 5;
  double textGap = 1;  // modules between a line of text and the bars under it
};
inline constexpr EanUpcPrint kEanUpcPrint;

// picEan, in its user units: a module a unit across, 11.55 twips a unit down.
struct Ean13 {
  int firstModuleX = 11;
  int barTop = 5;
  int dataBottom = 66;  // the digits are printed from here down
  int guardBottom = 72;
  int firstDigitX = 2;
  double fontPoints = 10;
  double twipsPerUnitX = 15, twipsPerUnitY = 11.55;
  // Print: the quiet zones, in modules.
  int quietLeft = 11, quietRight = 7;

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
  // Print: the quiet zones, in modules, and the first and last digit's size
  // beside the others'.
  int quietZone = 9;
  double outerDigitScale = 0.7;

  constexpr int shortBarPixels() const { return pixelsDown(shortBottom - barTop, twipsPerUnitY); }
  constexpr int longExtraPixels() const {
    return pixelsDown(longBottom - shortBottom, twipsPerUnitY);
  }
};
inline constexpr UpcA kUpcA;

static_assert(kEan13.dataBarPixels() == 47 && kEan13.guardExtraPixels() == 5);
static_assert(kUpcA.shortBarPixels() == 40 && kUpcA.longExtraPixels() == 9);

}  // namespace geometry

#pragma once

#include <array>
#include <string_view>

namespace verify {

// EAN/UPC add-ons are not graded: the main symbol is, and the gap before an add-on
// counts as its right quiet zone.
enum class Symbology {
  Code39,
  Interleaved2of5,
  Code128,
  Codabar,
  Ean13,
  UpcA,
  Ean8,
  UpcE,
  Itf14,
  Gs1_128
};

// What a printed symbol must meet besides its print quality.
struct SymbologyRules {
  Symbology symbology;
  std::string_view name;
  double quietLeftX;  // minimum quiet zones, in X
  double quietRightX;
  double xMinMm;  // X range; xMaxMm 0: no upper limit
  double xMaxMm;
  // EAN/UPC: minimum bar height as a multiple of X (the nominal height at X 0.330 mm
  // scales with X). 0: the linear rule, 15 % of the bars' length or 6.35 mm, whichever
  // is more.
  double barHeightPerX;
};

// EAN/UPC and the logistics symbols: GS1 General Specifications, each symbology's own standard
// tables (retail point of sale: X 0.264 to 0.660 mm, bar height 22.85 mm for EAN-13,
// UPC-A and UPC-E and 18.23 mm for EAN-8 at X 0.330 mm; ITF-14 and GS1-128 in logistics:
// X 0.495 to 1.016 mm) and the quiet zones of the EAN/UPC symbols (EAN-13 11 X left, 7 X
// right; EAN-8 7 and 7; UPC-A 9 and 9; UPC-E 9 and 7). Code 39, Interleaved 2 of 5,
// Code 128 and Codabar have no application here, so they get the general rules: 10 X
// quiet zones (the minimum of ISO/IEC 16388, 16390, 15417 and EN 798) and X of at least
// 0.19 mm (0.0075 in, the narrowest the symbology standards count on for open systems;
// narrower needs a closed system and a scanner chosen for it).
inline constexpr std::array kSymbologyRules{
    SymbologyRules{Symbology::Code39, "Code 39", 10, 10, 0.19, 0, 0},
    SymbologyRules{Symbology::Interleaved2of5, "Interleaved 2 of 5", 10, 10, 0.19, 0, 0},
    SymbologyRules{Symbology::Code128, "Code 128", 10, 10, 0.19, 0, 0},
    SymbologyRules{Symbology::Codabar, "Codabar", 10, 10, 0.19, 0, 0},
    SymbologyRules{Symbology::Ean13, "EAN-13", 11, 7, 0.264, 0.660, 22.85 / 0.330},
    SymbologyRules{Symbology::UpcA, "UPC-A", 9, 9, 0.264, 0.660, 22.85 / 0.330},
    SymbologyRules{Symbology::Ean8, "EAN-8", 7, 7, 0.264, 0.660, 18.23 / 0.330},
    SymbologyRules{Symbology::UpcE, "UPC-E", 9, 7, 0.264, 0.660, 22.85 / 0.330},
    SymbologyRules{Symbology::Itf14, "ITF-14", 10, 10, 0.495, 1.016, 0},
    SymbologyRules{Symbology::Gs1_128, "GS1-128", 10, 10, 0.495, 1.016, 0},
};

const SymbologyRules& rulesFor(Symbology symbology);
bool isEanUpc(Symbology symbology);

// The measuring aperture in mm when the application names none. EAN/UPC: 0.150 mm, the
// aperture GS1 grades retail symbols with (X 0.264 to 0.660 mm). Otherwise the guidance
// of ISO/IEC 15416 for an unknown application, a reference aperture of 0.4 to 0.8 X:
// X below 0.180 mm 0.075 mm, below 0.330 mm 0.125 mm, below 0.635 mm 0.250 mm,
// else 0.500 mm.
double defaultApertureMm(Symbology symbology, double xMm);

}  // namespace verify

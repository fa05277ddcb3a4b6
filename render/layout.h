#pragma once

// One symbol laid out for any device: bars and label in modules, quiet zones
// and total size. The devices (raster, SVG, PDF, printer) only scale it.

#include <QString>
#include <vector>

#include "symbologies/eanupc/eanupc.h"
#include "symbologies/geometry.h"
#include "symbologies/linear/linear.h"

namespace render {

struct Bar {
  int x = 0;             // first module, counted from the symbol's first module
  int width = 1;         // in modules
  int spacesBefore = 0;  // spaces of the symbol left of it (print spacing widens each)
  double height = 0;     // in modules, from the top of the bars
};

// A piece of text, centred on a point.
struct Text {
  QString text;
  double centreX = 0;       // modules from the symbol's first module
  double spacesBefore = 0;  // spaces left of that point
};

struct Layout {
  std::vector<Bar> bars;
  int symbolModules = 0;  // from the first bar's left edge to the last bar's right edge
  int spaceCount = 0;     // spaces inside the symbol
  int quietLeft = 0;      // quiet zones, in modules
  int quietRight = 0;
  double margin = 2;  // above the bars and below the text, in modules
  std::vector<Text> texts;
  double textTop = 0;  // from the top of the bars, in modules
  QString fontFamily;
  double fontSize = 0;  // the font's pixel size, in modules
  double ascent = 0;    // of that font, in modules
  double descent = 0;
  bool followsPrintSpacing = false;  // the linear family; EAN/UPC keep their module widths

  double barsHeight() const;
  double height() const;  // in modules, margins included
  int widthModules() const { return quietLeft + symbolModules + quietRight; }
};

// The screen's font sizes at one pixel per module on a 96-dpi screen.
inline constexpr double kLinearFontModules = geometry::kLinear.fontPoints * 96 / 72;
inline constexpr double kEan13FontModules = geometry::kEan13.fontPoints * 96 / 72;
inline constexpr double kUpcAFontModules = geometry::kUpcA.fontPoints * 96 / 72;

// The minimum quiet zones of each family, in modules.
inline constexpr int kLinearQuietZone = 10;
inline constexpr int kEan13QuietLeft = 11;
inline constexpr int kEan13QuietRight = 7;
inline constexpr int kUpcAQuietZone = 9;

Layout layoutLinear(const linear::Symbol& symbol, bool label, const QString& fontFamily);
Layout layoutEan13(const eanupc::Symbol& symbol, bool label, const QString& fontFamily);
Layout layoutUpcA(const eanupc::Symbol& symbol, bool label, const QString& fontFamily);

// How a device scales a layout: everything in the device's own units.
struct Scale {
  double module = 1;      // one module
  double extraSpace = 0;  // added to every space ("Optimize for Printing" in a raster)
  double reduction = 0;   // taken from every bar ("Optimize for Printing" in print)

  double x(double modules, double spaces, const Layout& layout) const {
    return (layout.quietLeft + modules) * module + spaces * extraSpace;
  }
  double width(const Layout& layout) const {
    return layout.widthModules() * module + layout.spaceCount * extraSpace;
  }
  double height(const Layout& layout) const { return layout.height() * module; }
};

}  // namespace render

#pragma once

// One symbol laid out for any device: bars and label in modules, quiet zones
// and total size. The devices (raster, SVG, PDF, printer) only scale it.

#include <QString>
#include <optional>
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
  double top = 0;        // modules below the top of the bars: an add-on's, a bearer bar's
  int spacesAcross = 0;  // spaces of the symbol it spans (a bearer bar), widened as they are
};

// A piece of text, centred on a point.
struct Text {
  QString text;
  double centreX = 0;       // modules from the symbol's first module
  double spacesBefore = 0;  // spaces left of that point
  // A line of its own (an add-on's digits, the ISBN over the bars): its top,
  // modules below the top of the bars; none: at textTop. Its font's size in
  // modules; 0: the layout's.
  std::optional<double> top = std::nullopt;
  double size = 0;
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

  double barsHeight() const;  // to the lowest bar's bottom
  double height() const;      // in modules, margins included
  // Where a text's line starts, and its font's pixel size and ascent, in modules.
  double topOf(const Text& text) const { return text.top.value_or(textTop); }
  double sizeOf(const Text& text) const { return text.size > 0 ? text.size : fontSize; }
  double ascentOf(const Text& text) const {
    return fontSize > 0 ? ascent * sizeOf(text) / fontSize : 0;
  }
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

// Sets the layout's font; the width of a text in it at a pixel size, in modules.
void setLayoutFont(Layout& layout, const QString& family, double size);
double textWidth(const QString& family, const QString& text, double size);

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

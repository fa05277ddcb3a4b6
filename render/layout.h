#pragma once

// One symbol laid out for any device: bars and text in modules, quiet zones,
// heights by the symbology's standard (or the user's), and the minimums the
// standard sets, for the warnings. The devices only scale it.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "render/font.h"
#include "symbologies/eanupc/eanupc.h"
#include "symbologies/linear/linear.h"

namespace render {

struct Bar {
  int x = 0;             // first module, counted from the symbol's first module
  int width = 1;         // in modules
  int spacesBefore = 0;  // spaces of the symbol left of it (the screen's print spacing widens each)
  double height = 0;     // in modules
  double top = 0;        // modules below the top of the bars: an add-on's, a bearer bar's
  int spacesAcross = 0;  // spaces of the symbol it spans (a bearer bar), widened as they are
  bool bearer = false;   // ITF-14's frame: not a bar of the symbol, and no quiet zone's end
};

// A piece of text, centred on a point, on a baseline.
struct Text {
  std::u32string text;
  double centreX = 0;       // modules from the symbol's first module
  double spacesBefore = 0;  // spaces left of that point
  double baseline = 0;      // modules below the top of the bars
  double size = 0;          // the font's em, in modules
};

// What the standard asks of a symbol, to warn when an export falls short.
struct Minimums {
  std::optional<double> moduleMm, maxModuleMm;  // the range of X, where the standard has one
  double barHeightMm = 0;                       // at the X the layout was made for
  int quietLeft = 0, quietRight = 0;            // modules
};

struct Layout {
  std::vector<Bar> bars;
  int symbolModules = 0;  // from the first bar's left edge to the last bar's right edge
  int spaceCount = 0;     // spaces inside the symbol
  int quietLeft = 0;      // quiet zones, in modules
  int quietRight = 0;
  double margin = 2;     // above the bars and below the text, in modules
  double barHeight = 0;  // the (data) bars, in modules; guards may be longer
  std::vector<Text> texts;
  double textBottom = 0;  // the lowest the text reaches, modules below the bars' top
  std::shared_ptr<const Font> font;
  bool followsPrintSpacing = false;  // the linear family; EAN/UPC keep their module widths
  Minimums minimums;

  double barsHeight() const;  // the lowest bar's bottom
  double height() const;      // in modules, margins included
  int widthModules() const { return quietLeft + symbolModules + quietRight; }
};

// How a symbol is laid out. The bars' height follows X for the linear family
// (at least 6.35 mm), so X comes first.
struct LayoutOptions {
  double moduleMm = 0.33;
  std::optional<double> barHeightMm;  // the user's; none: the standard's
  std::shared_ptr<const Font> font;   // null: no text
};

Layout layoutLinear(const linear::Symbol& symbol, const LayoutOptions& options);
Layout layoutEan13(const eanupc::Symbol& symbol, const LayoutOptions& options);
Layout layoutUpcA(const eanupc::Symbol& symbol, const LayoutOptions& options);

// The standard's bar height of each family, in modules at X.
double linearBarModules(int symbolModules, double moduleMm);
double eanUpcBarModules();

}  // namespace render

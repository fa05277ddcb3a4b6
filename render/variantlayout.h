#pragma once

// Layouts of the symbols the command line makes beside the window's eight:
// EAN-8 and UPC-E, an EAN-2 or EAN-5 add-on beside any EAN/UPC symbol, a line
// of text over the bars (the ISBN as typed), and ITF-14 with bearer bars.
// The same Layout, at the window's proportions.

#include <QString>

#include "render/layout.h"
#include "symbologies/eanupc/variants.h"
#include "symbologies/linear/linear.h"

namespace render {

// Quiet zones: EAN-8 seven modules each side; UPC-E nine on the left, and
// nine on the right too, where its check digit is printed.
inline constexpr int kEan8QuietZone = 7;
inline constexpr int kUpcEQuietZone = 9;
// Right of an add-on.
inline constexpr int kAddOnQuietRight = 5;
// EAN-8's bars are shorter than EAN-13's: 18.23 mm to 22.85 at X = 0.330 mm.
inline constexpr double kEan8HeightShare = 18.23 / 22.85;

Layout layoutEan8(const eanupc::Ean8Symbol& symbol, bool label, const QString& fontFamily);
Layout layoutUpcE(const eanupc::UpcESymbol& symbol, bool label, const QString& fontFamily);

// The add-on `gap` modules right of the symbol's last bar, its bars ending
// with the main symbol's longest, its digits over them, their tops level
// with the main bars' top.
void addAddOn(Layout& layout, const eanupc::AddOnSymbol& addOn, int gap, bool label);

// A line of text over the bars, centred on the symbol and no wider than it;
// nothing without a label. Before any add-on.
void addLineAbove(Layout& layout, const QString& text);

// ITF-14's bearer bars: a frame round the symbol and its quiet zones, or a
// bar along its top and bottom edges only.
enum class Bearers { Frame, TopAndBottom };
inline constexpr int kBearerModules = 5;  // at least 2 X

// Quiet zones of 10 modules, inside a frame.
Layout layoutItf14(const linear::Symbol& symbol, bool label, const QString& fontFamily,
                   Bearers bearers);

}  // namespace render

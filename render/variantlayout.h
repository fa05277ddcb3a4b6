#pragma once

// Layouts of the symbols the command line makes beside the window's eight:
// EAN-8 and UPC-E, an EAN-2 or EAN-5 add-on beside any EAN/UPC symbol, a line
// of text over the bars (the ISBN as typed), and ITF-14 with bearer bars. The
// same Layout, by the standards' proportions.

#include <string>

#include "render/layout.h"
#include "symbologies/eanupc/variants.h"
#include "symbologies/linear/linear.h"

namespace render {

Layout layoutEan8(const eanupc::Ean8Symbol& symbol, const LayoutOptions& options);
Layout layoutUpcE(const eanupc::UpcESymbol& symbol, const LayoutOptions& options);

// The add-on `gap` modules right of the symbol's last bar, its bars ending
// with the main symbol's longest, its digits over them, their tops level
// with the main bars' top.
void addAddOn(Layout& layout, const eanupc::AddOnSymbol& addOn, int gap,
              const LayoutOptions& options);

// A line of text over the bars, centred on the symbol and no wider than it;
// nothing without a font. Before any add-on.
void addLineAbove(Layout& layout, const std::u32string& text);

// ITF-14's bearer bars: a frame round the symbol and its quiet zones, or a
// bar along its top and bottom edges only.
enum class Bearers { Frame, TopAndBottom };
inline constexpr int kBearerModules = 5;  // at least 2 X

// Quiet zones of 10 modules, inside a frame; ITF-14's range of X.
Layout layoutItf14(const linear::Symbol& symbol, const LayoutOptions& options, Bearers bearers);
inline constexpr double kItf14MinModuleMm = 0.495, kItf14MaxModuleMm = 1.016;

}  // namespace render

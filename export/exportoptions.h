#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "export/symbollayout.h"
#include "render/devices.h"

namespace app {

struct Choice;

// A bar width reduction as asked: whole dots of the resolution, or mm.
struct Reduction {
  double amount = 0;
  bool inDots = true;
};

// What a vector file takes as X, and as the bars' height, in mm.
inline constexpr double kMinModuleMm = 0.01;
inline constexpr double kMaxModuleMm = 10;
inline constexpr double kMaxHeightMm = 1000;
// "Optimize for Printing" takes one dot from every bar from this many dots
// per module up; below, one dot is too much of a bar.
inline constexpr int kDotsToReduce = 4;
// No reduction takes more of a module than this.
inline constexpr double kMaxReductionShare = 0.25;

// How a symbol is exported, wherever it is asked for: the window's dialog, the
// command line, a batch.
struct ExportOptions {
  render::Format format = render::Format::Png;
  render::Resolution resolution;   // dots per module (unless X is given in mm) and dpi
  std::optional<double> moduleMm;  // X asked in mm
  std::optional<double> heightMm;  // of the bars; none: the standard's
  bool label = true;
  bool check = false;
  bool optimize = false;               // "Optimize for Printing"
  std::optional<Reduction> reduction;  // given: applies to every symbology
  render::Style style;
  std::string fontFamily;  // empty: the family's own
  // What the window does not offer: an EAN/UPC add-on (or "+DIGITS" after
  // the data), Code 128's code sets (the shortest symbol unless asked),
  // Codabar's start and stop (else the data's own first and last letter, or
  // A ... A), ITF-14's bearer bars.
  std::string addOn;
  linear::CodeSet codeSet = linear::CodeSet::Auto;
  std::optional<std::pair<char32_t, char32_t>> codabarEnds;
  render::Bearers bearers = render::Bearers::Frame;
  bool codeSetGiven = false, bearersGiven = false;  // typed, so checked against the type
};

// The options as typed on the command line, not yet read.
struct TypedOptions {
  std::optional<std::string> dots{}, module{}, dpi{}, font{}, height{}, reduce{}, rotate{}, fg{},
      bg{}, addOn{}, codeSet{}, codabarEnds{}, bearers{};
  bool noLabel = false, check = false, optimize = false;
};

// Reads the typed options into options, whose format is already set; returns
// what is wrong with them, or "".
std::string readExportOptions(const TypedOptions& typed, ExportOptions& options);

// What the options ask of this symbology or format that it cannot do (a
// check character where it has none, an add-on after Code 39, a transparent
// BMP), or "".
std::string checkOptionsFor(const Choice& choice, const ExportOptions& options);
std::string checkFormatOptions(const ExportOptions& options);

// X on the options' format: whole dots on a raster (the nearest to X in mm,
// at least one), exactly as asked on a vector file.
struct ModuleSize {
  double mm = 0;
  int dots = 0;  // a raster's dots per module; 0 on a vector file
};
ModuleSize moduleSize(const ExportOptions& options);

// The request for the data with these options: the choice's fixed settings
// (Code 128's check character) win, a check digit may be typed with EAN/UPC
// data, and the data is read as the command line reads it ("+DIGITS", ISBN-10,
// Codabar's letters at both ends).
SymbolRequest requestFor(const Choice& choice, const std::string& data,
                         const ExportOptions& options);

// An export worked out: what the device draws, and why.
struct ExportPlan {
  render::Output output;
  ModuleSize module;
  double reductionMm = 0;
  enum class Reduce {
    None,
    Asked,          // the user's
    Default,        // one dot: "Optimize for Printing" at 4 dots per module or more
    TooFewDots,     // "Optimize for Printing" below 4 dots per module: none
    ScreenSpacing,  // a raster at one dot a module: the screen's print spacing
    OnlyWhenAsked,  // EAN/UPC with "Optimize for Printing": none unless given
  } reduce = Reduce::None;
};
ExportPlan planExport(const ExportOptions& options, const render::Layout& layout);

// What falls short of the symbology's standard, as values; warningText says it.
struct Warning {
  enum class Kind { ModuleBelow, ModuleAbove, HeightBelow, QuietLeftBelow, QuietRightBelow } kind;
  double value = 0;  // as made: mm, or modules for quiet zones
  double limit = 0;
};
std::vector<Warning> warningsFor(const render::Layout& layout, const ExportPlan& plan);
std::string warningText(const Warning& warning);

// The quiet zones as drawn on the device, in modules: the page's edge to the
// first bar, the last bar to the edge.
struct QuietZones {
  double left = 0, right = 0;
};
QuietZones quietZonesOf(const render::Layout& layout, const render::Output& output);

// The size of the file in words: millimetres, dots for a raster, the real X,
// the bars' height and their reduction.
std::string describeSize(const render::Layout& layout, const ExportPlan& plan);

}  // namespace app

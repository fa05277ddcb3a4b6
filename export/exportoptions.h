#pragma once

#include <QString>
#include <optional>
#include <utility>

#include "export/symbollayout.h"
#include "render/devices.h"

namespace app {

struct Choice;

// How a symbol is exported, wherever it is asked for: the window's dialog, the
// command line, a batch.
struct ExportOptions {
  render::Resolution resolution;
  bool label = true;
  bool check = false;
  bool optimize = false;
  QString fontFamily = QStringLiteral("Tahoma");
  // What the window does not offer: an EAN/UPC add-on (or "+DIGITS" after
  // the data), Code 128's code sets (the shortest symbol unless asked),
  // Codabar's start and stop (else the data's own first and last letter, or
  // A ... A), ITF-14's bearer bars.
  QString addOn;
  linear::CodeSet codeSet = linear::CodeSet::Auto;
  std::optional<std::pair<char32_t, char32_t>> codabarEnds;
  render::Bearers bearers = render::Bearers::Frame;
  bool codeSetGiven = false, bearersGiven = false;  // typed, so checked against the type
};

// The options as typed on the command line, not yet read.
struct TypedOptions {
  std::optional<QString> dots, module, dpi, font;
  bool noLabel = false, check = false, optimize = false;
  std::optional<QString> addOn{}, codeSet{}, codabarEnds{}, bearers{};
};

// Reads the typed options into options; returns what is wrong with them, or "".
QString readExportOptions(const TypedOptions& typed, ExportOptions& options);

// What the options ask of this symbology that it cannot do (a check character
// where it has none, an add-on after Code 39), or "".
QString checkOptionsFor(const Choice& choice, const ExportOptions& options);

// What to warn of, though the file is written, or "": ITF-14 outside GS1's
// range of X.
QString sizeWarning(const Choice& choice, const render::Resolution& resolution);
inline constexpr double kItf14MinModuleMm = 0.495, kItf14MaxModuleMm = 1.016;

// The request for the data with these options: the choice's fixed settings
// (Code 128's check character) win, a check digit may be typed with EAN/UPC
// data, and the data is read as the command line reads it ("+DIGITS", ISBN-10,
// Codabar's letters at both ends).
SymbolRequest requestFor(const Choice& choice, const QString& data, const ExportOptions& options);

// The size of the file in words: millimetres, pixels, and the real module width.
QString describeSize(render::Format format, const render::Layout& layout,
                     const render::Resolution& resolution, bool optimize);

// Width and height of the file in mm and in dots.
struct ExportSize {
  double widthMm = 0, heightMm = 0;
  int widthDots = 0, heightDots = 0;
};
ExportSize exportSize(render::Format format, const render::Layout& layout,
                      const render::Resolution& resolution, bool optimize);

}  // namespace app

#pragma once

#include <QString>
#include <optional>

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
};

// The options as typed on the command line, not yet read.
struct TypedOptions {
  std::optional<QString> dots, module, dpi, font;
  bool noLabel = false, check = false, optimize = false;
};

// Reads the typed options into options; returns what is wrong with them, or "".
QString readExportOptions(const TypedOptions& typed, ExportOptions& options);

// What the options ask of this symbology that it cannot do (a check character
// where it has none), or "".
QString checkOptionsFor(const Choice& choice, const ExportOptions& options);

// The request for the data with these options: the choice's fixed settings
// (Code 128's check character) win, and a check digit may be typed with EAN/UPC data.
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

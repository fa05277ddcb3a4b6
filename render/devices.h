#pragma once

// The devices a layout is drawn on: rasters (PNG, BMP) at whole dots per
// module, vector files (SVG, PDF, EPS) at X exactly; app/ prints the same
// scene through Qt. Each device has its own file; they share the scene.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "render/layout.h"

namespace render {

enum class Format { Png, Svg, Pdf, Bmp, Eps };

// "png", "svg", "pdf", "bmp", "eps" (any case), or nothing.
std::optional<Format> formatNamed(std::string_view name);
std::string_view extensionOf(Format format);  // without the dot
std::string_view mimeTypeOf(Format format);
bool isRaster(Format format);

inline constexpr int kMinDots = 1;
inline constexpr int kMaxDots = 20;
inline constexpr int kMinDpi = 72;
inline constexpr int kMaxDpi = 4800;
inline constexpr int kDefaultDots = 4;
inline constexpr int kDefaultDpi = 300;

// A module as whole dots at a resolution: rasters, printers, labels.
struct Resolution {
  int dots = kDefaultDots;
  int dpi = kDefaultDpi;

  double moduleMm() const { return dots * 25.4 / dpi; }
  double dotMm() const { return 25.4 / dpi; }
};

// Dots per module for a module width in mm: the nearest whole number, at least 1.
int dotsForModule(double moduleMm, int dpi);

struct Colour {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Colour&) const = default;
};
inline constexpr Colour kBlack{0, 0, 0};
inline constexpr Colour kWhite{255, 255, 255};

struct Style {
  Colour foreground = kBlack;
  std::optional<Colour> background = kWhite;  // none: transparent where the format can be
  int rotation = 0;                           // degrees clockwise: 0, 90, 180 or 270
};

// A layout's size on a device, in the device's units: dots for rasters and
// the proof pictures, millimetres for the vector files.
struct Output {
  Format format = Format::Png;
  int dpi = kDefaultDpi;
  double module = kDefaultDots;  // whole dots on a raster; X in mm on a vector file
  double reduction = 0;          // taken from every bar, given to every space
  // A raster at one dot a module with print spacing: every space one dot
  // wider, as the screen draws it.
  bool screenSpacing = false;
  Style style;
};

// The page's size in the output's units, after rotation, as written: a
// device that rounds its page size rounds up and adds the rest to the quiet
// zones, half on each side.
struct PageSize {
  double width = 0, height = 0;
};
PageSize pageSize(const Layout& layout, const Output& output);
// The same before rounding, in the output's units.
PageSize exactSize(const Layout& layout, const Output& output);

// Receives a file's bytes as they are made; false stops the writing.
using Sink = std::function<bool(const char* data, std::size_t size)>;

// Writes the file: rasters row by row, so memory stays near one row.
bool write(const Layout& layout, const Output& output, const Sink& sink);
// The whole file at once.
std::string document(const Layout& layout, const Output& output);

// A grey picture, 0 for ink and 255 for paper, row after row.
struct Picture {
  int width = 0, height = 0;
  int dpi = kDefaultDpi;
  std::vector<std::uint8_t> grey;
};

// What a reader sees of the file: a raster's own dots; a vector file drawn
// at output.dpi, a dot wherever a dot's centre falls inside ink.
Picture picture(const Layout& layout, const Output& output);

}  // namespace render

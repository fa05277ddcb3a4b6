#pragma once

// The devices a layout is drawn on: a raster at whole dots per module, SVG and
// PDF in millimetres; app/ prints through paint().

#include <QByteArray>
#include <QImage>
#include <QString>
#include <optional>

#include "render/layout.h"

class QPainter;

namespace render {

enum class Format { Png, Svg, Pdf, Bmp };

// "png", "svg", "pdf", "bmp" (any case), or nothing.
std::optional<Format> formatNamed(const QString& name);
QString extensionOf(Format format);  // without the dot
QString mimeTypeOf(Format format);

inline constexpr int kMinDots = 1;
inline constexpr int kMaxDots = 20;
inline constexpr int kMinDpi = 72;
inline constexpr int kMaxDpi = 4800;
inline constexpr int kDefaultDots = 4;
inline constexpr int kDefaultDpi = 300;

// The size of a module: whole dots at a resolution.
struct Resolution {
  int dots = kDefaultDots;
  int dpi = kDefaultDpi;

  double moduleMm() const { return dots * 25.4 / dpi; }
  double dotMm() const { return 25.4 / dpi; }
};

// Dots per module for a module width in mm: the nearest whole number, at least 1.
int dotsForModule(double moduleMm, int dpi);

// "Optimize for Printing" on a raster: every space one dot wider. At one dot
// per module the bars are then exactly the screen's.
Scale rasterScale(const Layout& layout, int dots, bool printSpacing);
// The same in print: every bar one dot narrower, every space as much wider.
// Below three dots per module nothing is taken: one dot is then half the
// module or all of it, and Code 128 no longer scans.
inline constexpr int kMinDotsToReduce = 3;
Scale printScale(const Layout& layout, double module, double dot, int dots, bool printSpacing);

QImage rasterImage(const Layout& layout, const Resolution& resolution, bool printSpacing);
QByteArray svgDocument(const Layout& layout, const Resolution& resolution, bool printSpacing);
QByteArray pdfDocument(const Layout& layout, const Resolution& resolution, bool printSpacing);

// The file's bytes in the format.
QByteArray document(Format format, const Layout& layout, const Resolution& resolution,
                    bool printSpacing);
QByteArray encodedImage(const QImage& image, const char* format);

// Draws the layout with its top-left corner at the painter's origin, in the
// painter's device units.
void paint(QPainter& painter, const Layout& layout, const Scale& scale);

}  // namespace render

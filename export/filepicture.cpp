#include "export/filepicture.h"

// GLib names a member "signals", which Qt keeps as a keyword.
#pragma push_macro("signals")
#undef signals
#include <cairo.h>
#include <librsvg/rsvg.h>
#pragma pop_macro("signals")

#include <poppler-document.h>
#include <poppler-page-renderer.h>
#include <poppler-page.h>

#include <QBuffer>
#include <QImageReader>
#include <QProcess>
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <memory>

#include "export/limits.h"

namespace app {

namespace {

constexpr int kDefaultDpi = 300;

// A picture drawn to grade a file is held to the dots an image written may have.
bool tooLarge(double width, double height) {
  return width * height > static_cast<double>(limits().filePixels);
}

QString tooLargeText(double width, double height) {
  return QStringLiteral("the picture would be %1 x %2 dots, more than the %3 an image may have")
      .arg(std::ceil(width), 0, 'f', 0)
      .arg(std::ceil(height), 0, 'f', 0)
      .arg(limits().filePixels);
}

double perMm(int dpi) { return dpi / 25.4; }

std::uint32_t bigEndian32(const QByteArray& bytes, qsizetype at) {
  const auto* b = reinterpret_cast<const unsigned char*>(bytes.constData() + at);
  return std::uint32_t{b[0]} << 24 | std::uint32_t{b[1]} << 16 | std::uint32_t{b[2]} << 8 | b[3];
}

// The resolution a PNG (pHYs, in dots a metre) or a BMP (pixels a metre) stores; Qt
// reports 96 dpi for a file that stores none, which is no resolution at all.
std::optional<double> storedDotsPerMm(const QByteArray& bytes) {
  if (bytes.startsWith("\x89PNG\r\n\x1a\n")) {
    for (qsizetype at = 8; at + 8 <= bytes.size();) {
      const std::uint32_t length = bigEndian32(bytes, at);
      const QByteArray type = bytes.mid(at + 4, 4);
      if (type == "IDAT" || length > static_cast<std::uint32_t>(bytes.size())) break;
      if (type == "pHYs" && length == 9 && at + 17 <= bytes.size() && bytes[at + 16] == 1) {
        const std::uint32_t x = bigEndian32(bytes, at + 8);
        if (x > 0) return x / 1000.0;
      }
      at += 12 + static_cast<qsizetype>(length);
    }
    return std::nullopt;
  }
  if (bytes.startsWith("BM") && bytes.size() >= 42) {
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.constData() + 38);
    const std::int32_t x =
        static_cast<std::int32_t>(std::uint32_t{b[0]} | std::uint32_t{b[1]} << 8 |
                                  std::uint32_t{b[2]} << 16 | std::uint32_t{b[3]} << 24);
    if (x > 0) return x / 1000.0;
  }
  return std::nullopt;
}

std::variant<verify::Image, QString> raster(const QByteArray& bytes, std::optional<int> dpi) {
  QByteArray held = bytes;  // shared, not copied
  QBuffer buffer(&held);
  buffer.open(QIODevice::ReadOnly);
  // In megabytes, for the largest image a file may have at four bytes a dot (Qt's readers
  // alone stop at 128 MB); the limit is the process's (QT_IMAGEIO_MAXALLOC still overrides it).
  const qint64 megabytes = (limits().filePixels * 4 >> 20) + 1;
  QImageReader::setAllocationLimit(static_cast<int>(std::min<qint64>(megabytes, INT_MAX)));
  QImageReader reader(&buffer);
  const QImage image = reader.read();
  if (image.isNull())
    return QStringLiteral("not a picture that can be read: %1").arg(reader.errorString());
  const std::optional<double> stored = storedDotsPerMm(bytes);
  const double dotsPerMm = dpi ? perMm(*dpi) : stored.value_or(perMm(kDefaultDpi));
  return readerImage(image, dotsPerMm);
}

std::variant<verify::Image, QString> svg(const QByteArray& bytes, int dpi) {
  GError* error = nullptr;
  std::unique_ptr<RsvgHandle, decltype(&g_object_unref)> handle(
      rsvg_handle_new_from_data(reinterpret_cast<const guint8*>(bytes.constData()),
                                static_cast<gsize>(bytes.size()), &error),
      &g_object_unref);
  if (!handle) {
    const QString why = QString::fromUtf8(error ? error->message : "unknown error");
    if (error) g_error_free(error);
    return QStringLiteral("librsvg cannot read the SVG: ") + why;
  }
  rsvg_handle_set_dpi(handle.get(), dpi);
  double width = 0, height = 0;
  if (!rsvg_handle_get_intrinsic_size_in_pixels(handle.get(), &width, &height) || width <= 0 ||
      height <= 0)
    return QStringLiteral("the SVG has no size in millimetres or inches");
  if (tooLarge(width, height)) return tooLargeText(width, height);
  // Rounded up, so that a fraction of a dot at the edge is drawn, not cut.
  const int w = static_cast<int>(std::ceil(width - 1e-6));
  const int h = static_cast<int>(std::ceil(height - 1e-6));
  QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
  if (image.isNull()) return tooLargeText(width, height);
  image.fill(Qt::transparent);
  cairo_surface_t* surface = cairo_image_surface_create_for_data(
      image.bits(), CAIRO_FORMAT_ARGB32, w, h, static_cast<int>(image.bytesPerLine()));
  cairo_t* cairo = cairo_create(surface);
  const RsvgRectangle viewport{0, 0, width, height};
  const bool drawn = rsvg_handle_render_document(handle.get(), cairo, &viewport, &error);
  cairo_destroy(cairo);
  cairo_surface_destroy(surface);
  if (!drawn) {
    const QString why = QString::fromUtf8(error ? error->message : "unknown error");
    if (error) g_error_free(error);
    return QStringLiteral("librsvg cannot draw the SVG: ") + why;
  }
  return readerImage(image, perMm(dpi));
}

std::variant<verify::Image, QString> pdf(const QByteArray& bytes, int dpi) {
  std::unique_ptr<poppler::document> document(
      poppler::document::load_from_raw_data(bytes.constData(), static_cast<int>(bytes.size())));
  if (!document || document->is_locked() || document->pages() < 1)
    return QStringLiteral("Poppler cannot read the PDF");
  std::unique_ptr<poppler::page> page(document->create_page(0));
  if (!page) return QStringLiteral("Poppler cannot read the PDF's first page");
  const poppler::rectf box = page->page_rect(poppler::media_box);
  const double width = box.width() / 72 * dpi, height = box.height() / 72 * dpi;
  if (tooLarge(width, height)) return tooLargeText(width, height);
  poppler::page_renderer renderer;
  renderer.set_image_format(poppler::image::format_argb32);
  renderer.set_render_hint(poppler::page_renderer::antialiasing);
  const poppler::image drawn = renderer.render_page(page.get(), dpi, dpi);
  if (!drawn.is_valid()) return QStringLiteral("Poppler cannot draw the PDF");
  const QImage image(reinterpret_cast<const uchar*>(drawn.const_data()), drawn.width(),
                     drawn.height(), drawn.bytes_per_row(), QImage::Format_ARGB32);
  return readerImage(image, perMm(dpi));
}

std::variant<verify::Image, QString> eps(const QByteArray& bytes, int dpi) {
  // Ghostscript's own rasteriser, cropped to the bounding box.
  QProcess gs;
  gs.start(QStringLiteral("gs"),
           {QStringLiteral("-q"), QStringLiteral("-dSAFER"), QStringLiteral("-dBATCH"),
            QStringLiteral("-dNOPAUSE"), QStringLiteral("-dEPSCrop"),
            QStringLiteral("-dTextAlphaBits=4"), QStringLiteral("-dGraphicsAlphaBits=4"),
            QStringLiteral("-sDEVICE=png16m"), QStringLiteral("-r%1").arg(dpi),
            QStringLiteral("-sOutputFile=%stdout"), QStringLiteral("-")});
  if (!gs.waitForStarted()) return QStringLiteral("Ghostscript (gs) cannot be started");
  gs.write(bytes);
  gs.closeWriteChannel();
  if (!gs.waitForFinished(120'000) || gs.exitStatus() != QProcess::NormalExit || gs.exitCode() != 0)
    return QStringLiteral("Ghostscript cannot draw the EPS: %1")
        .arg(QString::fromLocal8Bit(gs.readAllStandardError()).simplified());
  const auto picture = raster(gs.readAllStandardOutput(), dpi);
  if (const auto* why = std::get_if<QString>(&picture))
    return QStringLiteral("Ghostscript's picture: ") + *why;
  return picture;
}

}  // namespace

FileKind fileKindOf(const QByteArray& bytes) {
  if (bytes.startsWith("%PDF-")) return FileKind::Pdf;
  if (bytes.startsWith("%!PS")) return FileKind::Eps;
  // SVG: XML whose first element is svg, after any declaration, comments or doctype.
  const QByteArray head = bytes.left(4096);
  const qsizetype svgAt = head.indexOf("<svg");
  if (svgAt >= 0) {
    const QByteArray before = head.left(svgAt).trimmed();
    if (before.isEmpty() || before.startsWith("<?xml") || before.startsWith("<!"))
      return FileKind::Svg;
  }
  return FileKind::Raster;
}

std::variant<verify::Image, QString> pictureOfFile(const QByteArray& bytes,
                                                   std::optional<int> dpi) {
  if (bytes.isEmpty()) return QStringLiteral("the file is empty");
  switch (fileKindOf(bytes)) {
    case FileKind::Svg:
      return svg(bytes, dpi.value_or(kDefaultDpi));
    case FileKind::Pdf:
      return pdf(bytes, dpi.value_or(kDefaultDpi));
    case FileKind::Eps:
      return eps(bytes, dpi.value_or(kDefaultDpi));
    case FileKind::Raster:
      break;
  }
  return raster(bytes, dpi);
}

verify::Image readerImage(const QImage& image, double dotsPerMm) {
  verify::Image out;
  if (image.isNull()) return out;
  const int width = image.width(), height = image.height();
  out.width = width;
  out.height = height;
  out.dotsPerMm = dotsPerMm;
  out.reflectance.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  auto row = [&](int y) { return out.reflectance.data() + static_cast<std::size_t>(y) * width; };
  if (image.format() == QImage::Format_Grayscale8) {
    for (int y = 0; y < height; ++y)
      std::memcpy(row(y), image.constScanLine(y), static_cast<std::size_t>(width));
    return out;
  }
  // A band of rows at a time in RGBA: a large picture costs one byte a dot here, not five.
  constexpr int kBand = 256;
  for (int y = 0; y < height; y += kBand) {
    const int rows = std::min(kBand, height - y);
    const QImage band = image.copy(0, y, width, rows).convertToFormat(QImage::Format_RGBA8888);
    const verify::Image part =
        verify::imageFromRgb(band.constBits(), width, rows, band.bytesPerLine(), 4, dotsPerMm);
    if (part.reflectance.empty()) return {};
    std::copy(part.reflectance.begin(), part.reflectance.end(), row(y));
  }
  return out;
}

}  // namespace app

#include "export/limits.h"

#include <cmath>

#include "export/exportoptions.h"

namespace app {

namespace {

Limits fromEnvironment() {
  Limits limits;
  const QString setting = qEnvironmentVariable("BG_LIMITS");
  for (const QString& item : setting.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
    const QString key = item.section(QLatin1Char('='), 0, 0).trimmed();
    bool ok = false;
    const double value = item.section(QLatin1Char('='), 1).trimmed().toDouble(&ok);
    if (!ok || value <= 0) continue;
    const auto whole = static_cast<qint64>(value);
    if (key == QLatin1String("file-pixels")) limits.filePixels = whole;
    if (key == QLatin1String("window-pixels")) limits.windowPixels = whole;
    if (key == QLatin1String("bmp-bytes")) limits.bmpBytes = whole;
    if (key == QLatin1String("png-side")) limits.pngSide = whole;
    if (key == QLatin1String("pdf-units")) limits.pdfUnits = value;
  }
  return limits;
}

Limits& current() {
  static Limits limits = fromEnvironment();
  return limits;
}

bool isRaster(render::Format format) {
  return format == render::Format::Png || format == render::Format::Bmp;
}

// Bytes of a 24-bit BMP: the two headers, then rows padded to four bytes.
qint64 bmpSize(qint64 width, qint64 height) { return 54 + (width * 3 + 3) / 4 * 4 * height; }

QString pixelRefusal(const ExportSize& size, DrawnFor where) {
  const qint64 pixels = qint64(size.widthDots) * size.heightDots;
  const qint64 limit = where == DrawnFor::File ? current().filePixels : current().windowPixels;
  if (pixels <= limit) return {};
  return QStringLiteral("%1 x %2 dots is %3 dots, more than the %4 %5")
      .arg(size.widthDots)
      .arg(size.heightDots)
      .arg(pixels)
      .arg(limit)
      .arg(where == DrawnFor::File ? QStringLiteral("an image may have")
                                   : QStringLiteral("the window draws at once"));
}

// Whether the bytes are whole: what each format ends with, and a BMP's exact size.
bool complete(render::Format format, const QByteArray& bytes, const ExportSize& size) {
  switch (format) {
    case render::Format::Png:
      return bytes.startsWith("\x89PNG") && bytes.endsWith(QByteArray("IEND\xae\x42\x60\x82", 8));
    case render::Format::Bmp:
      return bytes.startsWith("BM") && bytes.size() == bmpSize(size.widthDots, size.heightDots);
    case render::Format::Svg:
      return bytes.endsWith("</svg>\n");
    case render::Format::Pdf:
      return bytes.startsWith("%PDF") && bytes.trimmed().endsWith("%%EOF");
  }
  return false;
}

}  // namespace

const Limits& limits() { return current(); }

void setLimitsForTest(const Limits& limits) { current() = limits; }

QString sizeRefusal(render::Format format, const render::Layout& layout,
                    const render::Resolution& resolution, bool optimize, DrawnFor where) {
  const ExportSize size = exportSize(format, layout, resolution, optimize);
  const Limits& limit = current();
  if (format == render::Format::Pdf) {
    const double width = size.widthMm / 25.4 * 72, height = size.heightMm / 25.4 * 72;
    if (std::max(width, height) > limit.pdfUnits)
      return QStringLiteral(
                 "the page would be %1 x %2 units of 1/72 inch (%3 x %4 mm); PDF pages have at "
                 "most %5 a side")
          .arg(std::ceil(width), 0, 'f', 0)
          .arg(std::ceil(height), 0, 'f', 0)
          .arg(size.widthMm, 0, 'f', 1)
          .arg(size.heightMm, 0, 'f', 1)
          .arg(limit.pdfUnits, 0, 'f', 0);
  }
  if (!isRaster(format)) return {};
  if (const QString pixels = pixelRefusal(size, where); !pixels.isEmpty()) return pixels;
  if (format == render::Format::Png && std::max(size.widthDots, size.heightDots) > limit.pngSide)
    return QStringLiteral("%1 x %2 dots: PNG takes at most %3 a side")
        .arg(size.widthDots)
        .arg(size.heightDots)
        .arg(limit.pngSide);
  if (format == render::Format::Bmp) {
    const qint64 bytes = bmpSize(size.widthDots, size.heightDots);
    if (bytes > limit.bmpBytes)
      return QStringLiteral("a BMP of %1 x %2 dots would be %3 bytes; BMP holds at most %4")
          .arg(size.widthDots)
          .arg(size.heightDots)
          .arg(bytes)
          .arg(limit.bmpBytes);
  }
  return {};
}

QString proofRefusal(render::Format format, const render::Layout& layout,
                     const render::Resolution& resolution, bool optimize, DrawnFor where) {
  return pixelRefusal(exportSize(format, layout, resolution, optimize), where);
}

std::variant<QByteArray, QString> fileBytes(render::Format format, const render::Layout& layout,
                                            const render::Resolution& resolution, bool optimize,
                                            DrawnFor where) {
  if (QString refusal = sizeRefusal(format, layout, resolution, optimize, where);
      !refusal.isEmpty())
    return refusal;
  QByteArray bytes = render::document(format, layout, resolution, optimize);
  if (bytes.isEmpty()) return QStringLiteral("the picture could not be drawn: not enough memory");
  if (!complete(format, bytes, exportSize(format, layout, resolution, optimize)))
    return QStringLiteral("the %1 encoder made an incomplete file (%2 bytes)")
        .arg(render::extensionOf(format).toUpper())
        .arg(bytes.size());
  return bytes;
}

}  // namespace app

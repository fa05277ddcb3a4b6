#include "render/devices.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "render/glyphs.h"
#include "render/png.h"

namespace render {

namespace {

int roundUp(double value) { return static_cast<int>(std::ceil(value - 1e-9)); }

// A font of pixelSize device pixels, whatever the device's resolution.
QFont deviceFont(const Layout& layout, double pixelSize, const QPaintDevice* device) {
  QFont font(layout.fontFamily);
  font.setPointSizeF(pixelSize * 72.0 / device->logicalDpiY());
  return font;
}

void drawTexts(QPainter& painter, const Layout& layout, const Scale& scale, double top,
               const QPaintDevice* device) {
  painter.setPen(Qt::black);
  for (const Text& text : layout.texts) {
    const QFont font = deviceFont(layout, layout.sizeOf(text) * scale.module, device);
    painter.setFont(font);
    const QFontMetricsF metrics(font, device);
    const double baseline = top + (layout.topOf(text) + layout.ascentOf(text)) * scale.module;
    const double centre = scale.x(text.centreX, text.spacesBefore, layout);
    painter.drawText(QPointF(centre - metrics.horizontalAdvance(text.text) / 2, baseline),
                     text.text);
  }
}

// A bar's width in a device's units: a bearer bar widens with the spaces it spans.
double barWidth(const Bar& bar, const Scale& scale) {
  return bar.width * scale.module + bar.spacesAcross * scale.extraSpace - scale.reduction;
}

// Appends a number with at most four decimals, without trailing zeros.
// Whole numbers of ten-thousandths, written by hand: a symbol has hundreds
// of them, and a general float formatter costs more than the rest of the file.
void appendNumber(QByteArray& out, double value) {
  long long units = std::llround(value * 10000);
  if (units < 0) {
    out.append('-');
    units = -units;
  }
  char digits[24];
  char* end = digits + sizeof digits;
  char* p = end;
  long long whole = units / 10000;
  int fraction = static_cast<int>(units % 10000);
  if (fraction != 0) {
    int places = 4;
    while (fraction % 10 == 0) {
      fraction /= 10;
      --places;
    }
    for (int i = 0; i < places; ++i, fraction /= 10) *--p = static_cast<char>('0' + fraction % 10);
    *--p = '.';
  }
  do {
    *--p = static_cast<char>('0' + whole % 10);
    whole /= 10;
  } while (whole != 0);
  out.append(p, end - p);
}

void appendEscaped(QByteArray& out, const QString& text) {
  for (const char32_t c : text.toStdU32String()) {
    switch (c) {
      case U'&':
        out.append("&amp;");
        break;
      case U'<':
        out.append("&lt;");
        break;
      case U'>':
        out.append("&gt;");
        break;
      case U'"':
        out.append("&quot;");
        break;
      case U'\'':
        out.append("&apos;");
        break;
      default:
        // XML cannot carry most control characters, even escaped.
        if (c < 0x20 || (c >= 0x7f && c < 0xa0))
          out.append('?');
        else
          out.append(QString::fromUcs4(&c, 1).toUtf8());
    }
  }
}

}  // namespace

namespace {

// Each format's file extension and MIME type, in one place.
struct FormatNames {
  Format format;
  const char* extension;
  const char* mimeType;
};
constexpr FormatNames kFormatNames[] = {
    {Format::Png, "png", "image/png"},
    {Format::Svg, "svg", "image/svg+xml"},
    {Format::Pdf, "pdf", "application/pdf"},
    {Format::Bmp, "bmp", "image/bmp"},
};

constexpr bool namesInFormatOrder() {
  for (std::size_t i = 0; i < std::size(kFormatNames); ++i)
    if (static_cast<std::size_t>(kFormatNames[i].format) != i) return false;
  return true;
}
static_assert(namesInFormatOrder());

const FormatNames& namesOf(Format format) { return kFormatNames[static_cast<std::size_t>(format)]; }

}  // namespace

std::optional<Format> formatNamed(const QString& name) {
  const QString lower = name.toLower();
  for (const FormatNames& names : kFormatNames)
    if (lower == QLatin1String(names.extension)) return names.format;
  return std::nullopt;
}

QString extensionOf(Format format) { return QString::fromLatin1(namesOf(format).extension); }

QString mimeTypeOf(Format format) { return QString::fromLatin1(namesOf(format).mimeType); }

int dotsForModule(double moduleMm, int dpi) {
  const double dots = std::round(moduleMm * dpi / 25.4);
  return dots < 1 ? 1 : dots > 1e6 ? 1000000 : static_cast<int>(dots);
}

Scale rasterScale(const Layout& layout, int dots, bool printSpacing) {
  return {static_cast<double>(dots), printSpacing && layout.followsPrintSpacing ? 1.0 : 0.0, 0};
}

Scale printScale(const Layout& layout, double module, double dot, int dots, bool printSpacing) {
  const bool reduce = printSpacing && layout.followsPrintSpacing && dots >= kMinDotsToReduce;
  return {module, 0, reduce ? dot : 0};
}

QImage rasterImage(const Layout& layout, const Resolution& resolution, bool printSpacing) {
  const Scale scale = rasterScale(layout, resolution.dots, printSpacing);
  const int n = resolution.dots;
  const int width = static_cast<int>(std::lround(scale.width(layout)));
  const int height = roundUp(scale.height(layout));
  QImage image(width, height, QImage::Format_Grayscale8);
  if (image.isNull()) return image;
  image.fill(255);
  const int dotsPerMetre = static_cast<int>(std::lround(resolution.dpi / 0.0254));
  image.setDotsPerMeterX(dotsPerMetre);
  image.setDotsPerMeterY(dotsPerMetre);

  // A symbol's rows differ only where bars begin or end (the longer guards,
  // an add-on, bearer bars): build each distinct row once and copy it down.
  const int top = static_cast<int>(std::lround(layout.margin * n));
  struct Span {
    int first, end;  // rows
    const Bar* bar;
  };
  std::vector<Span> spans;
  std::vector<int> edges;
  for (const Bar& bar : layout.bars) {
    const int first = top + static_cast<int>(std::lround(bar.top * n));
    const int end = first + static_cast<int>(std::lround(bar.height * n));
    spans.push_back({first, end, &bar});
    edges.push_back(first);
    edges.push_back(end);
  }
  std::sort(edges.begin(), edges.end());
  edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
  std::vector<uchar> row(static_cast<std::size_t>(width));
  for (std::size_t e = 0; e + 1 < edges.size(); ++e) {
    std::fill(row.begin(), row.end(), uchar{255});
    for (const Span& span : spans) {
      if (span.first > edges[e] || span.end < edges[e + 1]) continue;
      const Bar& bar = *span.bar;
      const int x = static_cast<int>(std::lround(scale.x(bar.x, bar.spacesBefore, layout)));
      const int end =
          std::min(width, x + bar.width * n +
                              static_cast<int>(std::lround(bar.spacesAcross * scale.extraSpace)));
      std::fill(row.begin() + std::max(0, x), row.begin() + std::max(0, end), uchar{0});
    }
    for (int y = std::max(0, edges[e]); y < edges[e + 1] && y < height; ++y)
      std::memcpy(image.scanLine(y), row.data(), row.size());
  }

  // Dots are black or white, as a printer makes them: no grey text edges.
  for (const Text& text : layout.texts) {
    const int pixelSize = std::max(1, static_cast<int>(std::lround(layout.sizeOf(text) * n)));
    const int baseline =
        static_cast<int>(std::lround(top + (layout.topOf(text) + layout.ascentOf(text)) * n));
    drawTextCentred(image, layout.fontFamily, pixelSize, text.text,
                    scale.x(text.centreX, text.spacesBefore, layout), baseline);
  }
  return image;
}

QByteArray svgDocument(const Layout& layout, const Resolution& resolution, bool printSpacing) {
  const double x = resolution.moduleMm();
  const Scale scale = printScale(layout, x, resolution.dotMm(), resolution.dots, printSpacing);
  QByteArray out;
  out.reserve(static_cast<qsizetype>(200 + layout.bars.size() * 64 + layout.texts.size() * 160));
  const double width = scale.width(layout);
  const double height = scale.height(layout);
  out.append(
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"");
  appendNumber(out, width);
  out.append("mm\" height=\"");
  appendNumber(out, height);
  out.append("mm\" viewBox=\"0 0 ");
  appendNumber(out, width);
  out.append(' ');
  appendNumber(out, height);
  out.append("\">\n<rect width=\"");
  appendNumber(out, width);
  out.append("\" height=\"");
  appendNumber(out, height);
  out.append("\" fill=\"#ffffff\"/>\n<g fill=\"#000000\" shape-rendering=\"crispEdges\">\n");
  const double top = layout.margin * x;
  for (const Bar& bar : layout.bars) {
    out.append("<rect x=\"");
    appendNumber(out, scale.x(bar.x, bar.spacesBefore, layout));
    out.append("\" y=\"");
    appendNumber(out, top + bar.top * x);
    out.append("\" width=\"");
    appendNumber(out, barWidth(bar, scale));
    out.append("\" height=\"");
    appendNumber(out, bar.height * x);
    out.append("\"/>\n");
  }
  out.append("</g>\n");
  for (const Text& text : layout.texts) {
    out.append("<text x=\"");
    appendNumber(out, scale.x(text.centreX, text.spacesBefore, layout));
    out.append("\" y=\"");
    appendNumber(out, top + (layout.topOf(text) + layout.ascentOf(text)) * x);
    out.append("\" font-family=\"");
    appendEscaped(out, layout.fontFamily);
    out.append("\" font-size=\"");
    appendNumber(out, layout.sizeOf(text) * x);
    out.append("\" text-anchor=\"middle\" fill=\"#000000\">");
    appendEscaped(out, text.text);
    out.append("</text>\n");
  }
  out.append("</svg>\n");
  return out;
}

void paint(QPainter& painter, const Layout& layout, const Scale& scale) {
  painter.fillRect(QRectF(0, 0, scale.width(layout), scale.height(layout)), Qt::white);
  const double top = layout.margin * scale.module;
  for (const Bar& bar : layout.bars)
    painter.fillRect(QRectF(scale.x(bar.x, bar.spacesBefore, layout), top + bar.top * scale.module,
                            barWidth(bar, scale), bar.height * scale.module),
                     Qt::black);
  drawTexts(painter, layout, scale, top, painter.device());
}

QByteArray pdfDocument(const Layout& layout, const Resolution& resolution, bool printSpacing) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setCreator(QStringLiteral("Barcode Generator"));
    writer.setResolution(resolution.dpi);
    const Scale mm = printScale(layout, resolution.moduleMm(), resolution.dotMm(), resolution.dots,
                                printSpacing);
    writer.setPageSize(QPageSize(QSizeF(mm.width(layout), mm.height(layout)), QPageSize::Millimeter,
                                 QString(), QPageSize::ExactMatch));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter(&writer);
    // One device pixel of this writer is one dot.
    paint(painter, layout, printScale(layout, resolution.dots, 1, resolution.dots, printSpacing));
  }
  return bytes;
}

QByteArray encodedImage(const QImage& image, const char* format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, format);
  return bytes;
}

QByteArray document(Format format, const Layout& layout, const Resolution& resolution,
                    bool printSpacing) {
  switch (format) {
    case Format::Svg:
      return svgDocument(layout, resolution, printSpacing);
    case Format::Pdf:
      return pdfDocument(layout, resolution, printSpacing);
    case Format::Bmp:
      return encodedImage(
          rasterImage(layout, resolution, printSpacing).convertToFormat(QImage::Format_RGB888),
          "BMP");
    case Format::Png:
      break;
  }
  return pngOfBlackAndWhite(rasterImage(layout, resolution, printSpacing));
}

}  // namespace render

// Every option in every format at 1, 2 and 3 dots per module, and at
// X = 0.33 mm and 300 dpi in SVG, PDF and EPS, read back by zxing-cpp.
#include <gtest/gtest.h>

#include <QString>

#include "export/choices.h"
#include "export/exportoptions.h"
#include "export/symbollayout.h"
#include "render/devices.h"
#include "tests/support/documents.h"
#include "tests/support/scan.h"

namespace {

using render::Format;
using testsupport::Format::Code128;

struct Symbology {
  const char* key;
  const char* data;
  testsupport::Format reader;
  const char* reads;  // what zxing-cpp reports
};

// Check digits from the endtoend test's hand calculations and the GS1 examples.
const Symbology kSymbologies[] = {
    {"code39", "Code-39 x", testsupport::Format::Code39, "CODE-39 X"},
    {"i2of5", "1234567", testsupport::Format::Interleaved2of5, "01234567"},
    {"code128", "Hello, 128!", Code128, "Hello, 128!"},
    {"codabar", "123-456$", testsupport::Format::Codabar, "A123-456$A"},
    {"ean13", "590123412345", testsupport::Format::Ean13, "5901234123457"},
    {"jan13", "490000000000", testsupport::Format::Ean13, "4900000000009"},
    {"isbn", "978014300723", testsupport::Format::Ean13, "9780143007234"},
    {"upca", "09736339584", testsupport::Format::UpcA, "097363395843"},
};

constexpr Format kFormats[] = {Format::Png, Format::Svg, Format::Pdf, Format::Bmp, Format::Eps};

struct Size {
  const char* name;
  int dots;
  int dpi;
};

// 1, 2, 3 dots at 300 dpi.
const Size kSizes[] = {{"1 dot", 1, 300}, {"2 dots", 2, 300}, {"3 dots", 3, 300}};

// Where a symbol cannot scan, and why. Only these may fail.
bool expectedLimit(const Symbology& s, Format format, int dots, bool optimize) {
  // One dot per module with one more per space: a 1-module space is twice a
  // 1-module bar, which Code 128's edge-to-edge decoding cannot tell from 2.
  const bool raster = format == Format::Png || format == Format::Bmp;
  return std::string_view(s.key) == "code128" && raster && dots == 1 && optimize;
}

std::optional<std::string> exportAndScan(const Symbology& s, Format format, const Size& size,
                                         bool optimize, std::optional<double> moduleMm = {}) {
  app::ExportOptions options;
  options.format = format;
  options.resolution.dots = size.dots;
  options.resolution.dpi = size.dpi;
  options.moduleMm = moduleMm;
  options.optimize = optimize;
  const auto layout = app::layoutSymbol(app::requestFor(*app::choiceByKey(s.key), s.data, options));
  if (!std::holds_alternative<render::Layout>(layout)) return std::nullopt;
  const auto& symbol = std::get<render::Layout>(layout);
  const QByteArray bytes =
      testsupport::bytesOf(render::document(symbol, app::planExport(options, symbol).output));
  return testsupport::scan(testsupport::picture(format, bytes, size.dpi), s.reader);
}

TEST(ExportScan, EveryOptionEveryFormatEverySize) {
  for (const Symbology& s : kSymbologies)
    for (const Format format : kFormats)
      for (const Size& size : kSizes)
        for (const bool optimize : {false, true}) {
          const auto read = exportAndScan(s, format, size, optimize);
          const QString what =
              QStringLiteral("%1 %2 %3 %4")
                  .arg(QLatin1String(s.key), QLatin1String(render::extensionOf(format)),
                       QLatin1String(size.name),
                       optimize ? QStringLiteral("optimized") : QString());
          if (expectedLimit(s, format, size.dots, optimize)) {
            EXPECT_NE(read, std::optional<std::string>(s.reads))
                << qPrintable(what) << ": listed as a limit but scans; take it off the list";
            continue;
          }
          EXPECT_EQ(read, std::optional<std::string>(s.reads)) << qPrintable(what);
        }
}

TEST(ExportScan, PrintSizeInSvgPdfAndEps) {
  // X = 0.33 mm exactly, as a vector file takes it; at 600 dpi the
  // optimized linear symbols lose a dot of 1/600 inch a bar.
  for (const Symbology& s : kSymbologies)
    for (const Format format : {Format::Svg, Format::Pdf, Format::Eps})
      for (const bool optimize : {false, true})
        EXPECT_EQ(exportAndScan(s, format, {"", 4, 600}, optimize, 0.33),
                  std::optional<std::string>(s.reads))
            << s.key << " " << render::extensionOf(format) << " optimize " << optimize;
}

TEST(ExportScan, Code128OptimizedFromTwoDotsUp) {
  const Symbology& code128 = kSymbologies[2];
  for (const Format format : kFormats)
    for (int dots = 2; dots <= 6; ++dots)
      EXPECT_EQ(exportAndScan(code128, format, {"", dots, 300}, true),
                std::optional<std::string>(code128.reads))
          << render::extensionOf(format) << " " << dots << " dots";
}

}  // namespace

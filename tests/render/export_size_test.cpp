// Sizes read back from the files: resolution tags, SVG and PDF page sizes,
// bar widths in dots, quiet zones, the label kept whole, printing to PDF.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "app/printing.h"
#include "export/choices.h"
#include "export/exportoptions.h"
#include "export/symbollayout.h"
#include "render/devices.h"
#include "tests/support/documents.h"
#include "tests/support/pixels.h"
#include "tests/support/scan.h"

namespace {

using render::Format;

render::Layout layoutOf(const char* key, const QString& data, bool label = true,
                        bool optimize = false) {
  app::ExportOptions options;
  options.label = label;
  options.optimize = optimize;
  auto layout = app::layoutSymbol(app::requestFor(*app::choiceByKey(key), data, options));
  EXPECT_TRUE(std::holds_alternative<render::Layout>(layout)) << key;
  return std::get<render::Layout>(layout);
}

// Lengths of the runs of dark and light pixels along a row, from the first dark one.
std::vector<int> runs(const QImage& image, int y, int* firstDark) {
  std::vector<int> lengths;
  const auto dark = testsupport::darkColumns(image, y);
  *firstDark = dark.empty() ? -1 : dark.front();
  if (dark.empty()) return lengths;
  bool wasDark = true;
  int length = 0;
  for (int x = dark.front(); x <= dark.back(); ++x) {
    const bool isDark = testsupport::isDark(image.pixel(x, y));
    if (isDark != wasDark) {
      lengths.push_back(length);
      length = 0;
      wasDark = isDark;
    }
    ++length;
  }
  lengths.push_back(length);
  return lengths;
}

TEST(ExportSize, RasterFilesCarryTheirResolution) {
  const render::Layout layout = layoutOf("ean13", QStringLiteral("590123412345"));
  struct Row {
    const char* name;
    Format format;
    int dpi;
  };
  const Row rows[] = {{"PNG at 300 dpi (pHYs)", Format::Png, 300},
                      {"PNG at 600 dpi", Format::Png, 600},
                      {"BMP at 300 dpi (pixels per metre)", Format::Bmp, 300},
                      {"BMP at 203 dpi", Format::Bmp, 203}};
  for (const Row& row : rows) {
    const QImage image =
        QImage::fromData(render::document(row.format, layout, {3, row.dpi}, false));
    ASSERT_FALSE(image.isNull()) << row.name;
    EXPECT_NEAR(image.dotsPerMeterX() * 0.0254, row.dpi, 0.5) << row.name;
    EXPECT_NEAR(image.dotsPerMeterY() * 0.0254, row.dpi, 0.5) << row.name;
  }
}

TEST(ExportSize, SvgWidthIsModulesTimesXPlusQuietZones) {
  // EAN-13: 95 modules with 11 + 7 of quiet zone. UPC-A: 95 with 9 + 9.
  // Code 128 "ABC" without label: start, 3 characters, check (11 each), stop
  // (13), with 10 + 10; bars 57 modules with 2 of margin above and below.
  struct Row {
    const char* name;
    const char* key;
    const char* data;
    bool label;
    int modules;
    double heightModules;  // 0: not checked
  };
  const Row rows[] = {{"EAN-13", "ean13", "590123412345", true, 113, 0},
                      {"UPC-A", "upca", "09736339584", true, 113, 0},
                      {"Code 128 without label", "code128", "ABC", false, 88, 61}};
  const QRegularExpression size(
      QStringLiteral("<svg[^>]* width=\"([0-9.]+)mm\" height=\"([0-9.]+)mm\""));
  for (const Row& row : rows) {
    for (const render::Resolution resolution : {render::Resolution{4, 300}, {2, 203}}) {
      const QByteArray svg = render::svgDocument(
          layoutOf(row.key, QString::fromLatin1(row.data), row.label), resolution, false);
      const auto match = size.match(QString::fromUtf8(svg));
      ASSERT_TRUE(match.hasMatch()) << row.name;
      const double x = resolution.dots * 25.4 / resolution.dpi;
      EXPECT_NEAR(match.captured(1).toDouble(), row.modules * x, 1e-3) << row.name;
      if (row.heightModules > 0) {
        EXPECT_NEAR(match.captured(2).toDouble(), row.heightModules * x, 1e-3) << row.name;
      }
    }
  }
}

TEST(ExportSize, SvgBarsAreOneDotNarrowerWhenOptimized) {
  // Start B's first bar is 2 modules: at 4 dots of 1/300 inch, 0.6773 mm,
  // less one dot (0.0847 mm) with print spacing; at 2 dots nothing is taken.
  const QRegularExpression firstBar(
      QStringLiteral("<rect x=\"[0-9.]+\" y=\"[0-9.]+\" width=\"([0-9.]+)\""));
  struct Row {
    const char* name;
    int dots;
    bool optimize;
    double widthMm;
  };
  const Row rows[] = {{"4 dots", 4, false, 2 * 4 * 25.4 / 300},
                      {"4 dots, optimized", 4, true, (2 * 4 - 1) * 25.4 / 300},
                      {"2 dots, optimized: too fine to reduce", 2, true, 2 * 2 * 25.4 / 300}};
  for (const Row& row : rows) {
    const QByteArray svg =
        render::svgDocument(layoutOf("code128", QStringLiteral("ABC"), false, row.optimize),
                            {row.dots, 300}, row.optimize);
    const auto match = firstBar.match(QString::fromUtf8(svg));
    ASSERT_TRUE(match.hasMatch()) << row.name;
    EXPECT_NEAR(match.captured(1).toDouble(), row.widthMm, 1e-3) << row.name;
  }
}

TEST(ExportSize, PdfPageSizeIsTheSymbolsSize) {
  const render::Layout layout = layoutOf("code128", QStringLiteral("ABC"), false);
  const render::Resolution resolution{4, 300};
  QTemporaryDir dir;
  const QString file = QDir(dir.path()).filePath(QStringLiteral("page.pdf"));
  QFile out(file);
  ASSERT_TRUE(out.open(QIODevice::WriteOnly));
  out.write(render::pdfDocument(layout, resolution, false));
  out.close();
  const QString info =
      QString::fromUtf8(testsupport::runProgram(QStringLiteral("pdfinfo"), {file}));
  const auto match =
      QRegularExpression(QStringLiteral("Page size:\\s+([0-9.]+) x ([0-9.]+) pts")).match(info);
  ASSERT_TRUE(match.hasMatch()) << qPrintable(info);
  // 88 x 61 modules of 4/300 inch, in points; a PDF page is whole points here.
  EXPECT_NEAR(match.captured(1).toDouble(), 88 * 4 / 300.0 * 72, 0.5);
  EXPECT_NEAR(match.captured(2).toDouble(), 61 * 4 / 300.0 * 72, 0.5);
  // The label is real text, not a picture of it.
  const render::Layout labelled = layoutOf("code128", QStringLiteral("Text 42"));
  out.open(QIODevice::WriteOnly);
  out.write(render::pdfDocument(labelled, resolution, false));
  out.close();
  EXPECT_TRUE(testsupport::runProgram(QStringLiteral("pdftotext"), {file, QStringLiteral("-")})
                  .contains("Text 42"));
}

TEST(ExportSize, BarWidthsInDotsAtThreeDotsPerModule) {
  // Code 128 starts with Start B, 2 1 1 2 1 4 modules of bar, space, bar...
  struct Row {
    const char* name;
    bool optimize;
    std::vector<int> startB;  // in dots
  };
  const Row rows[] = {{"plain: 3 dots a module", false, {6, 3, 3, 6, 3, 12}},
                      {"print spacing: every space one dot wider", true, {6, 4, 3, 7, 3, 13}}};
  for (const Row& row : rows) {
    const render::Layout layout = layoutOf("code128", QStringLiteral("ABC"), false, row.optimize);
    const QImage image = render::rasterImage(layout, {3, 300}, row.optimize);
    int first = 0;
    const std::vector<int> widths = runs(image, image.height() / 2, &first);
    EXPECT_EQ(first, 10 * 3) << row.name << ": quiet zone of 10 modules";
    ASSERT_GE(widths.size(), 6u) << row.name;
    EXPECT_EQ(std::vector<int>(widths.begin(), widths.begin() + 6), row.startB) << row.name;
    for (std::size_t i = 0; i < widths.size(); ++i)
      EXPECT_EQ(widths[i] % 3, i % 2 == 1 && row.optimize ? 1 : 0) << row.name << " run " << i;
    // The symbol is 68 modules; spacing adds a dot for each of its 18 spaces
    // (three in each of the six symbol characters, three in the stop).
    EXPECT_EQ(image.width(), 88 * 3 + (row.optimize ? 18 : 0)) << row.name;
  }
}

TEST(ExportSize, AtOneDotPerModuleTheBarsAreTheScreens) {
  // The linear pictures draw bars from x = 20; here the first bar is at the
  // quiet zone's end. The bar columns must be the same, shifted.
  const render::Layout layout = layoutOf("code39", QStringLiteral("AB12"), false, true);
  const QImage image = render::rasterImage(layout, {1, 96}, true);
  const linear::Encoding encoding =
      app::choiceByKey("code39")->encodeLinear(U"AB12", {.printSpacing = 1, .label = 0});
  const auto& symbol = std::get<linear::Symbol>(encoding);
  std::vector<int> expected;
  int x = 0;
  for (std::size_t i = 0; i < symbol.elements.size(); ++i) {
    const int w = linear::elementWidth(symbol.elements[i], i % 2 == 0, symbol.kind, 1);
    if (i % 2 == 0)
      for (int k = 0; k < w; ++k) expected.push_back(layout.quietLeft + x + k);
    x += w;
  }
  EXPECT_EQ(testsupport::darkColumns(image, image.height() / 2), expected);
  EXPECT_EQ(symbol.endX - linear::kFirstBarX, x);
}

TEST(ExportSize, LongLabelIsNeverCut) {
  // A Code 39 label of wide letters is wider than its bars at the screen's font.
  const render::Layout layout = layoutOf("code128", QStringLiteral("WWWWWWWWWWWWWWWWWWWW"));
  const QImage image = render::rasterImage(layout, {2, 300}, false);
  const int textTop = static_cast<int>((layout.margin + layout.textTop) * 2) + 2;
  const int left = testsupport::leftmostInRows(image, textTop, image.height());
  EXPECT_GT(left, 0) << "text reaches the left edge";
  int right = 0;
  for (int y = textTop; y < image.height(); ++y)
    right = std::max(right, testsupport::endOfRow(image, y));
  EXPECT_LT(right, image.width()) << "text reaches the right edge";
}

TEST(ExportSize, PrintingThroughQPrinterToAPdfScans) {
  QTemporaryDir dir;
  const QString file = QDir(dir.path()).filePath(QStringLiteral("printed.pdf"));
  struct Row {
    const char* key;
    const char* data;
    testsupport::Format reader;
    const char* reads;
    bool optimize;
  };
  const Row rows[] = {
      {"code128", "Printed 128", testsupport::Format::Code128, "Printed 128", true},
      {"ean13", "590123412345", testsupport::Format::Ean13, "5901234123457", false},
  };
  for (const Row& row : rows) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    printer.setResolution(600);
    const render::Layout layout =
        layoutOf(row.key, QString::fromLatin1(row.data), true, row.optimize);
    ASSERT_EQ(app::print(printer, layout, 0.33, row.optimize), QString()) << row.key;
    QFile pdf(file);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QImage page = testsupport::picture(Format::Pdf, pdf.readAll(), 300);
    EXPECT_EQ(testsupport::scan(page, row.reader), std::optional<std::string>(row.reads))
        << row.key;
  }
}

}  // namespace

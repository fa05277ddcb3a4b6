// Sizes read back from the files: resolution tags, SVG and PDF page sizes at
// X exactly, bar widths in dots, quiet zones, the label kept whole, printing
// to PDF.
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
using testsupport::bytesOf;

struct Made {
  render::Layout layout;
  app::ExportPlan plan;
  QByteArray bytes;
};

Made make(const char* key, const char* data, app::ExportOptions options) {
  const auto layout =
      app::layoutSymbol(app::requestFor(*app::choiceByKey(key), std::string(data), options));
  EXPECT_TRUE(std::holds_alternative<render::Layout>(layout)) << key;
  Made made{std::get<render::Layout>(layout), {}, {}};
  made.plan = app::planExport(options, made.layout);
  made.bytes = bytesOf(render::document(made.layout, made.plan.output));
  return made;
}

app::ExportOptions optionsFor(Format format, int dots, int dpi, bool label = true,
                              bool optimize = false) {
  app::ExportOptions options;
  options.format = format;
  options.resolution.dots = dots;
  options.resolution.dpi = dpi;
  options.label = label;
  options.optimize = optimize;
  return options;
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
        QImage::fromData(make("ean13", "590123412345", optionsFor(row.format, 3, row.dpi)).bytes);
    ASSERT_FALSE(image.isNull()) << row.name;
    EXPECT_NEAR(image.dotsPerMeterX() * 0.0254, row.dpi, 0.5) << row.name;
    EXPECT_NEAR(image.dotsPerMeterY() * 0.0254, row.dpi, 0.5) << row.name;
  }
}

TEST(ExportSize, SvgWidthIsModulesTimesXPlusQuietZones) {
  // EAN-13: 95 modules with 11 + 7 of quiet zone. UPC-A: 95 with 9 + 9.
  // Code 128 "ABC" without label: start, 3 characters, check (11 each), stop
  // (13), with 10 + 10; its bars 6.35 mm (more than 15 % of 68 modules) with
  // 2 modules of margin above and below. X as given by the dots at the dpi.
  struct Row {
    const char* name;
    const char* key;
    const char* data;
    bool label;
    int modules;
    double barsMm;  // 0: not checked
  };
  const Row rows[] = {{"EAN-13", "ean13", "590123412345", true, 113, 0},
                      {"UPC-A", "upca", "09736339584", true, 113, 0},
                      {"Code 128 without label", "code128", "ABC", false, 88, 6.35}};
  for (const Row& row : rows) {
    for (const auto& [dots, dpi] : {std::pair{4, 300}, {2, 203}}) {
      const Made made = make(row.key, row.data, optionsFor(Format::Svg, dots, dpi, row.label));
      const auto page = testsupport::pageOf(Format::Svg, made.bytes);
      ASSERT_TRUE(page) << row.name;
      const double x = dots * 25.4 / dpi;
      EXPECT_NEAR(page->width, row.modules * x, 1e-3) << row.name;
      if (row.barsMm > 0) {
        EXPECT_NEAR(page->height, row.barsMm + 4 * x, 1e-3) << row.name;
      }
    }
  }
}

TEST(ExportSize, SvgBarsAreOneDotNarrowerWhenOptimized) {
  // Start B's first bar is 2 modules: at 4 dots of 1/300 inch, 0.6773 mm,
  // less one dot (0.0847 mm) with print spacing; below 4 dots nothing is taken.
  // The bars' path: each bar "M x y h width v height ...".
  const QRegularExpression firstBar(QStringLiteral("d=\"M[0-9.]+ [0-9.]+h([0-9.]+)v"));
  struct Row {
    const char* name;
    int dots;
    bool optimize;
    double widthMm;
  };
  const Row rows[] = {{"4 dots", 4, false, 2 * 4 * 25.4 / 300},
                      {"4 dots, optimized", 4, true, (2 * 4 - 1) * 25.4 / 300},
                      {"3 dots, optimized: too few to reduce", 3, true, 2 * 3 * 25.4 / 300},
                      {"2 dots, optimized: too few to reduce", 2, true, 2 * 2 * 25.4 / 300}};
  for (const Row& row : rows) {
    const Made made =
        make("code128", "ABC", optionsFor(Format::Svg, row.dots, 300, false, row.optimize));
    const auto match = firstBar.match(QString::fromUtf8(made.bytes));
    ASSERT_TRUE(match.hasMatch()) << row.name;
    EXPECT_NEAR(match.captured(1).toDouble(), row.widthMm, 1e-3) << row.name;
  }
}

TEST(ExportSize, PdfPageSizeIsTheSymbolsSizeInFractionalPoints) {
  // 88 modules of 0.33 mm: 29.04 mm, 82.318 pt; bars 6.35 mm with 4 modules
  // of margin: 7.67 mm, 21.742 pt. The page is not rounded to whole points.
  app::ExportOptions options = optionsFor(Format::Pdf, 4, 300, false);
  options.moduleMm = 0.33;
  const Made made = make("code128", "ABC", options);
  const testsupport::TemporaryFile file(made.bytes, QStringLiteral("page.pdf"));
  const QString info =
      QString::fromUtf8(testsupport::runProgram(QStringLiteral("pdfinfo"), {file.path()}));
  const auto match =
      QRegularExpression(QStringLiteral("Page size:\\s+([0-9.]+) x ([0-9.]+) pts")).match(info);
  ASSERT_TRUE(match.hasMatch()) << qPrintable(info);
  EXPECT_NEAR(match.captured(1).toDouble(), 88 * 0.33 / 25.4 * 72, 0.01);
  EXPECT_NEAR(match.captured(2).toDouble(), (6.35 + 4 * 0.33) / 25.4 * 72, 0.01);
  // The label is real text, not a picture of it.
  const Made labelled = make("code128", "Text 42", optionsFor(Format::Pdf, 4, 300));
  const testsupport::TemporaryFile text(labelled.bytes, QStringLiteral("text.pdf"));
  EXPECT_TRUE(
      testsupport::runProgram(QStringLiteral("pdftotext"), {text.path(), QStringLiteral("-")})
          .contains("Text 42"));
}

TEST(ExportSize, BarWidthsInDotsWithAndWithoutReduction) {
  // Code 128 starts with Start B, 2 1 1 2 1 4 modules of bar, space, bar...
  struct Row {
    const char* name;
    int dots;
    bool optimize;
    std::vector<int> startB;  // in dots
  };
  const Row rows[] = {
      {"plain: 3 dots a module", 3, false, {6, 3, 3, 6, 3, 12}},
      {"optimized below 4 dots: no reduction", 3, true, {6, 3, 3, 6, 3, 12}},
      {"optimized at 4 dots: bars a dot narrower, spaces a dot wider",
       4,
       true,
       {7, 5, 3, 9, 3, 17}},
  };
  for (const Row& row : rows) {
    const Made made =
        make("code128", "ABC", optionsFor(Format::Png, row.dots, 300, false, row.optimize));
    const QImage image = QImage::fromData(made.bytes);
    int first = 0;
    const std::vector<int> widths = runs(image, image.height() / 2, &first);
    EXPECT_EQ(first, 10 * row.dots) << row.name << ": quiet zone of 10 modules";
    ASSERT_GE(widths.size(), 6u) << row.name;
    EXPECT_EQ(std::vector<int>(widths.begin(), widths.begin() + 6), row.startB) << row.name;
    // The pitch is kept: the symbol is 68 modules, 88 with its quiet zones.
    EXPECT_EQ(image.width(), 88 * row.dots) << row.name;
  }
}

TEST(ExportSize, AtOneDotPerModuleTheBarsAreTheScreens) {
  // The linear pictures draw bars from x = 20; here the first bar is at the
  // quiet zone's end. The bar columns must be the same, shifted.
  const Made made = make("code39", "AB12", optionsFor(Format::Png, 1, 96, false, true));
  const QImage image = QImage::fromData(made.bytes);
  const linear::Encoding encoding =
      app::choiceByKey("code39")->encodeLinear(U"AB12", {.printSpacing = 1, .label = 0});
  const auto& symbol = std::get<linear::Symbol>(encoding);
  std::vector<int> expected;
  int x = 0;
  for (std::size_t i = 0; i < symbol.elements.size(); ++i) {
    const int w = linear::elementWidth(symbol.elements[i], i % 2 == 0, symbol.kind, 1);
    if (i % 2 == 0)
      for (int k = 0; k < w; ++k) expected.push_back(made.layout.quietLeft + x + k);
    x += w;
  }
  EXPECT_EQ(testsupport::darkColumns(image, image.height() / 2), expected);
  EXPECT_EQ(symbol.endX - linear::kFirstBarX, x);
}

TEST(ExportSize, LongLabelIsNeverCut) {
  // A label of wide letters is wider than its bars.
  const Made made = make("code128", "WWWWWWWWWWWWWWWWWWWW", optionsFor(Format::Png, 2, 300));
  const QImage image = QImage::fromData(made.bytes);
  const int textTop = static_cast<int>((made.layout.margin + made.layout.barHeight) * 2) + 2;
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
    app::ExportOptions options = optionsFor(Format::Png, 4, 600, true, row.optimize);
    options.moduleMm = 0.33;
    const Made made = make(row.key, row.data, options);
    ASSERT_EQ(app::print(printer, made.layout, made.plan.output), QString()) << row.key;
    QFile pdf(file);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QImage page = testsupport::picture(Format::Pdf, pdf.readAll(), 300);
    EXPECT_EQ(testsupport::scan(page, row.reader), std::optional<std::string>(row.reads))
        << row.key;
  }
}

}  // namespace

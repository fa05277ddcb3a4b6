// Every type in every format, against the standards' figures: page sizes read
// back from the files by other programs (SVG's mm, pdfinfo's MediaBox, EPS's
// bounding box, PNG pHYs), quiet zones and bar heights measured on a 1200-dpi
// rendering (pdftoppm, Ghostscript, QSvgRenderer), widths with and without a
// reduction, rotation and colours; every file read back by zxing-cpp and zbar.
#include <gtest/gtest.h>

#include <QRegularExpression>
#include <cmath>

#include "export/choices.h"
#include "export/exportoptions.h"
#include "export/symbollayout.h"
#include "render/devices.h"
#include "symbologies/eanupc/eanupc.h"
#include "tests/support/documents.h"
#include "tests/support/pixels.h"
#include "tests/support/scan.h"

namespace {

using render::Format;

constexpr int kDpi = 1200;
constexpr double kX = 0.33;  // asked of every format; rasters take 16 dots of 1/1200 inch

// Modules from the symbologies' own rules; quiet zones and bar heights from
// their standards (EAN/UPC: 11 + 7 or 9 + 9 modules, data bars 69.24 X and
// guards 5 X longer; the linear types 10 + 10, bars 15 % of the length or
// 6.35 mm); the text read back as zxing-cpp and zbar report it.
struct Type {
  const char* key;
  const char* data;
  int modules;
  int quietLeft, quietRight;
  testsupport::Format reader;
  const char* reads;
  const char* zbar;
};
const Type kTypes[] = {
    // 8 characters of 15 modules (3 of 9 elements wide) and 7 gaps.
    {"code39", "CODE39", 127, 10, 10, testsupport::Format::Code39, "CODE39", "CODE-39:CODE39"},
    // Start 4, three pairs of 18, stop 5.
    {"i2of5", "123456", 63, 10, 10, testsupport::Format::Interleaved2of5, "123456", "I2/5:123456"},
    // Start, 3 characters and the check of 11 each, stop 13.
    {"code128", "ABC", 68, 10, 10, testsupport::Format::Code128, "ABC", "CODE-128:ABC"},
    // A and A of 13, five digits of 11, six gaps.
    {"codabar", "12345", 87, 10, 10, testsupport::Format::Codabar, "A12345A", "Codabar:A12345A"},
    {"ean13", "590123412345", 95, 11, 7, testsupport::Format::Ean13, "5901234123457",
     "EAN-13:5901234123457"},
    {"jan13", "490000000000", 95, 11, 7, testsupport::Format::Ean13, "4900000000009",
     "EAN-13:4900000000009"},
    {"isbn", "978014300723", 95, 11, 7, testsupport::Format::Ean13, "9780143007234",
     "EAN-13:9780143007234"},
    {"upca", "09736339584", 95, 9, 9, testsupport::Format::UpcA, "097363395843",
     "EAN-13:0097363395843"},
};
constexpr Format kFormats[] = {Format::Png, Format::Svg, Format::Pdf, Format::Eps, Format::Bmp};

bool isEanUpc(const Type& type) { return type.modules == 95; }

struct Export {
  render::Layout layout;
  app::ExportPlan plan;
  QByteArray bytes;
};

Export exportOf(const Type& type, Format format, const app::TypedOptions& typed = {}) {
  app::ExportOptions options;
  options.format = format;
  app::TypedOptions asked = typed;
  asked.module = asked.module.value_or(std::to_string(kX));
  asked.dpi = std::to_string(kDpi);
  EXPECT_EQ(app::readExportOptions(asked, options), "");
  const auto layout =
      app::layoutSymbol(app::requestFor(*app::choiceByKey(type.key), type.data, options));
  EXPECT_TRUE(std::holds_alternative<render::Layout>(layout)) << type.key;
  Export made{std::get<render::Layout>(layout), {}, {}};
  made.plan = app::planExport(options, made.layout);
  made.bytes = testsupport::bytesOf(render::document(made.layout, made.plan.output));
  return made;
}

// X as the format makes it: exact, or whole dots of the resolution.
double realX(Format format) {
  return render::isRaster(format) ? std::round(kX * kDpi / 25.4) * 25.4 / kDpi : kX;
}

// The standard's bar height in mm: the data bars for EAN/UPC.
double standardBarsMm(const Type& type, Format format) {
  const double x = realX(format);
  return isEanUpc(type) ? 69.24 * x : std::max(0.15 * type.modules * x, 6.35);
}

std::string what(const Type& type, Format format) {
  return std::string(type.key) + " " + std::string(render::extensionOf(format));
}

// Dark runs down a column, from the top: (first row, length) of each.
std::vector<std::pair<int, int>> darkRunsDown(const QImage& image, int x) {
  std::vector<std::pair<int, int>> found;
  for (int y = 0; y < image.height(); ++y) {
    if (!testsupport::isDark(image.pixel(x, y))) continue;
    const int top = y;
    while (y < image.height() && testsupport::isDark(image.pixel(x, y))) ++y;
    found.emplace_back(top, y - top);
  }
  return found;
}

// Dark runs along a row: (first column, length) of each.
std::vector<std::pair<int, int>> darkRunsAcross(const QImage& image, int y) {
  std::vector<std::pair<int, int>> found;
  for (int x = 0; x < image.width(); ++x) {
    if (!testsupport::isDark(image.pixel(x, y))) continue;
    const int left = x;
    while (x < image.width() && testsupport::isDark(image.pixel(x, y))) ++x;
    found.emplace_back(left, x - left);
  }
  return found;
}

// The first dark module of the symbol that is a data bar, not a guard.
int firstDataModule(const Type& type) {
  if (!isEanUpc(type)) return 0;
  std::u32string digits;
  for (const char* c = type.data; *c; ++c) digits += static_cast<char32_t>(*c);
  const bool upc = std::string_view(type.key) == "upca";
  const auto encoding = upc ? eanupc::encodeUpcA(digits + U'0') : eanupc::encodeEan13(digits);
  const auto& modules = std::get<eanupc::Symbol>(encoding).modules;
  // UPC-A's first character is as long as the guards: start after it.
  for (std::size_t m = upc ? eanupc::firstModuleOf(1) : 3; m < modules.size(); ++m)
    if (modules[m] == '1' && !eanupc::isGuardModule(m)) return static_cast<int>(m);
  return 0;
}

TEST(PrintTable, PageSizesReadBackFromTheFiles) {
  for (const Type& type : kTypes)
    for (const Format format : kFormats) {
      // The linear types without their label: their height is then the bars'.
      const Export made = exportOf(type, format, {.noLabel = !isEanUpc(type)});
      const auto page = testsupport::pageOf(format, made.bytes);
      ASSERT_TRUE(page) << what(type, format);
      const double x = realX(format);
      const double width = (type.quietLeft + type.modules + type.quietRight) * x;
      // SVG and EPS write a ten-thousandth; pdfinfo prints six figures; a raster is whole dots.
      const double slack = format == Format::Pdf ? 0.005 : render::isRaster(format) ? 0.03 : 0.001;
      EXPECT_NEAR(page->width, width, slack) << what(type, format);
      if (isEanUpc(type)) {
        // From the bars' top to the digits' foot 79.58 X (26.26 mm at 0.33), and
        // 2 X of margin above and below; round digits reach a little lower.
        EXPECT_GE(page->height, (79.58 + 4) * x - slack) << what(type, format);
        EXPECT_LE(page->height, (79.58 + 4.5) * x + slack) << what(type, format);
      } else {
        EXPECT_NEAR(page->height, standardBarsMm(type, format) + 4 * x, slack + x / 16)
            << what(type, format);
      }
      if (format == Format::Eps) {
        // The DSC box is in whole points, rounded up: the drawing is never cut.
        const auto box = testsupport::epsBoundingBox(made.bytes);
        ASSERT_TRUE(box);
        EXPECT_GE(box->width, page->width - 1e-6);
        EXPECT_LT(box->width, page->width + 25.4 / 72);
      }
    }
}

TEST(PrintTable, QuietZonesAndBarHeightsAt1200Dpi) {
  for (const Type& type : kTypes)
    for (const Format format : kFormats) {
      const Export made = exportOf(type, format);
      const QImage image = testsupport::picture(format, made.bytes, kDpi);
      ASSERT_FALSE(image.isNull()) << what(type, format);
      const double dotsPerModule = realX(format) * kDpi / 25.4;
      const double dotsPerMm = kDpi / 25.4;
      // Across the middle of the data bars: the first and last bar's edges.
      const int middle =
          static_cast<int>((2 * realX(format) + standardBarsMm(type, format) / 2) * dotsPerMm);
      const auto runs = darkRunsAcross(image, middle);
      ASSERT_FALSE(runs.empty()) << what(type, format);
      const double left = runs.front().first / dotsPerModule;
      const double right = (image.width() - runs.back().first - runs.back().second) / dotsPerModule;
      // Never below the minimum; a rendering may give an edge one dot.
      EXPECT_GE(left, type.quietLeft - 1 / dotsPerModule) << what(type, format) << ": left";
      EXPECT_GE(right, type.quietRight - 1 / dotsPerModule) << what(type, format) << ": right";
      EXPECT_LT(left, type.quietLeft + 1) << what(type, format) << ": left";

      // Down the middle of the first data bar and of the first bar (a guard
      // for EAN/UPC): the standard's heights, to a dot or two of rendering.
      const int column =
          runs.front().first + static_cast<int>((firstDataModule(type) + 0.5) * dotsPerModule);
      const auto data = darkRunsDown(image, column);
      ASSERT_FALSE(data.empty()) << what(type, format);
      EXPECT_NEAR(data.front().second, standardBarsMm(type, format) * dotsPerMm, 2)
          << what(type, format) << ": data bars";
      if (isEanUpc(type)) {
        const auto guard = darkRunsDown(image, runs.front().first + runs.front().second / 2);
        ASSERT_FALSE(guard.empty());
        EXPECT_NEAR(guard.front().second, 74.24 * realX(format) * dotsPerMm, 2)
            << what(type, format) << ": guards 5 X longer";
      }
    }
}

TEST(PrintTable, ReductionNarrowsBarsAndKeepsThePitch) {
  // 0.05 mm of 0.33 (15 %): 2.36 dots at 1200 dpi; a raster takes 2 whole
  // dots of its 16. Every bar narrower by R, every space wider, the edges'
  // middles and the page where they were.
  for (const Type& type : kTypes)
    for (const Format format : kFormats) {
      const Export plain = exportOf(type, format);
      const Export reduced = exportOf(type, format, {.reduce = "0.05mm"});
      const double reduction = render::isRaster(format) ? 2 * 25.4 / kDpi : 0.05;
      EXPECT_NEAR(reduced.plan.reductionMm, reduction, 1e-9) << what(type, format);
      const QImage a = testsupport::picture(format, plain.bytes, kDpi);
      const QImage b = testsupport::picture(format, reduced.bytes, kDpi);
      ASSERT_EQ(a.size(), b.size()) << what(type, format) << ": the page is kept";
      const int middle =
          static_cast<int>((2 * realX(format) + standardBarsMm(type, format) / 2) * kDpi / 25.4);
      const auto before = darkRunsAcross(a, middle);
      const auto after = darkRunsAcross(b, middle);
      ASSERT_EQ(before.size(), after.size()) << what(type, format);
      const double dots = reduction * kDpi / 25.4;
      for (std::size_t i = 0; i < before.size(); ++i) {
        // Each edge falls on a dot of the rendering: two dots at most.
        EXPECT_NEAR(after[i].second, before[i].second - dots, 2)
            << what(type, format) << ": bar " << i;
        const double centreBefore = before[i].first + before[i].second / 2.0;
        const double centreAfter = after[i].first + after[i].second / 2.0;
        EXPECT_NEAR(centreAfter, centreBefore, 1.5) << what(type, format) << ": bar " << i;
      }
      EXPECT_EQ(testsupport::scan(b, type.reader), std::optional<std::string>(type.reads))
          << what(type, format);
    }
}

TEST(PrintTable, RotationTurnsThePageClockwise) {
  for (const Type& type : kTypes)
    for (const Format format : kFormats) {
      const Export upright = exportOf(type, format);
      const auto page = testsupport::pageOf(format, upright.bytes);
      for (const int degrees : {90, 180, 270}) {
        const Export turned = exportOf(type, format, {.rotate = std::to_string(degrees)});
        const auto turnedPage = testsupport::pageOf(format, turned.bytes);
        ASSERT_TRUE(page && turnedPage) << what(type, format);
        const bool sideways = degrees != 180;
        EXPECT_NEAR(turnedPage->width, sideways ? page->height : page->width, 0.01)
            << what(type, format) << " " << degrees;
        const int dpi = render::isRaster(format) ? kDpi : 300;
        const QImage image = testsupport::picture(format, turned.bytes, dpi);
        EXPECT_EQ(testsupport::scan(image, type.reader), std::optional<std::string>(type.reads))
            << what(type, format) << " " << degrees;
        if (degrees != 90) continue;
        // Turned clockwise, the bars' top is on the right: down a column a
        // module into the bars, the left quiet zone comes first.
        const double dotsPerModule = realX(format) * dpi / 25.4;
        const auto down = darkRunsDown(image, image.width() - static_cast<int>(3 * dotsPerModule));
        ASSERT_FALSE(down.empty()) << what(type, format);
        EXPECT_NEAR(down.front().first, type.quietLeft * dotsPerModule, 4)
            << what(type, format) << ": the left quiet zone now on top";
      }
    }
}

TEST(PrintTable, ColoursAndTransparency) {
  // Navy on yellow: a bar's middle and the quiet zone's, as each reader draws them.
  const QColor ink(0x1f, 0x3a, 0x93), paper(0xff, 0xee, 0x00);
  for (const Type& type : {kTypes[2], kTypes[4]})
    for (const Format format : kFormats) {
      const Export made = exportOf(type, format, {.fg = "1f3a93", .bg = "ffee00"});
      const QImage image = testsupport::picture(format, made.bytes, 600);
      ASSERT_FALSE(image.isNull()) << what(type, format);
      const int middle =
          static_cast<int>((2 * realX(format) + standardBarsMm(type, format) / 2) * 600 / 25.4);
      const auto runs = darkRunsAcross(image, middle);
      ASSERT_FALSE(runs.empty()) << what(type, format);
      const QColor bar = image.pixelColor(runs.front().first + runs.front().second / 2, middle);
      const QColor quiet = image.pixelColor(runs.front().first / 2, middle);
      for (const auto& [got, wanted, name] :
           {std::tuple{bar, ink, "ink"}, std::tuple{quiet, paper, "paper"}}) {
        EXPECT_NEAR(got.red(), wanted.red(), 3) << what(type, format) << " " << name;
        EXPECT_NEAR(got.green(), wanted.green(), 3) << what(type, format) << " " << name;
        EXPECT_NEAR(got.blue(), wanted.blue(), 3) << what(type, format) << " " << name;
      }
      EXPECT_EQ(testsupport::zbarRead(image), std::optional<std::string>(type.zbar))
          << what(type, format);
    }
  // No background: PNG and SVG let what is under them show.
  for (const Format format : {Format::Png, Format::Svg}) {
    const Export made = exportOf(kTypes[2], format, {.bg = "none"});
    const QImage image =
        testsupport::picture(format, made.bytes, 600).convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(qAlpha(image.pixel(2, 2)), 0) << render::extensionOf(format);
    EXPECT_EQ(testsupport::scan(image, kTypes[2].reader), std::optional<std::string>("ABC"));
  }
}

TEST(PrintTable, EveryFileDecodesWithZxingAndZbar) {
  for (const Type& type : kTypes)
    for (const Format format : kFormats) {
      const Export made = exportOf(type, format);
      const QImage image = testsupport::picture(format, made.bytes, 600);
      EXPECT_EQ(testsupport::scan(image, type.reader), std::optional<std::string>(type.reads))
          << what(type, format);
      EXPECT_EQ(testsupport::zbarRead(image), std::optional<std::string>(type.zbar))
          << what(type, format);
    }
}

TEST(PrintTable, DigitsAreOcrBOfTheStandardsHeight) {
  // EAN/UPC digits 2.75 mm high at X = 0.33 mm (8.3 X), and text that
  // poppler can read out of the PDF.
  for (const Type& type : kTypes) {
    if (!isEanUpc(type)) continue;
    const Export made = exportOf(type, Format::Pdf);
    const QImage image = testsupport::picture(Format::Pdf, made.bytes, kDpi);
    // The digits' rows: below the data bars' bottom, under the middle of the
    // right half (between the centre guard and the end guard).
    const double dotsPerMm = kDpi / 25.4;
    const int from = static_cast<int>((2 + 69.24 + 0.5) * kX * dotsPerMm);
    int top = image.height(), bottom = 0;
    const int x0 = static_cast<int>((type.quietLeft + 50 + 1) * kX * dotsPerMm);
    // UPC-A's last character has long bars: its digit stands beside the guard.
    const bool upc = std::string_view(type.key) == "upca";
    const int x1 = static_cast<int>((type.quietLeft + (upc ? 85 : 92) - 1) * kX * dotsPerMm);
    for (int y = from; y < image.height(); ++y)
      for (int x = x0; x < x1; ++x)
        if (testsupport::isDark(image.pixel(x, y))) {
          top = std::min(top, y);
          bottom = std::max(bottom, y + 1);
        }
    EXPECT_NEAR((bottom - top) / dotsPerMm, 2.75, 0.1) << type.key;
    const testsupport::TemporaryFile file(made.bytes, QStringLiteral("digits.pdf"));
    EXPECT_TRUE(
        testsupport::runProgram(QStringLiteral("pdftotext"), {file.path(), QStringLiteral("-")})
            .contains(QByteArray(type.reads).mid(upc ? 6 : 7, upc ? 5 : 6)))
        << type.key << ": the digits are text";
  }
}

}  // namespace

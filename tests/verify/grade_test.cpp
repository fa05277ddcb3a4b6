// Grades of symbols zint draws, changed by ImageMagick where a row says so, against values
// worked out by hand from the standards' formulas.

#include "verify/grade.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

#include "support.h"

namespace {

using verify::Parameter;
using verify::Symbology;
using namespace verifytest;

// zint's options, then ImageMagick's (none: the file as zint wrote it).
std::optional<verify::Image> makeSymbol(const TempDir& dir, const std::string& zint,
                                        const std::string& convert) {
  const auto drawn = dir.file("zint.png");
  if (run("zint " + zint + " -o " + quoted(drawn)).status != 0) return std::nullopt;
  if (convert.empty()) return loadImage(drawn, kDpmm300);
  const auto changed = dir.file("changed.png");
  if (run("convert " + quoted(drawn) + " " + convert + " " + quoted(changed)).status != 0)
    return std::nullopt;
  return loadImage(changed, kDpmm300);
}

struct GradeCase {
  const char* name;
  const char* zint;
  const char* convert;
  Symbology symbology;
  double grade;
  Parameter limitedBy;
  const char* text;  // what zint was given, with the check digit zbarimg reports
  std::optional<double> symbolContrast = std::nullopt;
  std::optional<double> decodability = std::nullopt;
};

// All at 300 dpi: --scale=2 is 4 dots a module, X = 4 / 11.811 = 0.339 mm.
const GradeCase kGradeCases[] = {
    {"ean13_as_zint_draws_it", "-b 13 -d 400638133393 --scale=2 --notext", "", Symbology::Ean13,
     4.0, Parameter::None, "4006381333931", 100.0, 1.0},
    // +level 20%,80% maps black to 0.2 × 255 = 51 and white to 0.8 × 255 = 204, so
    // SC = (204 − 51) / 255 = 60.0 %: B (55 to 70); every other parameter stays A (MOD is
    // EC / SC = 1, Rmin 20 % <= half of Rmax 80 %), so all ten lines are B: 3.0.
    {"ean13_grey_loses_contrast", "-b 13 -d 400638133393 --scale=2 --notext", "+level 20%,80%",
     Symbology::Ean13, 3.0, Parameter::SymbolContrast, "4006381333931", 60.0, 1.0},
    // The red channel of red bars is 255, paper at 660 nm: nothing to scan.
    {"ean13_red_bars_vanish", "-b 13 -d 400638133393 --scale=2 --notext --fg=FF0000", "",
     Symbology::Ean13, 0.0, Parameter::Decode, ""},
    {"ean13_blue_bars_are_black", "-b 13 -d 400638133393 --scale=2 --notext --fg=0000FF", "",
     Symbology::Ean13, 4.0, Parameter::None, "4006381333931"},
    // zint leaves 11 X (44 dots) left of the bars; cutting 24 leaves 5 X.
    {"ean13_left_quiet_zone_cut", "-b 13 -d 400638133393 --scale=2 --notext", "-crop +24+0 +repage",
     Symbology::Ean13, 0.0, Parameter::QuietZone, "4006381333931"},
    // zint's own Code 128 PNG has no quiet zone at all.
    {"code128_zint_without_quiet_zones", "-b 20 -d ABCDEFGHIJ0123456789 --scale=2 --notext", "",
     Symbology::Code128, 0.0, Parameter::QuietZone, "ABCDEFGHIJ0123456789"},
    {"code128_with_quiet_zones", "-b 20 -d ABCDEFGHIJ0123456789 --scale=2 --notext --quietzones",
     "", Symbology::Code128, 4.0, Parameter::None, "ABCDEFGHIJ0123456789", 100.0, 1.0},
    {"gs1_128", "-b 16 -d [01]09501101530003 --scale=2 --notext --quietzones", "",
     Symbology::Gs1_128, 4.0, Parameter::None, "0109501101530003"},
    {"code39", "-b 8 -d CODE39 --scale=2 --notext --quietzones", "", Symbology::Code39, 4.0,
     Parameter::None, "CODE39", std::nullopt, 1.0},
    {"interleaved_2_of_5", "-b 3 -d 12345678 --scale=2 --notext --quietzones", "",
     Symbology::Interleaved2of5, 4.0, Parameter::None, "12345678"},
    // The bearer box's sides stand 10 X beyond the bars: they bound the quiet zones.
    {"itf14_in_its_bearer_box", "-b 89 -d 1234567890123 --scale=2 --notext", "", Symbology::Itf14,
     4.0, Parameter::None, "12345678901231"},
    {"codabar", "-b 18 -d A1234B --scale=2 --notext --quietzones", "", Symbology::Codabar, 4.0,
     Parameter::None, "A1234B"},
    {"upca", "-b 34 -d 03600029145 --scale=2 --notext", "", Symbology::UpcA, 4.0, Parameter::None,
     "036000291452"},
    {"ean8", "-b 13 -d 1234567 --scale=2 --notext", "", Symbology::Ean8, 4.0, Parameter::None,
     "12345670"},
    {"upce", "-b 37 -d 0123456 --scale=2 --notext", "", Symbology::UpcE, 4.0, Parameter::None,
     "01234565"},
    // Bars grown by ImageMagick, one dot each side (erode takes the darkest of three
    // neighbours), with white added around so the quiet zones keep their width.
    // Code 39 at 8 dots a module, wide 16 (zint's 2:1): a character of three narrow bars
    // (8 + 2 = 10), three narrow spaces (8 − 2 = 6), two wide bars (18) and a wide space
    // (14), as '*' and 'A' both are: A_n = (3·10 + 3·6) / 6 = 8, A_w = (2·18 + 14) / 3 =
    // 50/3, RT = (8 + 50/3) / 2 = 37/3; V = min((RT − 10) / (RT − 8), (14 − RT) / (A_w − RT))
    // = min(7/13, 5/13) = 0.385: C.
    {"code39_bars_grown_two_dots", "-b 8 -d A --scale=4 --notext --quietzones",
     "-morphology Erode Rectangle:3x1 -bordercolor white -border 16x0", Symbology::Code39, 2.0,
     Parameter::Decodability, "A", 100.0, 5.0 / 13.0},
    // EAN-13 at 10 dots a module, bars 0.2 module wider: T1 and T2 (bar plus space) do not
    // change, but the left half's set B '8' (3121, bars 1 + 1) is told from '2' (2212,
    // bars 2 + 2) by its bars, now 2 + 2 × 0.2 = 2.4 modules against the threshold 3:
    // V = |2.4 − 3| / 1 = 0.6: B. Its set B '1' and set C '1' move away from theirs.
    {"ean13_bars_grown_two_dots", "-b 13 -d 400638133393 --scale=5 --notext",
     "-morphology Erode Rectangle:3x1 -bordercolor white -border 20x0", Symbology::Ean13, 3.0,
     Parameter::Decodability, "4006381333931", 100.0, 0.6},
};

void PrintTo(const GradeCase& c, std::ostream* os) { *os << c.name; }

class Grades : public testing::TestWithParam<GradeCase> {};

TEST_P(Grades, MatchTheHandComputedValues) {
  const GradeCase& c = GetParam();
  TempDir dir;
  const std::optional<verify::Image> image = makeSymbol(dir, c.zint, c.convert);
  ASSERT_TRUE(image) << "zint or convert failed";
  const verify::Report report = verify::grade(*image, c.symbology);
  EXPECT_DOUBLE_EQ(report.grade, c.grade) << verify::lineTable(report);
  EXPECT_EQ(report.letter, verify::gradeLetter(c.grade));
  EXPECT_EQ(report.limitedBy, c.limitedBy) << verify::lineTable(report);
  EXPECT_EQ(report.text, c.text);
  for (const verify::ScanLine& line : report.lines) {
    if (c.symbolContrast) {
      EXPECT_NEAR(line.symbolContrast, *c.symbolContrast, 0.01);
    }
    if (c.decodability) {
      EXPECT_NEAR(line.decodability, *c.decodability, 0.005);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(ZintSymbols, Grades, testing::ValuesIn(kGradeCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A grey patch (192 of 255) in the middle of a four-module space, over the top half of
// the bars, so scan lines 1 to 5 cross it. The space around it still reaches 100 %, the
// patch 192 / 255 = 75.3 %: ERN = 24.7 %, defects = 24.7 / 100 = 0.247, C (up to 0.25).
// Five lines C (2) and five A (4): 3.0.
TEST(Defects, GreySpotInASpaceGradesAsComputedByHand) {
  TempDir dir;
  const auto drawn = dir.file("zint.png");
  ASSERT_EQ(
      run("zint -b 20 -d ABCDEFGHIJ0123456789 --scale=2 --notext --quietzones -o " + quoted(drawn))
          .status,
      0);
  const std::optional<verify::Image> clean = loadImage(drawn, kDpmm300);
  ASSERT_TRUE(clean);
  // The first space 16 dots wide after the first bar, found on the picture itself.
  const int middle = clean->height / 2;
  int space = -1;
  for (int x = 41, length = 0; x < clean->width - 41 && space < 0; ++x) {
    length = clean->at(x, middle) == 255 ? length + 1 : 0;
    if (length == 16 && clean->at(x + 1, middle) == 0) space = x - 15;
  }
  ASSERT_GE(space, 0);
  const auto spotted = dir.file("spot.png");
  const std::string rectangle = std::to_string(space + 4) + ",0 " + std::to_string(space + 11) +
                                "," + std::to_string(clean->height / 2 - 1);
  ASSERT_EQ(run("convert " + quoted(drawn) + " +antialias -fill '#C0C0C0' -draw 'rectangle " +
                rectangle + "' " + quoted(spotted))
                .status,
            0);
  const std::optional<verify::Image> image = loadImage(spotted, kDpmm300);
  ASSERT_TRUE(image);
  const verify::Report report = verify::grade(*image, Symbology::Code128);
  ASSERT_EQ(report.lines.size(), 10u);
  for (std::size_t k = 0; k < 10; ++k) {
    const verify::ScanLine& line = report.lines[k];
    EXPECT_NEAR(line.defects, k < 5 ? (255.0 - 192.0) / 255.0 : 0.0, 0.002) << "line " << k + 1;
    EXPECT_EQ(line.grade, k < 5 ? 2 : 4) << "line " << k + 1;
  }
  EXPECT_DOUBLE_EQ(report.grade, 3.0);
  EXPECT_EQ(report.limitedBy, Parameter::Defects);
}

// The sweep's simulated spread against ImageMagick's: at 20 dots a mm a step of 0.025 mm
// is half a dot, so ±0.100 mm is the one dot a side that erode and dilate take. EAN-13
// at 10 dots a module (X 0.5 mm, aperture 0.150 mm = 3 dots). Only the bars of 1, 2, 7
// and 8 feel spread: with bars wider by s modules, set B's '8' (bars 2) has 1 − 2s of
// its one-module margin left, shrunk by s its '1' (bars 4) has the same. So
// ±0.075 mm (s = 0.15): V = 0.7, A; ±0.100 mm (s = 0.2): V = 0.6, B, as erode and dilate.
TEST(InkSpread, SweepMatchesImageMagicksMorphologyAndTheHandMargins) {
  TempDir dir;
  const auto drawn = dir.file("zint.png");
  ASSERT_EQ(run("zint -b 13 -d 400638133393 --scale=5 --notext -o " + quoted(drawn)).status, 0);
  const auto image = loadImage(drawn, 20.0);
  ASSERT_TRUE(image);
  verify::GradeOptions options;
  options.requiredGrade = 'A';
  const verify::Report report = verify::grade(*image, Symbology::Ean13, options);
  ASSERT_EQ(report.spread.size(), 11u);
  EXPECT_NEAR(report.spread.front().spreadMm, -0.100, 1e-9);
  EXPECT_NEAR(report.spread.back().spreadMm, 0.150, 1e-9);
  ASSERT_TRUE(report.tolerance);
  EXPECT_NEAR(report.tolerance->first, -0.075, 1e-9);
  EXPECT_NEAR(report.tolerance->second, 0.075, 1e-9);

  for (const auto& [operation, step] : {std::pair{"Erode", 8}, std::pair{"Dilate", 0}}) {
    const auto changed = dir.file(std::string(operation) + ".png");
    ASSERT_EQ(run("convert " + quoted(drawn) + " -morphology " + operation +
                  " Rectangle:3x1 -bordercolor white -border 20x0 " + quoted(changed))
                  .status,
              0);
    const auto printed = loadImage(changed, 20.0);
    ASSERT_TRUE(printed);
    options.spreadSweep = false;
    const verify::Report real = verify::grade(*printed, Symbology::Ean13, options);
    EXPECT_DOUBLE_EQ(real.grade, 3.0) << operation;
    EXPECT_DOUBLE_EQ(report.spread[static_cast<std::size_t>(step)].grade, real.grade) << operation;
    for (const verify::ScanLine& line : real.lines) EXPECT_NEAR(line.decodability, 0.6, 0.005);
  }

  const auto grey = dir.file("grey.png");
  ASSERT_EQ(run("convert " + quoted(drawn) + " +level 30%,70% " + quoted(grey)).status, 0);
  const auto faint = loadImage(grey, 20.0);
  ASSERT_TRUE(faint);
  options.requiredGrade = 'B';
  options.spreadSweep = true;
  // SC = 40 %, C at best: below B whatever the spread.
  EXPECT_FALSE(verify::grade(*faint, Symbology::Ean13, options).tolerance);
}

// The aperture against geometry: zint's Code 128 at 2 dots a module seen through a
// circle 4 dots across. Centred on a 2-dot space between bars, the circle has
// 2 (r² asin(a/r) + a √(r² − a²)) = 2 (4 asin 0.5 + √3) = 7.653 of its π r² = 12.566 in
// the space (r = 2, a = 1): 60.9 %. Samples fall an eighth of a dot off centre, which
// leaves 60.8 %; a narrow bar, likewise, 39.2 %. So ECmin = 21.6 %, at least 15 (A),
// and MOD = 0.216: F.
TEST(Aperture, NarrowElementsLoseContrastAsTheCirclesAreaSays) {
  TempDir dir;
  const auto drawn = dir.file("zint.png");
  ASSERT_EQ(
      run("zint -b 20 -d ABCDEFGHIJ0123456789 --scale=1 --notext --quietzones -o " + quoted(drawn))
          .status,
      0);
  const auto image = loadImage(drawn, kDpmm300);
  ASSERT_TRUE(image);
  verify::GradeOptions options;
  options.apertureMm = 4 / kDpmm300;
  options.spreadSweep = false;
  const verify::Report report = verify::grade(*image, Symbology::Code128, options);
  for (const verify::ScanLine& line : report.lines) {
    EXPECT_TRUE(line.decoded) << line.text;
    EXPECT_NEAR(line.edgeContrastMin, 21.6, 0.3);
    EXPECT_EQ(line.grades[3], 4);  // edge contrast
    EXPECT_EQ(line.grades[4], 0);  // modulation
  }
  EXPECT_EQ(report.limitedBy, Parameter::Modulation);
}

}  // namespace

// Physical checks, the aperture rule, the image helper, the formatters and the Code 128
// table, each against figures from the standards or worked out by hand.

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>

#include "support.h"
#include "verify/decode.h"
#include "verify/grade.h"

namespace {

using verify::Symbology;
using namespace verifytest;

struct CheckCase {
  const char* name;
  const char* zint;
  Symbology symbology;
  const char* check;
  double measured;  // by hand from the dots zint drew at 300 dpi (11.811 dots a mm)
  double minimum;
  bool pass;
};

const CheckCase kCheckCases[] = {
    // 4 dots: X = 4 / 11.811 = 0.339 mm, inside 0.264 to 0.660.
    {"ean13_x_at_4_dots", "-b 13 -d 400638133393 --scale=2 --notext", Symbology::Ean13, "X (mm)",
     0.3387, 0.264, true},
    // 3 dots: 3 / 11.811 = 0.254 mm, under GS1's 0.264.
    {"ean13_x_at_3_dots", "-b 13 -d 400638133393 --scale=1.5 --notext", Symbology::Ean13, "X (mm)",
     0.2540, 0.264, false},
    // zint's 50 X bars: 200 / 11.811 = 16.93 mm, short of 69.24 X = 69.24 × 0.3387 = 23.45.
    {"ean13_zint_height_short", "-b 13 -d 400638133393 --scale=2 --notext", Symbology::Ean13,
     "bar height (mm)", 16.93, 23.45, false},
    // 70 X: 280 / 11.811 = 23.71 mm.
    {"ean13_70x_height_enough", "-b 13 -d 400638133393 --scale=2 --notext --height=70",
     Symbology::Ean13, "bar height (mm)", 23.71, 23.45, true},
    {"ean13_left_quiet_zone", "-b 13 -d 400638133393 --scale=2 --notext", Symbology::Ean13,
     "left quiet zone (X)", 11.0, 11.0, true},
    {"ean13_right_quiet_zone", "-b 13 -d 400638133393 --scale=2 --notext", Symbology::Ean13,
     "right quiet zone (X)", 7.0, 7.0, true},
    // 2 dots: 0.169 mm, under the 0.19 mm general floor.
    {"code39_x_at_2_dots", "-b 8 -d CODE39 --scale=1 --notext --quietzones", Symbology::Code39,
     "X (mm)", 0.1693, 0.19, false},
    // Bars 844 dots long = 71.46 mm: 15 % is 10.72 mm, more than 6.35; 200 dots = 16.93 mm.
    {"code128_height_linear_rule", "-b 20 -d ABCDEFGHIJ0123456789 --scale=2 --notext --quietzones",
     Symbology::Code128, "bar height (mm)", 16.93, 10.72, true},
    // 20 X = 80 dots = 6.77 mm.
    {"code128_low_bars",
     "-b 20 -d ABCDEFGHIJ0123456789 --scale=2 --notext --quietzones --height=20",
     Symbology::Code128, "bar height (mm)", 6.77, 10.72, false},
};

void PrintTo(const CheckCase& c, std::ostream* os) { *os << c.name; }

class Checks : public testing::TestWithParam<CheckCase> {};

TEST_P(Checks, MeasureAsComputedByHand) {
  const CheckCase& c = GetParam();
  TempDir dir;
  const auto file = dir.file("zint.png");
  ASSERT_EQ(run("zint " + std::string(c.zint) + " -o " + quoted(file)).status, 0);
  const auto image = loadImage(file, kDpmm300);
  ASSERT_TRUE(image);
  verify::GradeOptions options;
  options.spreadSweep = false;
  const verify::Report report = verify::grade(*image, c.symbology, options);
  bool found = false;
  for (const verify::Check& check : report.checks) {
    if (check.what != c.check) continue;
    found = true;
    EXPECT_NEAR(check.measured, c.measured, 0.006 * c.measured);
    EXPECT_NEAR(check.minimum, c.minimum, 0.006 * c.minimum);
    EXPECT_EQ(check.pass, c.pass);
  }
  EXPECT_TRUE(found);
}

INSTANTIATE_TEST_SUITE_P(ZintSymbols, Checks, testing::ValuesIn(kCheckCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct ApertureCase {
  const char* name;
  Symbology symbology;
  double xMm;
  double apertureMm;
};

// GS1 grades retail EAN/UPC with 0.150 mm; otherwise ISO/IEC 15416's guidance by X.
const ApertureCase kApertureCases[] = {
    {"ean13_any_x_gs1", Symbology::Ean13, 0.660, 0.150},
    {"upce_small_x_gs1", Symbology::UpcE, 0.264, 0.150},
    {"code128_fine", Symbology::Code128, 0.170, 0.075},
    {"code39_0_25", Symbology::Code39, 0.250, 0.125},
    {"code128_0_339", Symbology::Code128, 0.339, 0.250},
    {"itf14_logistics", Symbology::Itf14, 1.016, 0.500},
};

void PrintTo(const ApertureCase& c, std::ostream* os) { *os << c.name; }

class Apertures : public testing::TestWithParam<ApertureCase> {};

TEST_P(Apertures, FollowTheRule) {
  EXPECT_DOUBLE_EQ(verify::defaultApertureMm(GetParam().symbology, GetParam().xMm),
                   GetParam().apertureMm);
}

INSTANTIATE_TEST_SUITE_P(Rule, Apertures, testing::ValuesIn(kApertureCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct PixelCase {
  const char* name;
  std::uint8_t r, g, b, a;
  std::uint8_t reflectance;
};

const PixelCase kPixelCases[] = {
    {"red_reads_as_paper", 255, 0, 0, 255, 255},
    {"blue_reads_as_black", 0, 0, 255, 255, 0},
    // 0 × 128/255 + 255 × 127/255 = 127
    {"half_transparent_black_on_white", 0, 0, 0, 128, 127},
    {"transparent_is_white", 0, 0, 0, 0, 255},
    // 100 × 200/255 + 255 × 55/255 = 78.4 + 55 = 133.4
    {"grey_over_white", 100, 100, 100, 200, 133},
};

void PrintTo(const PixelCase& c, std::ostream* os) { *os << c.name; }

class Pixels : public testing::TestWithParam<PixelCase> {};

TEST_P(Pixels, TakeTheRedChannelOverWhite) {
  const PixelCase& c = GetParam();
  const std::uint8_t rgba[8] = {c.r, c.g, c.b, c.a, c.r, c.g, c.b, c.a};
  const verify::Image image = verify::imageFromRgb(rgba, 2, 1, 8, 4, 10);
  ASSERT_EQ(image.width, 2);
  EXPECT_EQ(image.at(1, 0), c.reflectance);
  EXPECT_DOUBLE_EQ(image.dotsPerMm, 10);
}

INSTANTIATE_TEST_SUITE_P(Rgba, Pixels, testing::ValuesIn(kPixelCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Pixels, RejectWhatDoesNotFit) {
  const std::uint8_t rgb[6] = {};
  EXPECT_EQ(verify::imageFromRgb(rgb, 2, 1, 6, 2, 10).width, 0);  // two channels
  EXPECT_EQ(verify::imageFromRgb(rgb, 2, 1, 5, 3, 10).width, 0);  // stride too short
  EXPECT_EQ(verify::imageFromRgb(nullptr, 2, 1, 6, 3, 10).width, 0);
}

struct SummaryCase {
  const char* name;
  bool tolerance;
  verify::Reading zxing, zbar;
  const char* expected;
  verify::Expected wanted = {};
  bool xTooSmall = false;  // X 0.042 mm against EAN-13's 0.264
};

const SummaryCase kSummaryCases[] = {
    {"both_read",
     true,
     {"4006381333931", ""},
     {"4006381333931", ""},
     "grade A (3.8) at X 0.339 mm, aperture 0.150 mm; C or better from -0.075 to +0.125 mm ink "
     "spread; zxing-cpp and zbar read 4006381333931"},
    {"one_reads",
     false,
     {"4006381333931", ""},
     {std::nullopt, "zbar found no EAN-13"},
     "grade A (3.8) at X 0.339 mm, aperture 0.150 mm; below C without ink spread; zxing-cpp reads "
     "4006381333931, zbar does not read it (zbar found no EAN-13)"},
    {"neither_reads",
     true,
     {},
     {},
     "grade A (3.8) at X 0.339 mm, aperture 0.150 mm; C or better "
     "from -0.075 to +0.125 mm ink spread; neither zxing-cpp nor zbar reads it"},
    {"both_read_another_text",
     true,
     {"4006381333931", ""},
     {"4006381333931", ""},
     "grade A (3.8) at X 0.339 mm, aperture 0.150 mm; C or better from -0.075 to +0.125 mm ink "
     "spread; zxing-cpp and zbar read 4006381333931, not 5901234123457",
     {.text = "5901234123457", .cause = "", .shownLength = 0}},
    {"one_reads_another_text",
     true,
     {"4006381333932", ""},
     {"4006381333931", ""},
     "grade A (3.8) at X 0.339 mm, aperture 0.150 mm; C or better from -0.075 to +0.125 mm ink "
     "spread; zxing-cpp reads 4006381333932, not 4006381333931, zbar reads 4006381333931",
     {.text = "4006381333931", .cause = "", .shownLength = 0}},
    {"the_cause_in_place_of_the_readers_words",
     true,
     {"HI", ""},
     {std::nullopt, "zbar found no Code 128"},
     "grade A (3.8) at X 0.339 mm, aperture 0.150 mm; C or better from -0.075 to +0.125 mm ink "
     "spread; zxing-cpp reads HI, zbar does not read it (too long)",
     {.text = "HI", .cause = "too long", .shownLength = 0}},
    {"long_texts_cut_after_comparing",
     true,
     {"ABCDEFGH", ""},
     {"ABCDEFGX", ""},
     "grade A (3.8) at X 0.339 mm, aperture 0.150 mm; C or better from -0.075 to +0.125 mm ink "
     "spread; zxing-cpp reads ABCD\u2026, zbar reads ABCD\u2026, not ABCD\u2026",
     {.text = "ABCDEFGH", .cause = "", .shownLength = 4}},
    {"x_below_the_minimum",
     true,
     {"4006381333931", ""},
     {"4006381333931", ""},
     "grade A (3.8) at X 0.339 mm, aperture 0.150 mm; C or better from -0.075 to +0.125 mm ink "
     "spread; X 0.042 mm below the minimum 0.264 mm; zxing-cpp and zbar read 4006381333931",
     {},
     true},
};

void PrintTo(const SummaryCase& c, std::ostream* os) { *os << c.name; }

class Summaries : public testing::TestWithParam<SummaryCase> {};

// A report put together by hand, so only the wording is under test.
TEST_P(Summaries, ReadAsWritten) {
  verify::Report report;
  report.grade = 3.8;
  report.letter = 'A';
  report.xNominalMm = 0.3387;
  report.apertureMm = 0.150;
  report.spread = {{-0.1, 1.0}, {0, 3.8}};
  if (GetParam().tolerance) report.tolerance = std::pair{-0.075, 0.125};
  if (GetParam().xTooSmall) report.checks.push_back({"X (mm)", 0.042, 0.264, 0.660, false});
  EXPECT_EQ(verify::summaryLine(report, GetParam().zxing, GetParam().zbar, GetParam().wanted),
            GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Wording, Summaries, testing::ValuesIn(kSummaryCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LineTable, HasARowPerLineAndTheSymbolGrade) {
  verify::Report report;
  report.lines.resize(10);
  report.lines[3].grade = 2;
  report.lines[3].limitedBy = verify::Parameter::Defects;
  const std::string table = verify::lineTable(report);
  EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), 12);
  EXPECT_NE(table.find("C  defects"), std::string::npos) << table;
}

// ISO/IEC 15417: every character is 11 modules, its bars an even number of them, and the
// four edge-to-similar-edge sums tell each apart.
TEST(Code128Table, HasTheStandardsStructure) {
  std::set<int> keys;
  for (const auto& m : verify::detail::kCode128) {
    EXPECT_EQ(m[0] + m[1] + m[2] + m[3] + m[4] + m[5], 11);
    EXPECT_EQ((m[0] + m[2] + m[4]) % 2, 0);
    keys.insert(((m[0] + m[1]) * 10 + m[1] + m[2]) * 100 + (m[2] + m[3]) * 10 + m[3] + m[4]);
  }
  EXPECT_EQ(keys.size(), verify::detail::kCode128.size());
}

}  // namespace

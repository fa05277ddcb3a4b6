#include "symbologies/linear/interleaved2of5.h"

#include <gtest/gtest.h>

#include "tests/support/settings.h"
#include "tests/symbologies/linear/linear_cases.h"

namespace {

using namespace testsupport::settings;

using namespace lineartest;
using linear::Settings;

const Encode kEncode = &linear::encodeInterleaved2of5;

// Start 4 + 2P pixels, each digit pair 18 + 5P, stop 5 + P; the picture is
// 17 twips a pixel plus 500, and the label may stand between pixels.
const LayoutCase kLayouts[] = {
    {"odd count gets a leading zero", U"123", kSpaced, 78, 1826, 33.2, U"0123"},
    {"even count, tight spacing", U"1234", kTight, 65, 1605, 28, U"1234"},
    {"odd count with check digit", U"12345", kSpacedCheck, 101, 2217, 39.8, U"123457"},
    {"even count with check digit", U"1234", kTightCheck, 83, 1911, 32, U"012348"},
    {"single digit", U"7", kTight, 47, 1299, 24, U"07"},
};

TEST(Interleaved2of5, LayoutFromPixels) {
  for (const auto& c : kLayouts) expectLayout(c, kEncode);
}

TEST(Interleaved2of5, CheckDigitWeighsTheLastDataDigitBy3) {
  // Examples of the GS1 modulo-10 check digit, which this one is, from the
  // published numbers they end.
  const struct {
    const char* name;
    const char32_t* text;
    const char32_t* label;
  } cases[] = {
      {"12345: 3+2+9+4+15 = 33", U"12345", U"123457"},
      {"even count, leading zero", U"1234", U"012348"},
      {"EAN-13 4006381333931", U"400638133393", U"04006381333931"},
      {"UPC-A 036000291452", U"03600029145", U"036000291452"},
      {"sum a multiple of 10", U"55", U"0550"},
      {"all zeros", U"0", U"00"},
  };
  for (const auto& c : cases) {
    const auto symbol = std::get<linear::Symbol>(kEncode(c.text, kSpacedCheck));
    EXPECT_EQ(symbol.label, c.label) << c.name;
    EXPECT_EQ(symbol.checkValue, symbol.label.back() - U'0') << c.name;
  }
}

TEST(Interleaved2of5, RejectsTheFirstNonDigit) {
  const RejectCase cases[] = {
      {"letter after the leading zero", U"12a", kSpaced, QStringLiteral("a is Invalid")},
      {"blank", U"12 34", kSpaced, QStringLiteral("  is Invalid")},
      {"first of two", U"1x2y", kSpaced, QStringLiteral("x is Invalid")},
      {"full-width digit", U"1\uff12", kSpaced, QStringLiteral("\uff12 is Invalid")},
      {"in the last pair", U"123456789/", kTight, QStringLiteral("/ is Invalid")},
  };
  for (const auto& c : cases) expectRejected(c, kEncode);
}

TEST(Interleaved2of5, LongestDataThatFitsTheWidestPicture) {
  // 29 + 18 pairs <= (32767 * 15 - 500) / 17 = 28882 allows 1602 pairs.
  expectWidestPicture({"3204 digits", std::u32string(3204, U'5'), kTight, 29 + 18 * 1602}, kEncode);
}

// The reader needs at least six digits; shorter symbols never scan.
const ScanCase kScans[] = {
    {"every digit as bars and as spaces", U"01234567899876543210", kTight, "01234567899876543210"},
    {"every digit, print spacing", U"01234567899876543210", kSpaced, "01234567899876543210"},
    {"odd count gets a leading zero", U"12345", kTight, "012345"},
    {"odd count, print spacing", U"12345", kSpacedNoLabel, "012345"},
    {"check digit", U"12345", kTightCheck, "123457"},
    {"check digit, print spacing", U"400638133393", kSpacedCheck, "04006381333931"},
    {"check digit and leading zero", U"1234", kSpacedCheck, "012348"},
    {"four digits are too few for the reader", U"1234", kTight, nullptr},
};

TEST(Interleaved2of5, ZxingReadsWhatWeDraw) {
  for (const auto& c : kScans) expectScan(c, kEncode, testsupport::Format::Interleaved2of5);
}

}  // namespace

#include "symbologies/linear/code39.h"

#include <gtest/gtest.h>

#include "screen/linear.h"
#include "surface/picturebox.h"
#include "tests/support/pixels.h"
#include "tests/support/scan.h"
#include "tests/support/settings.h"
#include "tests/symbologies/linear/linear_cases.h"

namespace {

using namespace testsupport::settings;

using linear::Settings;
using lineartest::LayoutCase;
using lineartest::Picture;
using testsupport::endOfRow;

// Figures worked out by hand from the symbol character widths.
const LayoutCase kLayouts[] = {
    {"single letter, tight spacing", U"A", kTight, 67, 1505, 40, U"A"},
    {"word, print spacing", U"CODE39", kSpaced, 186, 3290, 77, U"CODE39"},
    {"word with check character W", U"CODE39", kTightCheck, 163, 2945, 65, U"CODE39W"},
    {"lower case labelled upper", U"code39", kTightCheck, 163, 2945, 65, U"CODE39W"},
};

TEST(Code39, LayoutFromPixels) {
  for (const auto& c : kLayouts) lineartest::expectLayout(c, &linear::encodeCode39);
}

TEST(Code39, LowerCaseGivesTheUpperCaseSymbol) {
  Picture lower, upper;
  linear::drawLinear(lower.box, U"code39", kSpacedCheck, &linear::encodeCode39);
  linear::drawLinear(upper.box, U"CODE39", kSpacedCheck, &linear::encodeCode39);
  EXPECT_EQ(lower.box.Image(), upper.box.Image());
}

TEST(Code39, LabelRaisesTheBarBottomBy8) {
  for (int label : {0, 1}) {
    Picture picture;
    linear::drawLinear(picture.box, U"A", {.printSpacing = 1, .label = label, .checkCharacter = 0},
                       &linear::encodeCode39);
    const QImage image = picture.box.Image();
    const int lastRow = label ? 49 : 57;
    EXPECT_TRUE(testsupport::isDark(image.pixel(20, 1))) << label;
    EXPECT_TRUE(testsupport::isDark(image.pixel(20, lastRow))) << label;
    EXPECT_FALSE(testsupport::isDark(image.pixel(20, 58))) << label;
    EXPECT_FALSE(testsupport::isDark(image.pixel(20, 0))) << label;
  }
}

TEST(Code39, CheckCharacterIsTheSumModulo43) {
  const struct {
    const char32_t* text;
    int check;
  } cases[] = {
      {U"CODE39", 32},  // 12+24+13+14+3+9 = 75
      {U"0", 0},
      {U"%", 42},
      {U"ZZ", 27},  // 70 mod 43
  };
  for (const auto& c : cases) {
    const auto symbol = std::get<linear::Symbol>(linear::encodeCode39(c.text, kSpacedCheck));
    EXPECT_EQ(symbol.checkValue, c.check);
  }
}

TEST(Code39, RejectsTheFirstCharacterOutsideTheSet) {
  const lineartest::RejectCase cases[] = {
      {"start character", U"*", kSpaced, QStringLiteral("* is Invalid")},
      {"sign after a letter", U"a#", kSpaced, QStringLiteral("# is Invalid")},
      {"first of two", U"A!B?", kSpaced, QStringLiteral("! is Invalid")},
      {"accented letter", U"\u00e9", kSpaced, QStringLiteral("\u00e9 is Invalid")},
      {"sharp s is not SS", U"stra\u00dfe", kSpaced, QStringLiteral("\u00df is Invalid")},
      {"dotless i is not I", U"\u0131", kSpaced, QStringLiteral("\u0131 is Invalid")},
      {"full-width digit", U"\uff11", kSpaced, QStringLiteral("\uff11 is Invalid")},
      {"tab", U"A\tB", kSpaced, QStringLiteral("\t is Invalid")},
      {"character outside the BMP, whole", U"A\U0001F600", kSpaced,
       QString::fromUcs4(U"\U0001F600 is Invalid")},
  };
  for (const auto& c : cases) lineartest::expectRejected(c, &linear::encodeCode39);
}

TEST(Code39, EmptyInputLeavesABlankPictureOfTheSameWidth) {
  Picture picture;
  linear::drawLinear(picture.box, U"ABC", kSpaced, &linear::encodeCode39);
  const int width = picture.box.WidthTwips();
  EXPECT_FALSE(linear::drawLinear(picture.box, U"", kSpaced, &linear::encodeCode39));
  EXPECT_TRUE(testsupport::isBlank(picture.box.Image()));
  EXPECT_EQ(picture.box.WidthTwips(), width);
}

TEST(Code39, LongestInputThatFitsTheWidestPicture) {
  // With print spacing each character takes 21 pixels: end x = 21n + 60.
  lineartest::expectWidestPicture(
      {"1555 characters", std::u32string(1555, U'8'), kSpaced, 21 * 1555 + 60},
      &linear::encodeCode39);
}

TEST(Code39, AMegabyteIsRefusedWithoutReadingItAll) {
  const std::u32string huge(1 << 20, U'A');
  const auto encoding = linear::encodeCode39(huge, kTightCheck);
  ASSERT_TRUE(std::holds_alternative<linear::TooLong>(encoding));
  EXPECT_EQ(QString::fromStdU32String(linear::message(std::get<linear::TooLong>(encoding))),
            QStringLiteral("Data too long: the barcode would be wider than 32767 pixels"));
}

// Print spacing widens every space by a pixel, so narrow and wide spaces stand
// 2:4 against bars of 1:3. zxing-cpp still reads that, except for "$", "/",
// "+" and "%": their bars are all narrow and three of their spaces wide.
// Check characters worked out by hand: the sum of the values modulo 43.
const lineartest::ScanCase kScans[] = {
    {"letter", U"A", kTight, "A"},
    {"letter, print spacing", U"A", kSpaced, "A"},
    {"word with check character", U"CODE39", kTightCheck, "CODE39W"},
    {"word with check character, print spacing", U"CODE39", kSpacedCheck, "CODE39W"},
    {"lower case and blank, print spacing", U"hello world", kSpaced, "HELLO WORLD"},
    {"digits, print spacing with check", U"0123456789", kSpacedNoLabelCheck, "01234567892"},
    {"letters and - . blank, print spacing", U"ABCDEFGHIJKLMNOPQRSTUVWXYZ-. ", kSpacedCheck,
     "ABCDEFGHIJKLMNOPQRSTUVWXYZ-. 8"},
    {"whole character set", U"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%", kTight,
     "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%"},
    {"whole character set with check", U"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%", kTightCheck,
     "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%0"},
    {"$ / + % with print spacing", U"$/+%", kSpaced, nullptr},
};

TEST(Code39, ZxingReadsWhatWeDraw) {
  for (const auto& c : kScans)
    lineartest::expectScan(c, &linear::encodeCode39, testsupport::Format::Code39);
}

}  // namespace

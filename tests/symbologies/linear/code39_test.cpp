#include "symbologies/linear/code39.h"

#include <gtest/gtest.h>

#include "surface/picturebox.h"
#include "symbologies/linear/draw.h"
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

struct RejectCase {
  const char* name;
  const char32_t* text;
  QString message;
};

TEST(Code39, RejectsTheFirstCharacterOutsideTheSet) {
  const RejectCase cases[] = {
      {"start character", U"*", QStringLiteral("* is Invalid")},
      {"sign after a letter", U"a#", QStringLiteral("# is Invalid")},
      {"first of two", U"A!B?", QStringLiteral("! is Invalid")},
      {"accented letter", U"\u00e9", QStringLiteral("\u00e9 is Invalid")},
      {"sharp s is not SS", U"stra\u00dfe", QStringLiteral("\u00df is Invalid")},
      {"dotless i is not I", U"\u0131", QStringLiteral("\u0131 is Invalid")},
      {"full-width digit", U"\uff11", QStringLiteral("\uff11 is Invalid")},
      {"tab", U"A\tB", QStringLiteral("\t is Invalid")},
      {"character outside the BMP, whole", U"A\U0001F600",
       QString::fromUcs4(U"\U0001F600 is Invalid")},
  };
  for (const auto& c : cases) {
    const auto encoding = linear::encodeCode39(c.text, kSpaced);
    ASSERT_TRUE(std::holds_alternative<linear::Rejected>(encoding)) << c.name;
    EXPECT_EQ(linear::message(std::get<linear::Rejected>(encoding)), c.message) << c.name;

    // The picture shows the message alone, at the top-left corner.
    Picture drawn, expected;
    drawn.box.setWidth(3000);
    EXPECT_FALSE(linear::drawLinear(drawn.box, c.text, kSpaced, &linear::encodeCode39)) << c.name;
    EXPECT_EQ(drawn.box.Width(), 3000) << c.name;
    expected.box.setWidth(3000);
    expected.box.Print(c.message);
    EXPECT_EQ(drawn.box.Image(), expected.box.Image()) << c.name;
  }
}

TEST(Code39, EmptyInputLeavesABlankPictureOfTheSameWidth) {
  Picture picture;
  linear::drawLinear(picture.box, U"ABC", kSpaced, &linear::encodeCode39);
  const int width = picture.box.Width();
  EXPECT_FALSE(linear::drawLinear(picture.box, U"", kSpaced, &linear::encodeCode39));
  EXPECT_TRUE(testsupport::isBlank(picture.box.Image()));
  EXPECT_EQ(picture.box.Width(), width);
}

TEST(Code39, LongestInputThatFitsTheWidestPicture) {
  // With print spacing each character takes 21 pixels: end x = 21n + 60.
  const std::u32string fits(1555, U'8');
  const std::u32string tooLong(1556, U'8');
  const auto symbol = std::get<linear::Symbol>(linear::encodeCode39(fits, kSpaced));
  EXPECT_EQ(symbol.endX, 21 * 1555 + 60);
  EXPECT_TRUE(std::holds_alternative<linear::TooLong>(linear::encodeCode39(tooLong, kSpaced)));

  Picture picture;
  ASSERT_TRUE(linear::drawLinear(picture.box, fits, kSpaced, &linear::encodeCode39));
  EXPECT_LE(picture.box.width(), surface::kMaxPictureWidth);
  EXPECT_EQ(endOfRow(picture.box.Image(), 10), symbol.endX);
  EXPECT_FALSE(linear::drawLinear(picture.box, tooLong, kSpaced, &linear::encodeCode39));
  // Only the message, from the top-left corner; no bars.
  EXPECT_LE(testsupport::leftmostInRows(picture.box.Image(), 0, 20), 3);
  EXPECT_TRUE(testsupport::darkColumns(picture.box.Image(), 40).empty());
}

TEST(Code39, AMegabyteIsRefusedWithoutReadingItAll) {
  const std::u32string huge(1 << 20, U'A');
  const auto encoding = linear::encodeCode39(huge, kTightCheck);
  ASSERT_TRUE(std::holds_alternative<linear::TooLong>(encoding));
  EXPECT_EQ(linear::message(std::get<linear::TooLong>(encoding)),
            QStringLiteral("Data too long: the barcode would be wider than 32767 pixels"));
}

struct ScanCase {
  const char* name;
  const char32_t* text;
  Settings settings;
  bool scans;
};

// Print spacing widens every space by a pixel, so narrow and wide spaces stand
// 2:4 against bars of 1:3. zxing-cpp still reads that, except for "$", "/",
// "+" and "%": their bars are all narrow and three of their spaces wide.
const ScanCase kScans[] = {
    {"letter", U"A", kTight, true},
    {"letter, print spacing", U"A", kSpaced, true},
    {"word with check character", U"CODE39", kTightCheck, true},
    {"word with check character, print spacing", U"CODE39", kSpacedCheck, true},
    {"lower case and blank, print spacing", U"hello world", kSpaced, true},
    {"digits, print spacing with check", U"0123456789", kSpacedNoLabelCheck, true},
    {"letters and - . blank, print spacing", U"ABCDEFGHIJKLMNOPQRSTUVWXYZ-. ", kSpacedCheck, true},
    {"whole character set", U"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%", kTight, true},
    {"whole character set with check", U"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%", kTightCheck,
     true},
    {"$ / + % with print spacing", U"$/+%", kSpaced, false},
};

TEST(Code39, ZxingReadsWhatWeDraw) {
  for (const auto& c : kScans) {
    Picture picture;
    ASSERT_TRUE(linear::drawLinear(picture.box, c.text, c.settings, &linear::encodeCode39))
        << c.name;
    const auto symbol = std::get<linear::Symbol>(linear::encodeCode39(c.text, c.settings));
    const auto read = testsupport::scan(picture.box.Image(), testsupport::Format::Code39);
    if (c.scans)
      EXPECT_EQ(read, QString::fromStdU32String(symbol.label).toStdString()) << c.name;
    else
      EXPECT_EQ(read, std::nullopt) << c.name;
  }
}

}  // namespace

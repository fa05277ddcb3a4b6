#include "symbologies/linear/codabar.h"

#include <gtest/gtest.h>

#include "screen/linear.h"
#include "tests/support/settings.h"
#include "tests/symbologies/linear/linear_cases.h"

namespace {

using namespace testsupport::settings;

using namespace lineartest;
using linear::Settings;

const Encode kEncode = &linear::encodeCodabar;

// Digits, "-" and "$" take 11 + 3P pixels; ":", "/", ".", "+" and A to D
// 13 + 3P; every gap 1 + P. The frame A ... A is not labelled.
const LayoutCase kLayouts[] = {
    {"digits, print spacing", U"123", kSpaced, 102, 2030, 45, U"123"},
    {"digits, tight spacing", U"123", kTight, 83, 1745, 39, U"123"},
    {"minus is as wide as a digit", U"12-34", kTight, 107, 2105, 45, U"12-34"},
    {"wide signs and letters", U"a:/.+b", kTight, 131, 2465, 48, U"a:/.+b"},
    {"a and b inside the A frame", U"a123b", kTight, 111, 2165, 45, U"a123b"},
    {"check box is not read", U"123", kTightCheck, 83, 1745, 39, U"123"},
};

TEST(Codabar, LayoutFromPixels) {
  for (const auto& c : kLayouts) expectLayout(c, kEncode);
}

TEST(Codabar, RefusesUpperCaseLettersAndOtherCharacters) {
  const RejectCase cases[] = {
      {"upper-case start character", U"A123B", kSpaced, QStringLiteral("A is Invalid")},
      {"lower case past d", U"12e", kSpaced, QStringLiteral("e is Invalid")},
      {"sign Code 39 has", U"1%", kSpaced, QStringLiteral("% is Invalid")},
      {"first of two", U"1*2#", kSpaced, QStringLiteral("* is Invalid")},
      {"character outside the BMP, whole", U"\U0001F600", kSpaced,
       QString::fromUcs4(U"\U0001F600 is Invalid")},
  };
  for (const auto& c : cases) expectRejected(c, kEncode);
}

TEST(Codabar, LongestDataThatFitsTheWidestPicture) {
  // 47 + 12n <= 32733 with tight spacing.
  expectWidestPicture({"2723 digits", std::u32string(2723, U'9'), kTight, 47 + 12 * 2723}, kEncode);
}

// The reader returns the start and stop characters, upper case.
const ScanCase kScans[] = {
    {"digits", U"123", kTight, "A123A"},
    {"digits, print spacing", U"123", kSpaced, "A123A"},
    {"every digit and sign", U"0123456789-$:/.+", kTight, "A0123456789-$:/.+A"},
    {"every digit and sign, print spacing", U"0123456789-$:/.+", kSpacedNoLabel,
     "A0123456789-$:/.+A"},
    {"12-34", U"12-34", kTight, "A12-34A"},
    // A to D are start and stop characters to a reader: it ends the symbol at
    // the "a" or "b" typed inside the frame and finds no quiet zone after it.
    {"a and b inside the frame", U"a123b", kTight, nullptr},
    {"d inside the frame, print spacing", U"12d", kSpaced, nullptr},
};

TEST(Codabar, ZxingReadsWhatWeDraw) {
  for (const auto& c : kScans) expectScan(c, kEncode, testsupport::Format::Codabar);
}

// Our frame hides rows "b" to "d" from the reader; without it, the elements
// between the frame characters are a symbol of their own.
linear::Encoding unframed(std::u32string_view text, const Settings& settings) {
  auto symbol = std::get<linear::Symbol>(linear::encodeCodabar(text, settings));
  constexpr std::size_t kFrame = 8;  // A and its gap
  symbol.elements = symbol.elements.substr(kFrame, symbol.elements.size() - 2 * kFrame);
  return symbol;
}

TEST(Codabar, ZxingReadsTheLettersAsStartAndStop) {
  const struct {
    const char32_t* text;
    const char* read;
  } cases[] = {
      {U"b0123456789-$:/.+c", "B0123456789-$:/.+C"},
      {U"d2468a", "D2468A"},
      {U"c77b", "C77B"},
  };
  for (const auto& c : cases) {
    Picture picture;
    ASSERT_TRUE(linear::drawLinear(picture.box, c.text, kTight, &unframed));
    EXPECT_EQ(testsupport::scan(picture.box.Image(), testsupport::Format::Codabar),
              std::string(c.read));
  }
}

}  // namespace

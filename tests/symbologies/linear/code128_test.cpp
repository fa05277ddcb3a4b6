#include "symbologies/linear/code128.h"

#include <gtest/gtest.h>

#include "tests/support/settings.h"
#include "tests/symbologies/linear/linear_cases.h"

namespace {

using namespace testsupport::settings;

using namespace lineartest;
using linear::Settings;

const Encode kEncode = &linear::encodeCode128;

// n characters take 11n + 35 modules, one pixel each, and 3n + 9 spaces that
// print spacing widens by a pixel. The label leaves out the check character.
const LayoutCase kLayouts[] = {
    {"three letters, print spacing", U"ABC", kSpaced, 106, 2090, 45, U"ABC"},
    {"three letters, tight spacing", U"ABC", kTight, 88, 1820, 39, U"ABC"},
    {"lower case kept as typed", U"abc", kTight, 88, 1820, 39, U"abc"},
    {"check box is not read", U"ABC", kTightCheck, 88, 1820, 39, U"ABC"},
};

TEST(Code128, LayoutFromPixels) {
  for (const auto& c : kLayouts) expectLayout(c, kEncode);
}

// Start B weighs 104 once; character j weighs its value j times.
long long checkValueOfRepeated(int value, long long n) {
  return (104 + value * (n * (n + 1) / 2)) % 103;
}

TEST(Code128, CheckValueIsTheWeightedSumModulo103) {
  const struct {
    const char* name;
    std::u32string text;
    long long check;
  } cases[] = {
      {"ABC: 33 + 68 + 105 + 104 = 310", U"ABC", 1},
      {"a: 65 + 104", U"a", 66},
      // Past 26 tildes the sum no longer fits 16 bits.
      {"26 tildes", std::u32string(26, U'~'), checkValueOfRepeated(94, 26)},
      {"longest that fits", std::u32string(2970, U'~'), checkValueOfRepeated(94, 2970)},
  };
  for (const auto& c : cases) {
    const auto symbol = std::get<linear::Symbol>(kEncode(c.text, kTight));
    EXPECT_EQ(symbol.checkValue, c.check) << c.name;
  }
}

TEST(Code128, RefusesAnythingOutsideBlankToTilde) {
  const QString message = QStringLiteral("Invalid Character(s)");
  const RejectCase cases[] = {
      {"accented letter", U"\u00e9", kSpaced, message},
      {"tab", U"A\tB", kSpaced, message},
      {"delete, value 95", U"A\x7f", kSpaced, message},
      {"character outside the BMP", U"A\U0001F600", kSpaced, message},
  };
  for (const auto& c : cases) expectRejected(c, kEncode);
}

TEST(Code128, LongestDataThatFitsTheWidestPicture) {
  // Tight spacing: 55 + 11n <= 32733; print spacing: 64 + 14n.
  const LimitCase cases[] = {
      {"tight spacing", std::u32string(2970, U'~'), kTight, 55 + 11 * 2970},
      {"print spacing", std::u32string(2333, U'0'), kSpaced, 64 + 14 * 2333},
  };
  for (const auto& c : cases) expectWidestPicture(c, kEncode);
}

#define CODE_SET_B    \
  " !\"#$%&'()*+,-./" \
  "0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`abcdefghijklmnopqrstuvwxyz{|}~"

// Print spacing adds a pixel to every space of one-pixel modules: a character
// of 11 modules measures 14 pixels, and zxing-cpp, which matches the six
// element widths of each character, reads none of them.
const ScanCase kScans[] = {
    {"letters", U"ABC", kTight, "ABC"},
    {"lower case, no label", U"a", kTightNoLabel, "a"},
    {"every character of code set B", U"" CODE_SET_B, kTight, CODE_SET_B},
    {"check sum past 16 bits", U"~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~", kTight,
     "~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~"},
    {"letters, print spacing", U"ABC", kSpaced, nullptr},
    {"every character, print spacing", U"" CODE_SET_B, kSpaced, nullptr},
};

#undef CODE_SET_B

TEST(Code128, ZxingReadsWhatWeDraw) {
  for (const auto& c : kScans) expectScan(c, kEncode, testsupport::Format::Code128);
}

// The reader checks the check character, so a symbol for each of the 103 check
// values proves every row of the table that a check character can use.
TEST(Code128, ZxingAcceptsEveryCheckValue) {
  for (int wanted = 0; wanted < 103; ++wanted) {
    std::u32string text;
    for (char32_t first = U' '; first <= U'~' && text.empty(); ++first)
      for (char32_t second = U' '; second <= U'~'; ++second)
        if ((104 + (first - 32) + 2 * (second - 32)) % 103 == static_cast<unsigned>(wanted)) {
          text.push_back(first);
          text.push_back(second);
          break;
        }
    ASSERT_FALSE(text.empty()) << wanted;
    Picture picture;
    ASSERT_TRUE(linear::drawLinear(picture.box, text, kTightNoLabel, kEncode));
    EXPECT_EQ(testsupport::scan(picture.box.Image(), testsupport::Format::Code128),
              QString::fromStdU32String(text).toStdString())
        << "check value " << wanted;
  }
}

}  // namespace

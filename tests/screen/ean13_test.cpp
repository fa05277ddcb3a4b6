// The EAN-13 drawing, read back from the pixels of a box set up as picEan.
#include "screen/ean13.h"

#include <gtest/gtest.h>

#include "surface/picturebox.h"
#include "tests/support/pixels.h"

namespace {

using testsupport::isDark;

// picEan's vertical unit is 0.77 pixels: bars start at row 4 (y = 5); data
// bars end at row 50 (y = 66), guard bars at row 54 (y = 72).
constexpr int kDataLastRow = 50;
constexpr int kGuardLastRow = 54;

struct PicEan {
  surface::PictureBox box;
  PicEan() {
    box.setTwipsGeometry(1200, 4440, 1815, 1095);
    box.setScale(15, 11.55);
    box.setFontName(QStringLiteral("Tahoma"));
    box.setFontSize(11.25);
  }
};

QImage draw(PicEan& picture, const char32_t* data) {
  eanupc::drawEan13(picture.box, std::get<eanupc::Symbol>(eanupc::encodeEan13(data)));
  return picture.box.Image();
}

// The number sets of six digits, told apart by parity: L characters have an
// odd number of dark modules, G and R an even one.
std::string setsFromPixels(const QImage& image, int firstColumn) {
  std::string sets;
  for (int digit = 0; digit < 6; ++digit) {
    int dark = 0;
    for (int x = firstColumn + 7 * digit; x < firstColumn + 7 * digit + 7; ++x)
      dark += isDark(image.pixel(x, 20));
    sets += dark % 2 ? 'L' : 'G';
  }
  return sets;
}

struct ParityCase {
  const char* name;
  const char32_t* data;
  const char* leftSets;
};

const ParityCase kParities[] = {
    {"first digit 0: all L", U"012345678901", "LLLLLL"},
    {"first digit 5", U"590123412345", "LGGLLG"},
    {"first digit 7", U"700000000000", "LGLGLG"},
    {"first digit 9, an ISBN", U"978014300723", "LGGLGL"},
    {"first digit 4, a JAN-13", U"490000000000", "LGLLGG"},
};

TEST(Ean13Drawing, FirstDigitChoosesTheSetsOfTheLeftHalf) {
  for (const auto& c : kParities) {
    PicEan picture;
    const QImage image = draw(picture, c.data);
    EXPECT_EQ(setsFromPixels(image, 14), c.leftSets) << c.name;
    // The right half is all R: even parity, and every character starts with a bar.
    EXPECT_EQ(setsFromPixels(image, 61), "GGGGGG") << c.name;
    for (int digit = 0; digit < 6; ++digit)
      EXPECT_TRUE(isDark(image.pixel(61 + 7 * digit, 20))) << c.name << " " << digit;
  }
}

TEST(Ean13Drawing, BarsFrom11To105WithLongerGuards) {
  PicEan picture;
  const QImage image = draw(picture, U"590123412345");
  const auto columns = testsupport::darkColumns(image, 20);
  ASSERT_FALSE(columns.empty());
  EXPECT_EQ(columns.front(), 11);
  EXPECT_EQ(columns.back(), 105);
  EXPECT_FALSE(isDark(image.pixel(11, 3)));
  EXPECT_TRUE(isDark(image.pixel(11, 4)));
  // Below row 54 there is only text (checked with the digits); the digits
  // printed under the guards may touch them, so only their bars are looked at.
  for (int x = 11; x <= 105; ++x) {
    const bool dark = isDark(image.pixel(x, 20));
    const bool guard = x < 14 || (x >= 56 && x < 61) || x > 102;
    EXPECT_EQ(isDark(image.pixel(x, kDataLastRow)), dark) << x;
    if (!guard) {
      EXPECT_FALSE(isDark(image.pixel(x, kDataLastRow + 1))) << x;
    }
  }
  for (int x : {11, 13, 57, 59, 103, 105}) EXPECT_TRUE(isDark(image.pixel(x, kGuardLastRow))) << x;
}

TEST(Ean13Drawing, ThirteenDigitsPrintedAsNumbersAtTheirPlaces) {
  PicEan picture;
  const QImage image = draw(picture, U"590123412345");
  EXPECT_EQ(picture.box.font().pixelSize(), 13);  // 10 points

  // Each digit printed as a number at its place, and nothing else.
  surface::PictureBox text;
  text.setTwipsGeometry(1200, 4440, 1815, 1095);
  text.setScale(15, 11.55);
  text.setFont(picture.box.font());
  const int places[] = {2, 13, 20, 27, 34, 41, 48, 60, 67, 74, 81, 88, 95};
  const char digits[] = "5901234123457";
  for (int k = 0; k < 13; ++k) {
    text.setCurrentX(places[k]);
    text.setCurrentY(66);
    text.Print(static_cast<long long>(digits[k] - '0'));
  }
  const QImage expected = text.Image();
  for (int y = kGuardLastRow + 1; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      ASSERT_EQ(image.pixel(x, y), expected.pixel(x, y)) << x << "," << y;

  // The first digit has no bars of its own: it stands left of the start guard.
  const int left = testsupport::leftmostInRows(image, kGuardLastRow + 1, image.height());
  EXPECT_GT(left, 2);
  EXPECT_LT(left, 11);
}

TEST(Ean13Drawing, StartsFromAClearedWhitePicture) {
  PicEan twice, once;
  twice.box.setBackColor(Qt::gray);
  twice.box.Line(50, 0, 50, 80);
  draw(twice, U"978014300723");
  EXPECT_EQ(draw(twice, U"490000000000"), draw(once, U"490000000000"));
  EXPECT_EQ(twice.box.BackColor(), QColor(Qt::white));
}

}  // namespace

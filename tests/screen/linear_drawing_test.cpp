// Whole pictures of the four linear symbologies, each laid against one built
// without our drawing code: bars from zxing-cpp's writer placed by the layout
// rules (first bar at x = 20, every space one pixel wider with print spacing,
// bars down to row 57 or, with the label, 49), the label by QPainter::drawText.
#include <gtest/gtest.h>

#include <QPainter>
#include <cmath>

#include "symbologies/linear/codabar.h"
#include "symbologies/linear/code128.h"
#include "symbologies/linear/code39.h"
#include "symbologies/linear/interleaved2of5.h"
#include "tests/support/modules.h"
#include "tests/support/pixels.h"
#include "tests/symbologies/linear/linear_cases.h"

namespace {

using lineartest::Encode;
using lineartest::Picture;
using ZXing::BarcodeFormat;

struct DrawingCase {
  const char* name;
  Encode encode;
  const char32_t* data;
  linear::Settings settings;
  BarcodeFormat format;
  const char* zxingData;  // the data zxing-cpp makes the same symbol of
  bool wideIsTwo;         // zxing-cpp draws wide elements 2 modules wide, ours 3
  const char* label;
  double labelX;  // from the symbology's rule for where its label starts
};

// clang-format off
const DrawingCase kCases[] = {
    {"Code 39, print spacing", &linear::encodeCode39, U"CODE39", {1, 1, 0},
     BarcodeFormat::Code39, "CODE39", true, "CODE39", 6 * 7 + 35},
    {"Code 39, check character W (75 mod 43 = 32)", &linear::encodeCode39, U"CODE39", {0, 1, 1},
     BarcodeFormat::Code39, "CODE39W", true, "CODE39W", 6 * 5 + 35},
    {"Code 39 of lower case, upper-cased", &linear::encodeCode39, U"abc", {0, 1, 0},
     BarcodeFormat::Code39, "ABC", true, "ABC", 3 * 5 + 35},
    {"Code 39 without label", &linear::encodeCode39, U"A-1 $", {1, 0, 0},
     BarcodeFormat::Code39, "A-1 $", true, nullptr, 0},
    {"Interleaved 2 of 5, print spacing", &linear::encodeInterleaved2of5, U"1234", {1, 1, 0},
     BarcodeFormat::ITF, "1234", false, "1234", 33 * 4 / 10.0 + 20},
    {"Interleaved 2 of 5, check digit 6 (3 + 2 + 9 = 14)", &linear::encodeInterleaved2of5, U"123",
     {0, 1, 1}, BarcodeFormat::ITF, "1236", false, "1236", 20 * 4 / 10.0 + 20},
    {"Interleaved 2 of 5, odd count padded with 0", &linear::encodeInterleaved2of5, U"12345",
     {0, 0, 0}, BarcodeFormat::ITF, "012345", false, nullptr, 0},
    {"Code 128, print spacing", &linear::encodeCode128, U"Code 128", {1, 1, 1},
     BarcodeFormat::Code128, "Code 128", false, "Code 128", 8 * 5 + 30},
    {"Code 128, a label with kerning pairs", &linear::encodeCode128, U"AV To W.", {0, 1, 1},
     BarcodeFormat::Code128, "AV To W.", false, "AV To W.", 8 * 3 + 30},
    {"Code 128, a label of 45 characters", &linear::encodeCode128,
     U"Data for a label longer than forty characters", {0, 1, 1}, BarcodeFormat::Code128,
     "Data for a label longer than forty characters", false,
     "Data for a label longer than forty characters", 45 * 3 + 30},
    {"Codabar, print spacing", &linear::encodeCodabar, U"1234-5678", {1, 1, 0},
     BarcodeFormat::Codabar, "A1234-5678A", true, "1234-5678", 9 * 5 + 30},
    {"Codabar without label", &linear::encodeCodabar, U"$:/.+", {0, 0, 0},
     BarcodeFormat::Codabar, "A$:/.+A", true, nullptr, 0},
};
// clang-format on

QImage expected(const DrawingCase& c, QSize size, const QFont& font) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  const int bottom = c.settings.label ? 50 : 58;
  int x = linear::kFirstBarX;
  bool bar = true;
  for (int width : testsupport::zxingRuns(c.format, c.zxingData)) {
    if (c.wideIsTwo && width == 2) width = 3;
    if (bar) {
      for (int y = 1; y < bottom; ++y)
        for (int column = x; column < x + width; ++column) image.setPixel(column, y, qRgb(0, 0, 0));
    } else {
      width += c.settings.printSpacing;
    }
    x += width;
    bar = !bar;
  }
  if (c.label) {
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const int ascent = QFontMetrics(font, &image).ascent();
    painter.drawText(QPoint(static_cast<int>(std::lround(c.labelX)), 50 + ascent),
                     QString::fromLatin1(c.label));
  }
  return image;
}

TEST(LinearDrawing, PicturesEqualOnesBuiltIndependently) {
  for (const DrawingCase& c : kCases) {
    SCOPED_TRACE(c.name);
    Picture picture;
    ASSERT_TRUE(linear::drawLinear(picture.box, c.data, c.settings, c.encode));
    const QImage drawn = picture.box.Image();
    EXPECT_EQ(testsupport::firstDifference(drawn, expected(c, drawn.size(), picture.box.font())),
              "");
  }
}

// The same after other symbols in the same picture: nothing of them is left.
TEST(LinearDrawing, EachPictureLeavesNothingOfTheOneBefore) {
  Picture picture;
  for (const DrawingCase& c : kCases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(linear::drawLinear(picture.box, c.data, c.settings, c.encode));
    const QImage drawn = picture.box.Image();
    EXPECT_EQ(testsupport::firstDifference(drawn, expected(c, drawn.size(), picture.box.font())),
              "");
  }
}

}  // namespace

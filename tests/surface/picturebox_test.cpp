#include "surface/picturebox.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "tests/support/pixels.h"

namespace {

using surface::PictureBox;

using testsupport::darkColumns;
using testsupport::isBlank;

struct ScaleCase {
  const char* name;
  int widthTwips, heightTwips;
  double twipsX, twipsY;
  double scaleWidth, scaleHeight;  // drawing area in user units
};

// The three user scales the window uses: pixels, and the two EAN/UPC boxes.
const ScaleCase kScales[] = {
    {"pixels", 4635, 1215, 15, 15, 305, 77},
    {"upc", 2055, 1095, 15, 16.5, 133, 62.727},
    {"ean", 1815, 1095, 15, 11.55, 117, 89.61},
};

TEST(PictureBox, DrawingAreaIsOuterSizeLessTheBorder) {
  for (const auto& c : kScales) {
    PictureBox box;
    box.setTwipsGeometry(0, 0, c.widthTwips, c.heightTwips);
    box.setScale(c.twipsX, c.twipsY);
    EXPECT_NEAR(box.scaleWidth(), c.scaleWidth, 0.01) << c.name;
    EXPECT_NEAR(box.scaleHeight(), c.scaleHeight, 0.01) << c.name;
    EXPECT_EQ(box.Image().size(), QSize(c.widthTwips / 15 - 4, c.heightTwips / 15 - 4)) << c.name;
  }
}

TEST(PictureBox, VerticalLineIsOnePixelWideAtEveryScale) {
  for (const auto& c : kScales) {
    PictureBox box;
    box.setTwipsGeometry(0, 0, c.widthTwips, c.heightTwips);
    box.setScale(c.twipsX, c.twipsY);
    for (int x = 10; x < 60; ++x) {
      box.Cls();
      box.Line(x, 5, x, 40);
      const QImage image = box.Image();
      const int y = box.deviceY(20);
      EXPECT_EQ(darkColumns(image, y), std::vector<int>{x}) << c.name << " x=" << x;
    }
  }
}

TEST(PictureBox, LineLeavesOutItsEndPoint) {
  PictureBox box;
  box.setTwipsGeometry(0, 0, 4635, 1215);
  box.Line(20, 1, 20, 58);
  const QImage image = box.Image();
  EXPECT_EQ(image.pixel(20, 0), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel(20, 1), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(20, 57), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(20, 58), qRgb(255, 255, 255));
}

TEST(PictureBox, LineTakesAnExplicitColour) {
  PictureBox box;
  box.setTwipsGeometry(0, 0, 4635, 1215);
  box.setBackColor(Qt::black);
  box.Line(7, 0, 7, 10, QColor(Qt::white));
  EXPECT_EQ(box.Image().pixel(7, 5), qRgb(255, 255, 255));
  EXPECT_EQ(box.Image().pixel(8, 5), qRgb(0, 0, 0));
}

TEST(PictureBox, DrawingPastTheEdgeShowsWhenWidened) {
  PictureBox box;
  box.setTwipsGeometry(0, 0, 1500, 1215);  // 96 pixels, 92 to draw in
  box.Line(300, 1, 300, 40);
  EXPECT_EQ(box.Image().width(), 96);
  EXPECT_TRUE(isBlank(box.Image()));
  box.setWidth(6000);
  EXPECT_EQ(box.Width(), 6000);
  EXPECT_EQ(darkColumns(box.Image(), 10), std::vector<int>{300});
}

TEST(PictureBox, WidthStopsAtTheWidestPicture) {
  PictureBox box;
  box.setTwipsGeometry(0, 0, 1500, 1215);
  box.setWidth(surface::kMaxPictureWidth * 15 + 5000);
  EXPECT_EQ(box.width(), surface::kMaxPictureWidth);
  box.Line(surface::kMaxPictureWidth + 100, 0, surface::kMaxPictureWidth + 100, 10);  // ignored
  EXPECT_TRUE(isBlank(box.Image()));
}

TEST(PictureBox, ClsKeepsTheBackgroundPicture) {
  PictureBox box;
  box.setTwipsGeometry(0, 0, 1500, 1215);
  QImage background(20, 20, QImage::Format_RGB32);
  background.fill(Qt::red);
  box.setPicture(background);
  box.Line(50, 0, 50, 30);
  box.Cls();
  const QImage image = box.Image();
  EXPECT_EQ(image.pixel(5, 5), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(50, 5), qRgb(255, 255, 255));
  // A new background replaces what was drawn over the old one.
  box.Line(60, 0, 60, 30);
  box.setPicture(QImage());
  EXPECT_TRUE(isBlank(box.Image()));
}

TEST(PictureBox, PrintAfterClsStartsAtTheTopLeft) {
  PictureBox box;
  box.setTwipsGeometry(0, 0, 4635, 1215);
  box.setCurrentX(200);
  box.setCurrentY(40);
  box.Cls();
  EXPECT_EQ(box.CurrentX(), 0);
  box.Print(QStringLiteral("MMMM"));
  const QImage image = box.Image();
  int left = image.width(), top = image.height();
  for (int y = 0; y < image.height(); ++y) {
    const auto dark = darkColumns(image, y);
    if (dark.empty()) continue;
    top = std::min(top, y);
    left = std::min(left, dark.front());
  }
  EXPECT_LT(left, 4);
  EXPECT_LT(top, 12);
}

TEST(PictureBox, NumberIsPrintedWithALeadingBlank) {
  PictureBox number, text;
  for (PictureBox* box : {&number, &text}) box->setTwipsGeometry(0, 0, 1815, 1095);
  number.Print(7LL);
  text.Print(QStringLiteral(" 7"));
  EXPECT_EQ(number.Image(), text.Image());
  EXPECT_FALSE(isBlank(number.Image()));
}

TEST(PictureBox, SavesA24BitBitmapThatReadsBackEqual) {
  PictureBox box;
  box.setTwipsGeometry(0, 0, 4635, 1215);
  for (int x = 20; x < 120; x += 3) box.Line(x, 1, x, 50);
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("out.bmp"));
  ASSERT_TRUE(surface::SavePicture(box.Image(), path));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray header = file.read(30);
  EXPECT_EQ(header.left(2), QByteArray("BM"));
  EXPECT_EQ(static_cast<unsigned char>(header[28]), 24);  // bits per pixel
  EXPECT_EQ(QImage(path).convertToFormat(QImage::Format_RGB32), box.Image());
}

TEST(PictureBox, FailedSaveLeavesNoFileAndSaysWhy) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("missing/out.bmp"));
  QString error;
  QImage image(10, 10, QImage::Format_RGB32);
  image.fill(Qt::white);
  EXPECT_FALSE(surface::SavePicture(image, path, &error));
  EXPECT_FALSE(error.isEmpty());
  EXPECT_FALSE(QFile::exists(path));
}

}  // namespace

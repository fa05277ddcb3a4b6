// Our PNG writer, read back by Qt's reader (libpng checks every length,
// checksum and code): the same dots, whatever the picture's shape.
#include "render/png.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QRandomGenerator>

namespace {

QImage picture(int width, int height, int pattern) {
  QImage image(width, height, QImage::Format_Grayscale8);
  QRandomGenerator random(7);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      bool black = false;
      switch (pattern) {
        case 0:
          black = false;
          break;
        case 1:
          black = (x / 3 + y) % 2 == 0;
          break;
        case 2:
          black = random.bounded(2) == 0;
          break;
        case 3:
          black = x >= width / 2;
          break;
      }
      image.scanLine(y)[x] = black ? 0 : 255;
    }
  image.setDotsPerMeterX(11811);
  image.setDotsPerMeterY(11811);
  return image;
}

TEST(Png, DotsAndResolutionComeBack) {
  struct Row {
    const char* name;
    int width, height, pattern;
  };
  const Row rows[] = {
      {"one white dot", 1, 1, 0},
      {"width not a multiple of eight", 9, 3, 1},
      {"white runs far longer than deflate's 258", 5000, 2, 0},
      {"noise: no runs at all", 37, 17, 2},
      {"half black: runs of both", 1203, 5, 3},
  };
  for (const Row& row : rows) {
    const QImage original = picture(row.width, row.height, row.pattern);
    const QImage read = QImage::fromData(render::pngOfBlackAndWhite(original));
    ASSERT_FALSE(read.isNull()) << row.name;
    ASSERT_EQ(read.size(), original.size()) << row.name;
    EXPECT_EQ(read.dotsPerMeterX(), 11811) << row.name;
    bool same = true;
    for (int y = 0; y < read.height() && same; ++y)
      for (int x = 0; x < read.width() && same; ++x)
        same = qGray(read.pixel(x, y)) == qGray(original.pixel(x, y));
    EXPECT_TRUE(same) << row.name;
  }
}

}  // namespace

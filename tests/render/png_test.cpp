// Our PNG and BMP writers, read back by Qt's readers (libpng checks every
// length, checksum and code): the same dots and colours, whatever the
// picture's shape, written a row at a time.
#include "render/png.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QRandomGenerator>

#include "render/scene.h"

namespace {

std::vector<std::uint8_t> inkOf(int width, int height, int pattern) {
  std::vector<std::uint8_t> ink(static_cast<std::size_t>(width * height));
  QRandomGenerator random(7);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      bool black = false;
      switch (pattern) {
        case 1:
          black = (x / 3 + y) % 2 == 0;
          break;
        case 2:
          black = random.bounded(2) == 0;
          break;
        case 3:
          black = x >= width / 2;
          break;
        default:
          break;
      }
      ink[static_cast<std::size_t>(y * width + x)] = black ? 1 : 0;
    }
  return ink;
}

QByteArray png(const std::vector<std::uint8_t>& ink, int width, int height,
               const render::Style& style) {
  QByteArray bytes;
  const render::Sink sink = [&bytes](const char* data, std::size_t size) {
    bytes.append(data, static_cast<qsizetype>(size));
    return true;
  };
  render::PngWriter writer(width, height, 300, style, sink);
  for (int y = 0; y < height; ++y)
    EXPECT_TRUE(writer.row(ink.data() + static_cast<std::size_t>(y * width)));
  EXPECT_TRUE(writer.finish());
  return bytes;
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
      {"rows repeated past a 64 KiB chunk", 4000, 300, 3},
      {"noise: no runs at all", 37, 17, 2},
      {"half black: runs of both", 1203, 5, 3},
  };
  for (const Row& row : rows) {
    const auto ink = inkOf(row.width, row.height, row.pattern);
    const QImage read = QImage::fromData(png(ink, row.width, row.height, {}));
    ASSERT_FALSE(read.isNull()) << row.name;
    ASSERT_EQ(read.size(), QSize(row.width, row.height)) << row.name;
    EXPECT_EQ(read.dotsPerMeterX(), 11811) << row.name << ": 300 dpi";
    bool same = true;
    for (int y = 0; y < read.height() && same; ++y)
      for (int x = 0; x < read.width() && same; ++x)
        same = (qGray(read.pixel(x, y)) < 128) == (ink[std::size_t(y * row.width + x)] == 1);
    EXPECT_TRUE(same) << row.name;
  }
}

TEST(Png, ColoursAndTransparency) {
  // Ink and paper as asked; paper without a colour reads as alpha 0.
  struct Row {
    const char* name;
    render::Style style;
    QRgb ink, paper;
  };
  const Row rows[] = {
      {"black on white: 1-bit grey", {}, qRgb(0, 0, 0), qRgb(255, 255, 255)},
      {"navy on yellow: a palette",
       {{0, 0, 128}, render::Colour{255, 255, 0}, 0},
       qRgb(0, 0, 128),
       qRgb(255, 255, 0)},
      {"transparent paper",
       {{200, 0, 0}, std::nullopt, 0},
       qRgba(200, 0, 0, 255),
       qRgba(255, 255, 255, 0)},
  };
  for (const Row& row : rows) {
    const auto ink = inkOf(16, 2, 3);
    const QImage read =
        QImage::fromData(png(ink, 16, 2, row.style)).convertToFormat(QImage::Format_ARGB32);
    ASSERT_FALSE(read.isNull()) << row.name;
    EXPECT_EQ(read.pixel(12, 1), row.ink) << row.name;
    EXPECT_EQ(read.pixel(2, 1), row.paper) << row.name;
  }
}

TEST(Bmp, DotsColoursAndResolutionComeBack) {
  // A scene of one bar, written as BMP and read by Qt's BMP reader.
  render::Scene scene;
  scene.width = 13;
  scene.height = 5;
  scene.bars = {{3, 1, 8, 4}};
  scene.style.foreground = {10, 20, 30};
  scene.style.background = render::Colour{250, 240, 230};
  QByteArray bytes;
  ASSERT_TRUE(render::writeBmp(scene, 600, [&bytes](const char* data, std::size_t size) {
    bytes.append(data, static_cast<qsizetype>(size));
    return true;
  }));
  const QImage read = QImage::fromData(bytes, "BMP");
  ASSERT_EQ(read.size(), QSize(13, 5));
  EXPECT_EQ(read.dotsPerMeterX(), 23622) << "600 dpi";
  EXPECT_EQ(read.pixel(3, 1), qRgb(10, 20, 30)) << "the bar's first dot, top row first";
  EXPECT_EQ(read.pixel(7, 3), qRgb(10, 20, 30));
  EXPECT_EQ(read.pixel(8, 3), qRgb(250, 240, 230)) << "the bar ends at its edge";
  EXPECT_EQ(read.pixel(3, 0), qRgb(250, 240, 230));
  EXPECT_EQ(read.pixel(3, 4), qRgb(250, 240, 230));
}

}  // namespace

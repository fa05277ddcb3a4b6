#pragma once

// Table-driven checks the linear symbologies share: layout read back from
// pixels, rejection messages, the widest picture, and scanning with zxing-cpp.
#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>

#include "screen/linear.h"
#include "surface/picturebox.h"
#include "tests/support/pixels.h"
#include "tests/support/scan.h"

namespace lineartest {

using Encode = linear::Encoding (*)(std::u32string_view, const linear::Settings&);

// A box of Picture1's size and label font.
struct Picture {
  surface::PictureBox box;
  Picture() {
    box.setTwipsGeometry(1200, 4440, 4635, 1215);
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(19);
    box.setFont(font);
  }
};

struct LayoutCase {
  const char* name;
  const char32_t* text;
  linear::Settings settings;
  int endX;        // one past the last bar column
  int widthTwips;  // Picture1.Width afterwards
  double labelX;
  const char32_t* label;
};

// The first inked column of the label drawn on its own, top-left at (x, 50).
inline int labelLeft(const QFont& font, const char32_t* label, double x, QSize size) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setFont(font);
  painter.setPen(Qt::black);
  const QFontMetrics metrics(font, &image);
  painter.drawText(QPoint(static_cast<int>(std::lround(x)), 50 + metrics.ascent()),
                   QString::fromStdU32String(label));
  painter.end();
  return testsupport::leftmostInRows(image, 52, image.height());
}

inline void expectLayout(const LayoutCase& c, Encode encode) {
  SCOPED_TRACE(c.name);
  Picture picture;
  const auto width = linear::drawLinear(picture.box, c.text, c.settings, encode);
  ASSERT_TRUE(width);
  EXPECT_EQ(*width, c.widthTwips);
  EXPECT_EQ(picture.box.WidthTwips(), c.widthTwips);
  const QImage image = picture.box.Image();
  EXPECT_EQ(testsupport::leftmostInRows(image, 1, 40), linear::kFirstBarX);
  EXPECT_EQ(testsupport::endOfRow(image, 10), c.endX);
  const auto symbol = std::get<linear::Symbol>(encode(c.text, c.settings));
  EXPECT_EQ(symbol.label, c.label);
  EXPECT_DOUBLE_EQ(symbol.labelX, c.labelX);
  // The label's ink starts where QPainter alone puts it for the formula's x.
  EXPECT_EQ(testsupport::leftmostInRows(image, 52, image.height()),
            labelLeft(picture.box.font(), c.label, c.labelX, image.size()));
}

struct RejectCase {
  const char* name;
  const char32_t* text;
  linear::Settings settings;
  QString message;
};

// The picture shows the message alone, at the top-left corner, and keeps its width.
inline void expectRejected(const RejectCase& c, Encode encode) {
  SCOPED_TRACE(c.name);
  const auto encoding = encode(c.text, c.settings);
  ASSERT_TRUE(std::holds_alternative<linear::Rejected>(encoding));
  EXPECT_EQ(QString::fromStdU32String(linear::message(std::get<linear::Rejected>(encoding))),
            c.message);
  Picture drawn, expected;
  drawn.box.setWidthTwips(3000);
  EXPECT_FALSE(linear::drawLinear(drawn.box, c.text, c.settings, encode));
  EXPECT_EQ(drawn.box.WidthTwips(), 3000);
  expected.box.setWidthTwips(3000);
  expected.box.Print(c.message);
  EXPECT_EQ(drawn.box.Image(), expected.box.Image());
}

struct LimitCase {
  const char* name;
  std::u32string fits;  // the longest data whose symbol fits the widest picture
  linear::Settings settings;
  int endX;
};

// The longest data is drawn whole; one character more gives one line of text.
inline void expectWidestPicture(const LimitCase& c, Encode encode) {
  SCOPED_TRACE(c.name);
  const auto symbol = std::get<linear::Symbol>(encode(c.fits, c.settings));
  EXPECT_EQ(symbol.endX, c.endX);
  Picture picture;
  ASSERT_TRUE(linear::drawLinear(picture.box, c.fits, c.settings, encode));
  EXPECT_LE(picture.box.width(), surface::kMaxPictureWidth);
  EXPECT_EQ(testsupport::endOfRow(picture.box.Image(), 10), c.endX);

  const std::u32string tooLong = c.fits + c.fits.back();
  EXPECT_TRUE(std::holds_alternative<linear::TooLong>(encode(tooLong, c.settings)));
  EXPECT_FALSE(linear::drawLinear(picture.box, tooLong, c.settings, encode));
  EXPECT_LE(testsupport::leftmostInRows(picture.box.Image(), 0, 20), 3);
  EXPECT_TRUE(testsupport::darkColumns(picture.box.Image(), 40).empty());

  const std::u32string huge(1 << 20, c.fits.back());
  EXPECT_TRUE(std::holds_alternative<linear::TooLong>(encode(huge, c.settings)));
}

struct ScanCase {
  const char* name;
  const char32_t* text;
  linear::Settings settings;
  const char* read;  // what zxing-cpp reads, or nullptr where it cannot read the symbol
};

inline void expectScan(const ScanCase& c, Encode encode, testsupport::Format format) {
  SCOPED_TRACE(c.name);
  Picture picture;
  ASSERT_TRUE(linear::drawLinear(picture.box, c.text, c.settings, encode));
  const auto read = testsupport::scan(picture.box.Image(), format);
  if (c.read)
    EXPECT_EQ(read, std::string(c.read));
  else
    EXPECT_EQ(read, std::nullopt);
}

}  // namespace lineartest

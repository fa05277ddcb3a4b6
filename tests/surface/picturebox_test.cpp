#include "surface/picturebox.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <string_view>
#include <vector>

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
  box.setWidthTwips(6000);
  EXPECT_EQ(box.WidthTwips(), 6000);
  EXPECT_EQ(darkColumns(box.Image(), 10), std::vector<int>{300});
}

TEST(PictureBox, WidthStopsAtTheWidestPicture) {
  PictureBox box;
  box.setTwipsGeometry(0, 0, 1500, 1215);
  box.setWidthTwips(surface::kMaxPictureWidth * 15 + 5000);
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

// drawBarRow is the Line calls it stands for, drawn at once.
struct BarRowCase {
  const char* name;
  int scale;  // index into kScales, or 3 for an odd scale that skips and repeats columns
  int drawWidth;
  std::vector<surface::BarSpan> spans;
  double top, bottom;
  const char* under;  // what the box holds first: "", "text", "picture", "bars"
};

const QRgb kBlack = qRgb(0, 0, 0), kWhite = qRgb(255, 255, 255), kRed = qRgb(255, 0, 0);

const BarRowCase kBarRows[] = {
    {"bars of a linear symbol",
     0,
     1,
     {{20, 2, kBlack}, {25, 1, kBlack}, {29, 4, kBlack}},
     1,
     58,
     ""},
    {"modules in both colours at the UPC-A scale",
     1,
     1,
     {{20, 1, kBlack}, {21, 1, kWhite}, {22, 3, kBlack}, {25, 2, kWhite}},
     6,
     42,
     ""},
    {"fractional x at the EAN-13 scale", 2, 1, {{11.4, 3, kBlack}, {17.6, 2, kBlack}}, 5, 72, ""},
    {"an odd scale skips and repeats columns", 3, 1, {{10, 9, kBlack}, {30, 5, kRed}}, 2, 40, ""},
    {"wide lines overlap, the later span wins", 0, 3, {{10, 3, kBlack}, {12, 2, kRed}}, 5, 30, ""},
    {"bottom above top", 0, 1, {{40, 3, kBlack}}, 50, 10, ""},
    {"partly left of the picture", 0, 2, {{-3, 5, kBlack}}, 0, 20, ""},
    {"over text: what lies between the lines stays",
     0,
     1,
     {{8, 2, kBlack}, {14, 1, kWhite}, {20, 3, kBlack}},
     0,
     30,
     "text"},
    {"over a background picture", 0, 1, {{5, 4, kBlack}, {12, 2, kWhite}}, 0, 40, "picture"},
    {"over earlier bars", 1, 1, {{22, 6, kWhite}, {30, 2, kBlack}}, 10, 50, "bars"},
};

void prepare(PictureBox& box, const BarRowCase& c) {
  const ScaleCase odd{"odd", 3000, 1500, 13.7, 9.3, 0, 0};
  const ScaleCase& s = c.scale < 3 ? kScales[c.scale] : odd;
  box.setTwipsGeometry(0, 0, s.widthTwips, s.heightTwips);
  box.setScale(s.twipsX, s.twipsY);
  if (std::string_view(c.under) == "text") {
    box.setCurrentX(5);
    box.setCurrentY(5);
    box.Print(QStringLiteral("Wide text under the bars"));
  } else if (std::string_view(c.under) == "picture") {
    QImage picture(30, 30, QImage::Format_RGB32);
    picture.fill(Qt::green);
    box.setPicture(picture);
  } else if (std::string_view(c.under) == "bars") {
    for (int x = 18; x < 40; x += 2) box.Line(x, 0, x, 60);
  }
  box.setDrawWidth(c.drawWidth);
}

TEST(PictureBox, BarRowDrawsWhatItsLinesDraw) {
  for (const BarRowCase& c : kBarRows) {
    PictureBox rows, lines;
    prepare(rows, c);
    prepare(lines, c);
    rows.drawBarRow(c.spans, c.top, c.bottom);
    for (const surface::BarSpan& span : c.spans)
      for (int i = 0; i < span.lines; ++i)
        lines.Line(span.x + i, c.top, span.x + i, c.bottom, QColor(span.colour));
    EXPECT_EQ(rows.Image(), lines.Image()) << c.name;
  }
}

// A clear is put off until the next drawing; whatever comes next, nothing of
// the old picture may show through.
struct ClearCase {
  const char* name;
  void (*before)(PictureBox&);
  void (*after)(PictureBox&);
};

void wideSymbol(PictureBox& box) {
  std::vector<surface::BarSpan> bars;
  for (int x = 20; x < 280; x += 3) bars.push_back({double(x), 2, kBlack});
  box.drawBarRow(bars, 1, 58);
  box.setCurrentX(100);
  box.setCurrentY(50);
  box.Print(QStringLiteral("A LABEL UNDER THE BARS"));
}

void narrowSymbol(PictureBox& box) {
  std::vector<surface::BarSpan> bars;
  for (int x = 20; x < 90; x += 4) bars.push_back({double(x), 1, kBlack});
  box.drawBarRow(bars, 1, 50);
}

const ClearCase kClears[] = {
    {"a narrower symbol", &wideSymbol, &narrowSymbol},
    {"a message at the top", &wideSymbol,
     [](PictureBox& box) { box.Print(QStringLiteral("Invalid Character(s)")); }},
    {"nothing", &wideSymbol, [](PictureBox&) {}},
    {"a single line", &wideSymbol, [](PictureBox& box) { box.Line(150, 0, 150, 70); }},
    {"a slanting line", &wideSymbol, [](PictureBox& box) { box.Line(10, 5, 200, 60); }},
    {"the same background colour again", &wideSymbol,
     [](PictureBox& box) { box.setBackColor(Qt::white); }},
    {"bars over a narrower symbol drawn past the edge", &narrowSymbol,
     [](PictureBox& box) {
       box.Line(400, 0, 400, 30);
       box.setWidthTwips(7000);
       wideSymbol(box);
     }},
};

TEST(PictureBox, ClearedDrawingNeverShowsThrough) {
  for (const ClearCase& c : kClears) {
    PictureBox used, fresh;
    for (PictureBox* box : {&used, &fresh}) box->setTwipsGeometry(0, 0, 4635, 1215);
    c.before(used);
    used.Cls();
    c.after(used);
    c.after(fresh);
    EXPECT_EQ(used.Image(), fresh.Image()) << c.name;
  }
}

// The EAN/UPC renderer keeps the finished symbol as the background picture
// and wipes it with a blank one before the next.
TEST(PictureBox, TheImageTakenBackAsPictureSurvivesClsAndGoesWithTheNext) {
  PictureBox box;
  box.setTwipsGeometry(0, 0, 2055, 1095);
  box.setScale(15, 16.5);
  wideSymbol(box);
  const QImage symbol = box.Image();
  box.setPicture(box.Image());
  EXPECT_EQ(box.Image(), symbol);
  box.Cls();
  EXPECT_EQ(box.Image(), symbol);
  box.Line(3, 0, 3, 10);
  box.setPicture(box.Image());
  box.Cls();
  EXPECT_EQ(box.Image().pixel(3, 5), kBlack);
  // An image taken before more drawing is a picture like any other.
  box.setPicture(QImage());
  box.Line(60, 0, 60, 20);
  const QImage earlier = box.Image();
  box.Line(70, 0, 70, 20);
  box.setPicture(earlier);
  EXPECT_EQ(box.Image(), earlier);
  QImage blank(29, 21, QImage::Format_RGB32);
  blank.fill(Qt::white);
  box.setPicture(blank);
  EXPECT_TRUE(isBlank(box.Image()));
}

}  // namespace

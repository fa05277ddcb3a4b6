// Text drawn from glyphs rendered once must equal, pixel for pixel, what
// QPainter::drawText draws: that is the picture the program has always shown.
#include "surface/glyphtext.h"

#include <gtest/gtest.h>

#include <QPainter>

#include "surface/picturebox.h"

namespace {

using surface::PictureBox;

// A box of Picture1's size: the text at a user position, on a background.
QImage printed(const QFont& font, const QString& text, QPointF at, QColor background) {
  PictureBox box;
  box.setTwipsGeometry(0, 0, 4635, 1215);
  box.setFont(font);
  box.setBackColor(background);
  box.setCurrentX(at.x());
  box.setCurrentY(at.y());
  box.Print(text);
  return box.Image();
}

// The same from the platform's own text drawing, at the pixel the position rounds to.
QImage painted(const QFont& font, const QString& text, QPointF at, QColor background) {
  QImage image(305, 77, QImage::Format_RGB32);
  image.fill(background);
  QPainter painter(&image);
  painter.setFont(font);
  painter.setPen(Qt::black);
  const QFontMetrics metrics(font, &image);
  painter.drawText(QPoint(qRound(at.x()), qRound(at.y()) + metrics.ascent()), text);
  return image;
}

QFont pixelFont(const char* family, int pixels) {
  QFont font(QString::fromLatin1(family));
  font.setPixelSize(pixels);
  return font;
}

struct TextCase {
  const char* name;
  const char* family;
  int pixels;
  QString text;
  QPointF at;
  QColor background;
  bool fromGlyphs;  // drawn from rendered glyphs, not by the painter
};

const QColor kWhite = Qt::white;
const QColor kRose(200, 30, 90);

const TextCase kTexts[] = {
    {"kerning pair AV, the label font", "Tahoma", 19, QStringLiteral("AV"), {20, 50}, kWhite, true},
    {"kerning pair To", "Tahoma", 19, QStringLiteral("To"), {33, 50}, kWhite, true},
    {"kerning pair W.", "Tahoma", 19, QStringLiteral("W."), {7, 50}, kWhite, true},
    {"kerned pairs in a row",
     "Tahoma",
     19,
     QStringLiteral("AVAWAV LT Yo Ty P. F,"),
     {20, 50},
     kWhite,
     true},
    {"a Code 128 label",
     "Tahoma",
     19,
     QStringLiteral("Code 128 bench: xyz!"),
     {130, 50},
     kWhite,
     true},
    {"a label of more than 40 characters takes the same path",
     "Tahoma",
     19,
     QStringLiteral("THE QUICK BROWN FOX JUMPS OVER THE LAZY DOG, 0123456789"),
     {2, 50},
     kWhite,
     true},
    {"an EAN-13 digit with its leading blank",
     "Tahoma",
     13,
     QStringLiteral(" 7"),
     {2, 51},
     kWhite,
     true},
    {"a UPC-A digit", "Tahoma", 13, QStringLiteral("4"), {96, 46}, kWhite, true},
    {"the top-left corner",
     "Tahoma",
     19,
     QStringLiteral("Invalid Character(s)"),
     {0, 0},
     kWhite,
     true},
    {"running off the right edge",
     "Tahoma",
     19,
     QStringLiteral("AVAVAVAVAV"),
     {280, 50},
     kWhite,
     true},
    {"on a coloured background, where rounding shows",
     "Tahoma",
     19,
     QStringLiteral("AV To W. 1234"),
     {5, 10},
     kRose,
     true},
    {"a sans-serif with ligatures",
     "DejaVu Sans",
     19,
     QStringLiteral("ffi fl AV To W."),
     {20, 40},
     kWhite,
     true},
    {"a serif face", "DejaVu Serif", 15, QStringLiteral("AV To W. {~}"), {20, 40}, kRose, true},
    {"characters from a fallback font go to the painter",
     "Tahoma",
     19,
     QStringLiteral("\u00e9t\u00e9 \u4e2d\u6587"),
     {10, 20},
     kWhite,
     false},
    {"a line break goes to the painter",
     "Tahoma",
     19,
     QStringLiteral("\n is Invalid"),
     {0, 0},
     kWhite,
     false},
};

TEST(GlyphText, PrintEqualsThePaintersText) {
  for (const TextCase& c : kTexts) {
    SCOPED_TRACE(c.name);
    const QFont font = pixelFont(c.family, c.pixels);
    EXPECT_EQ(printed(font, c.text, c.at, c.background), painted(font, c.text, c.at, c.background));
    QImage device(1, 1, QImage::Format_RGB32);
    EXPECT_EQ(surface::GlyphText(font, &device).fromGlyphs(c.text), c.fromGlyphs);
  }
}

// Fonts the platform blends with gamma correction are left to it; whichever
// way each installed font goes, the pixels are the painter's.
TEST(GlyphText, EveryInstalledFaceMatchesThePainter) {
  const QStringList families = {QStringLiteral("Nimbus Roman"), QStringLiteral("C059"),
                                QStringLiteral("URW Gothic"), QStringLiteral("Droid Sans Fallback"),
                                QStringLiteral("DejaVu Sans Mono")};
  for (const QString& family : families) {
    SCOPED_TRACE(family.toStdString());
    QFont font(family);
    font.setPixelSize(19);
    const QString text = QStringLiteral("AV To W. 0123 Wa fi");
    EXPECT_EQ(printed(font, text, {11, 45}, kWhite), painted(font, text, {11, 45}, kWhite));
  }
}

// Typing makes a new label on every keystroke: each is shaped afresh and
// drawn from the glyphs kept, however many have gone before.
TEST(GlyphText, ManyLabelsInARowStayExact) {
  const QFont font = pixelFont("Tahoma", 19);
  PictureBox box;
  box.setTwipsGeometry(0, 0, 4635, 1215);
  box.setFont(font);
  QString label = QStringLiteral("Code 128 ");
  for (int n = 0; n < 150; ++n) {
    label += QChar(u'!' + (n * 37) % 94);
    if (label.size() > 30) label.remove(9, 1);
    box.Cls();
    box.setCurrentX(20 + n % 7);
    box.setCurrentY(50);
    box.Print(label);
    ASSERT_EQ(box.Image(), painted(font, label, {20.0 + n % 7, 50}, kWhite)) << n;
  }
}

// The platform's blend rounds a few products differently from exact
// rounding; over a picture of every kind of colour, the two would part.
TEST(GlyphText, OverAnyBackgroundBlendsAsThePlatformDoes) {
  QImage background(305, 77, QImage::Format_RGB32);
  for (int y = 0; y < background.height(); ++y)
    for (int x = 0; x < background.width(); ++x)
      background.setPixel(
          x, y, qRgb((x * 37 + y * 11) & 255, (x * 13 + y * 71) & 255, (x * 101 + y * 29) & 255));
  const QFont font = pixelFont("DejaVu Sans", 26);
  const QStringList lines = {QStringLiteral("AVAW To W. 0123456789"),
                             QStringLiteral("Quick brown fox, lazy dog"),
                             QStringLiteral("@#%&*()[]{}<>?/|~")};
  PictureBox box;
  box.setTwipsGeometry(0, 0, 4635, 1215);
  box.setFont(font);
  box.setPicture(background);
  QImage expected = background;
  QPainter painter(&expected);
  painter.setFont(font);
  painter.setPen(Qt::black);
  const QFontMetrics metrics(font, &expected);
  for (int i = 0; i < lines.size(); ++i) {
    box.setCurrentX(1 + i);
    box.setCurrentY(i * 25);
    box.Print(lines[i]);
    painter.drawText(QPoint(1 + i, i * 25 + metrics.ascent()), lines[i]);
    QImage device(1, 1, QImage::Format_RGB32);
    EXPECT_TRUE(surface::GlyphText(font, &device).fromGlyphs(lines[i]));
  }
  painter.end();
  EXPECT_EQ(box.Image(), expected);
}

}  // namespace

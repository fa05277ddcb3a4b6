// The UPC-A renderer, read back from the pixels of the window's picUPC.
#include "screen/upca.h"

#include <gtest/gtest.h>

#include <QLabel>

#include "tests/support/pixels.h"
#include "tests/support/window.h"

namespace {

using testsupport::isDark;
using testsupport::Window;

// picUPC's vertical unit is 1.1 pixels: bars run from row 7 (y = 6) down to
// row 45 (y = 42), the long ones to row 54 (y = 50).
constexpr int kTopRow = 7;
constexpr int kShortLastRow = 45;
constexpr int kLongLastRow = 54;

// The guard bars and the first and last digit's bars reach down to y = 50.
bool isLongColumn(int x) {
  return (x >= 20 && x < 30) || (x >= 65 && x < 70) || (x >= 105 && x < 115);
}

// The text of the twelve digits alone, printed where the layout puts them.
QImage printedDigits(const surface::PictureBox& picUPC, const QString& number) {
  const int columns[] = {10, 32, 38, 44, 50, 56, 71, 78, 84, 90, 96, 118};
  surface::PictureBox box;
  box.setTwipsGeometry(0, 0, 2055, 1095);
  box.setScale(15, 16.5);
  box.setFont(picUPC.font());
  for (int k = 0; k < 12; ++k) {
    box.setCurrentX(columns[k]);
    box.setCurrentY(42);
    box.Print(number.mid(k, 1));
  }
  return box.Image();
}

QImage draw(Window& w, const QString& number) {
  EXPECT_TRUE(eanupc::drawUpcA(number, *w.window)) << number.toStdString();
  return w.ui().upcPicture->Image();
}

TEST(UpcA, NinetyFiveModulesFromColumn20) {
  Window w;
  const QImage image = draw(w, QStringLiteral("097363395843"));
  for (int x = 0; x < image.width(); ++x) {
    const bool dark = isDark(image.pixel(x, 20));
    if (x < 20 || x > 114) {
      EXPECT_FALSE(dark) << x;
    }
    EXPECT_FALSE(isDark(image.pixel(x, kTopRow - 1))) << x;
    // Each module is one whole line from the top row to the short bars' end.
    for (int y = kTopRow; y <= kShortLastRow && x >= 20 && x <= 114; ++y)
      ASSERT_EQ(isDark(image.pixel(x, y)), dark) << x << "," << y;
  }
  // Guards: bar space bar, then space bar space bar space, then bar space bar.
  const std::pair<int, bool> guards[] = {{20, true},  {21, false},  {22, true}, {65, false},
                                         {66, true},  {67, false},  {68, true}, {69, false},
                                         {112, true}, {113, false}, {114, true}};
  for (const auto& [x, dark] : guards) EXPECT_EQ(isDark(image.pixel(x, 20)), dark) << x;
}

TEST(UpcA, GuardsAndOuterDigitsReachBelowTheOthers) {
  Window w;
  const QImage image = draw(w, QStringLiteral("097363395843"));
  for (int x = 20; x <= 114; ++x) {
    const bool dark = isDark(image.pixel(x, 20));
    if (isLongColumn(x)) {
      EXPECT_EQ(isDark(image.pixel(x, kLongLastRow)), dark) << x;
      EXPECT_FALSE(isDark(image.pixel(x, kLongLastRow + 1))) << x;
    } else {
      EXPECT_FALSE(isDark(image.pixel(x, kShortLastRow + 1))) << x;
    }
  }
}

TEST(UpcA, DigitsStandAtTheirColumns) {
  const QString numbers[] = {QStringLiteral("097363395843"), QStringLiteral("036000291452")};
  for (const QString& number : numbers) {
    Window w;
    const QImage image = draw(w, number);
    const QImage text = printedDigits(*w.ui().upcPicture, number);
    // Below the bars, and beside the long ones, there is only text.
    for (int y = kShortLastRow + 1; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if (y > kLongLastRow || !isLongColumn(x)) {
          ASSERT_EQ(image.pixel(x, y), text.pixel(x, y))
              << number.toStdString() << " " << x << "," << y;
        }
  }
}

TEST(UpcA, LightModulesArePaintedWhite) {
  Window w;
  w.ui().upcPicture->setBackColor(Qt::gray);
  const QImage image = draw(w, QStringLiteral("097363395843"));
  EXPECT_EQ(image.pixel(60, 2), QColor(Qt::gray).rgb());  // the background shows elsewhere
  for (int x = 20; x <= 114; ++x)
    for (int y = kTopRow; y <= kShortLastRow; ++y) {
      const QRgb pixel = image.pixel(x, y);
      ASSERT_TRUE(pixel == qRgb(0, 0, 0) || pixel == qRgb(255, 255, 255)) << x << "," << y;
    }
}

TEST(UpcA, TheSymbolBecomesTheBackgroundPicture) {
  Window w;
  const QImage image = draw(w, QStringLiteral("097363395843"));
  EXPECT_EQ(w.ui().upcPicture->Picture(), image);
  w.ui().upcPicture->Cls();
  EXPECT_EQ(w.ui().upcPicture->Image(), image);
}

TEST(UpcA, TwoDrawsLeaveOnlyTheSecond) {
  Window twice, once;
  draw(twice, QStringLiteral("097363395843"));
  const QImage second = draw(twice, QStringLiteral("036000291452"));
  EXPECT_EQ(second, draw(once, QStringLiteral("036000291452")));
  const auto& ui = twice.ui();
  QString holders;
  for (const QLabel* holder : ui.upcLeftDigits) holders += holder->text();
  for (const QLabel* holder : ui.upcRightDigits) holders += holder->text();
  EXPECT_EQ(holders, QStringLiteral("036000291452"));
}

TEST(UpcA, ANumberLongerThanTwelveIsDrawnFromItsFirstTwelve) {
  Window longer, exact;
  EXPECT_EQ(draw(longer, QStringLiteral("09736339584312345")),
            draw(exact, QStringLiteral("097363395843")));
}

TEST(UpcA, ANumberThatIsNotTwelveDigitsLeavesTheBoxWhite) {
  for (const QString& bad : {QStringLiteral("0973633958A3"), QStringLiteral("0973633958")}) {
    Window w;
    draw(w, QStringLiteral("036000291452"));
    EXPECT_FALSE(eanupc::drawUpcA(bad, *w.window)) << bad.toStdString();
    EXPECT_TRUE(testsupport::isBlank(w.ui().upcPicture->Image())) << bad.toStdString();
    EXPECT_EQ(w.ui().upcLeftDigits[0]->text() + w.ui().upcRightDigits[5]->text(),
              bad.left(1) + bad.mid(11, 1))
        << bad.toStdString();
  }
}

TEST(UpcA, AWindowWithoutTheBoxIsLeftAlone) {
  QWidget window;
  EXPECT_FALSE(eanupc::drawUpcA(QStringLiteral("097363395843"), window));
}

}  // namespace

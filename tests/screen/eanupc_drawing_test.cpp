// Whole EAN-13 and UPC-A pictures, each laid against one built without our
// drawing code: modules from zxing-cpp's writer placed by the layout (EAN-13
// from x = 11, rows 4 to 50 and the guards to 54; UPC-A from x = 20, rows 7
// to 45 and the guards and outer digits' modules to 54), the digits by
// QPainter::drawText where the layout puts them.
#include <gtest/gtest.h>

#include <QPainter>
#include <array>

#include "screen/ean13.h"
#include "screen/upca.h"
#include "surface/picturebox.h"
#include "tests/support/modules.h"
#include "tests/support/pixels.h"

namespace {

using eanupc::Digits;
using ZXing::BarcodeFormat;

std::vector<bool> zxingModules(BarcodeFormat format, const char* data) {
  std::vector<bool> modules;
  bool dark = true;
  for (const int run : testsupport::zxingRuns(format, data)) {
    modules.insert(modules.end(), run, dark);
    dark = !dark;
  }
  return modules;
}

// Guards by the standard's layout: start 101, centre 01010, end 101.
bool isGuard(std::size_t m) { return m < 3 || (m >= 45 && m < 50) || m >= 92; }

void paintColumn(QImage& image, int x, int top, int bottom) {
  for (int y = top; y < bottom; ++y) image.setPixel(x, y, qRgb(0, 0, 0));
}

void paintText(QImage& image, const QFont& font, QPoint topLeft, const QString& text) {
  QPainter painter(&image);
  painter.setFont(font);
  painter.setPen(Qt::black);
  painter.drawText(topLeft + QPoint(0, QFontMetrics(font, &image).ascent()), text);
}

QFont tahoma(int pixels) {
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(pixels);
  return font;
}

struct EanCase {
  const char* name;
  const char32_t* data;
  const char* number;  // the data and its check digit, as printed
  Digits digits;
};

const EanCase kEans[] = {
    {"EAN-13, first digit 5", U"590123412345", "5901234123457", Digits::Printed},
    {"a JAN-13", U"490000000000", "4900000000009", Digits::Printed},
    {"an ISBN", U"978030640615", "9780306406157", Digits::Printed},
    {"bars alone", U"590123412345", "5901234123457", Digits::Omitted},
};

TEST(EanDrawing, Ean13EqualsAPictureBuiltIndependently) {
  surface::PictureBox box;  // picEan's size and scale: 0.77 pixel a vertical unit
  box.setTwipsGeometry(1200, 4440, 1815, 1095);
  box.setScale(15, 11.55);
  box.setFont(tahoma(15));
  for (const EanCase& c : kEans) {
    SCOPED_TRACE(c.name);
    eanupc::drawEan13(box, std::get<eanupc::Symbol>(eanupc::encodeEan13(c.data)), c.digits);
    QImage expected(box.Image().size(), QImage::Format_RGB32);
    expected.fill(Qt::white);
    const std::vector<bool> modules = zxingModules(BarcodeFormat::EAN13, c.number);
    ASSERT_EQ(modules.size(), 95u);
    for (std::size_t m = 0; m < modules.size(); ++m)
      if (modules[m]) paintColumn(expected, 11 + int(m), 4, isGuard(m) ? 55 : 51);
    if (c.digits == Digits::Printed) {
      // Ten points: 13 pixels. Each printed as a number, a blank before it;
      // the first left of the start guard, the others one pixel left of their modules.
      const QString number = QString::fromLatin1(c.number);
      paintText(expected, tahoma(13), {2, 51}, QLatin1Char(' ') + number[0]);
      for (int k = 0; k < 12; ++k) {
        const int firstModule = 3 + 7 * k + (k >= 6 ? 5 : 0);
        paintText(expected, tahoma(13), {11 + firstModule - 1, 51},
                  QLatin1Char(' ') + number[k + 1]);
      }
    }
    EXPECT_EQ(testsupport::firstDifference(box.Image(), expected), "");
  }
}

struct UpcCase {
  const char* name;
  const char* number;  // twelve digits, check digit included
  Digits digits;
};

const UpcCase kUpcs[] = {
    {"UPC-A", "036000291452", Digits::Printed},
    {"all zeros", "000000000000", Digits::Printed},
    {"bars alone", "036000291452", Digits::Omitted},
};

TEST(UpcDrawing, UpcAEqualsAPictureBuiltIndependently) {
  surface::PictureBox box;  // picUPC's size and scale: 1.1 pixel a vertical unit
  box.setTwipsGeometry(1200, 4440, 2055, 1095);
  box.setScale(15, 16.5);
  box.setFont(tahoma(13));
  for (const UpcCase& c : kUpcs) {
    SCOPED_TRACE(c.name);
    box.Cls();
    const std::u32string number = QString::fromLatin1(c.number).toStdU32String();
    eanupc::drawUpcA(box, std::get<eanupc::Symbol>(eanupc::encodeUpcA(number)), c.digits);
    QImage expected(box.Image().size(), QImage::Format_RGB32);
    expected.fill(Qt::white);
    if (c.digits == Digits::Printed) {
      const std::array<int, 12> columns = {10, 32, 38, 44, 50, 56, 71, 78, 84, 90, 96, 118};
      for (int k = 0; k < 12; ++k)
        paintText(expected, box.font(), {columns[k], 46}, QString(QLatin1Char(c.number[k])));
    }
    const std::vector<bool> modules =
        zxingModules(BarcodeFormat::UPCA, std::string(c.number, 11).c_str());
    ASSERT_EQ(modules.size(), 95u);
    for (std::size_t m = 0; m < modules.size(); ++m) {
      const bool outerDigit = (m >= 3 && m < 10) || (m >= 85 && m < 92);
      if (modules[m]) paintColumn(expected, 20 + int(m), 7, isGuard(m) || outerDigit ? 55 : 46);
    }
    EXPECT_EQ(testsupport::firstDifference(box.Image(), expected), "");
  }
}

}  // namespace

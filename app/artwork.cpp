#include "app/artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <variant>

#include "symbologies/linear/code39.h"

namespace app {

namespace {

// Paints a symbol's bars into a rectangle, `scale` pixels a module.
void paintBars(QPainter& painter, const linear::Symbol& symbol, QPoint origin, int height,
               int scale, const QColor& colour) {
  linear::forEachBar(symbol, 0, [&](int x, int width, int) {
    painter.fillRect(origin.x() + scale * x, origin.y(), scale * width, height, colour);
  });
}

const QColor kDeepBlue(0x1f, 0x3a, 0x68);
const QColor kLightBlue(0x3f, 0x86, 0xc8);

linear::Symbol code39(std::u32string_view text) {
  return std::get<linear::Symbol>(linear::encodeCode39(text, {0, 0, 0}));
}

}  // namespace

QImage bannerImage() {
  QImage image(581, 71, QImage::Format_RGB32);
  QPainter painter(&image);
  QLinearGradient sky(0, 0, 581, 0);
  sky.setColorAt(0, kDeepBlue);
  sky.setColorAt(1, kLightBlue);
  painter.fillRect(image.rect(), sky);
  // A white label holding a real symbol of the program's initials.
  painter.fillRect(8, 8, 160, 55, Qt::white);
  paintBars(painter, code39(U"BG"), QPoint(16, 13), 45, 1, Qt::black);
  QFont title(QStringLiteral("Tahoma"));
  title.setPixelSize(34);
  title.setBold(true);
  painter.setFont(title);
  painter.setPen(Qt::white);
  painter.drawText(QRect(180, 0, 395, 71), Qt::AlignVCenter | Qt::AlignLeft,
                   QStringLiteral("Barcode Generator"));
  return image;
}

QImage logoImage() {
  QImage image(549, 258, QImage::Format_RGB888);
  image.fill(Qt::white);
  QPainter painter(&image);
  QLinearGradient band(0, 0, image.width(), 0);
  band.setColorAt(0, kDeepBlue);
  band.setColorAt(1, kLightBlue);
  painter.fillRect(0, 0, image.width(), 64, band);
  QFont title(QStringLiteral("Tahoma"));
  title.setPixelSize(38);
  title.setBold(true);
  painter.setFont(title);
  painter.setPen(Qt::white);
  painter.drawText(QRect(0, 0, image.width(), 64), Qt::AlignCenter,
                   QStringLiteral("Barcode Generator"));

  QFont small(QStringLiteral("Tahoma"));
  small.setPixelSize(13);
  painter.setFont(small);
  painter.setPen(QColor(0x55, 0x55, 0x55));
  painter.drawText(
      QRect(0, 70, image.width(), 20), Qt::AlignCenter,
      QStringLiteral(u"Code 39 \u00b7 Interleaved 2 of 5 \u00b7 Code 128 \u00b7 Codabar "
                     u"\u00b7 EAN-13 \u00b7 UPC-A"));

  // The name again as two real symbols, each with its text, side by side.
  const linear::Symbol words[] = {code39(U"BARCODE"), code39(U"GENERATOR")};
  constexpr int kGap = 56;
  int total = kGap;
  for (const auto& word : words) total += word.endX - linear::kFirstBarX;
  int x = (image.width() - total) / 2;
  QFont label(QStringLiteral("Tahoma"));
  label.setPixelSize(14);
  label.setLetterSpacing(QFont::AbsoluteSpacing, 4);
  painter.setFont(label);
  painter.setPen(Qt::black);
  for (const auto& word : words) {
    const int width = word.endX - linear::kFirstBarX;
    paintBars(painter, word, QPoint(x, 104), 96, 1, Qt::black);
    painter.drawText(QRect(x, 202, width, 20), Qt::AlignCenter,
                     QString::fromStdU32String(word.label));
    x += width + kGap;
  }

  // No caption and no close button: say how it goes away.
  painter.setFont(small);
  painter.setPen(QColor(0x80, 0x80, 0x80));
  painter.drawText(QRect(0, 232, image.width(), 20), Qt::AlignCenter,
                   QStringLiteral("Click or press a key to close"));
  return image;
}

QImage iconImage(int size) {
  QImage image(size, size, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setBrush(Qt::white);
  painter.setPen(QPen(QColor(0x1f, 0x3a, 0x68), size >= 32 ? 2 : 1));
  painter.drawRoundedRect(QRectF(0.5, 0.5, size - 1, size - 1), size / 8.0, size / 8.0);
  painter.setRenderHint(QPainter::Antialiasing, false);
  // Bars of alternating widths, spread to fill the square.
  const int widths[] = {1, 1, 2, 1, 1, 2, 1, 2, 1, 1};
  const int unit = std::max(1, size / 16);
  int x = size / 8 + unit / 2;
  for (int i = 0; i < 10 && x < size - size / 8; ++i) {
    if (i % 2 == 0) painter.fillRect(x, size / 4, widths[i] * unit, size / 2, Qt::black);
    x += widths[i] * unit;
  }
  return image;
}

QIcon windowIcon16and32() {
  QIcon icon;
  for (int size : {16, 32}) icon.addPixmap(QPixmap::fromImage(iconImage(size)));
  return icon;
}

}  // namespace app

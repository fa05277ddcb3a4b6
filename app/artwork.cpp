#include "app/artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <variant>

#include "app/clientarea.h"
#include "symbologies/linear/code39.h"

namespace app {

namespace {

// Paints a symbol's bars into a rectangle, `scale` pixels a module.
void paintBars(QPainter& painter, const linear::Symbol& symbol, QPoint origin, int height,
               int scale, const QColor& colour) {
  int x = origin.x();
  for (std::size_t i = 0; i < symbol.elements.size(); ++i) {
    const bool bar = i % 2 == 0;
    const int width = scale * linear::elementWidth(symbol.elements[i], bar, symbol.kind, 0);
    if (bar) painter.fillRect(x, origin.y(), width, height, colour);
    x += width;
  }
}

linear::Symbol code39(std::u32string_view text) {
  return std::get<linear::Symbol>(linear::encodeCode39(text, {0, 0, 0}));
}

}  // namespace

QImage bannerImage() {
  QImage image(581, 71, QImage::Format_RGB32);
  QPainter painter(&image);
  QLinearGradient sky(0, 0, 581, 0);
  sky.setColorAt(0, QColor(0x1f, 0x3a, 0x68));
  sky.setColorAt(1, QColor(0x3f, 0x86, 0xc8));
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

#include "app/printing.h"

#include <QPainter>
#include <QPainterPath>
#include <QPrinter>

#include "render/vectorpaths.h"

namespace app {

namespace {

QColor colourOf(const render::Colour& colour) { return QColor(colour.r, colour.g, colour.b); }

}  // namespace

void paintScene(QPainter& painter, const render::Scene& scene) {
  if (scene.style.background)
    painter.fillRect(QRectF(0, 0, scene.width, scene.height), colourOf(*scene.style.background));
  const QColor ink = colourOf(scene.style.foreground);
  for (const render::Rect& bar : scene.bars)
    painter.fillRect(QRectF(bar.x0, bar.y0, bar.x1 - bar.x0, bar.y1 - bar.y0), ink);
  QPainterPath text;
  render::forEachGlyphPath(
      scene, [&](double x, double y) { text.moveTo(x, y); },
      [&](double x, double y) { text.lineTo(x, y); },
      [&](double x1, double y1, double x2, double y2, double x, double y) {
        text.cubicTo(x1, y1, x2, y2, x, y);
      },
      [&] { text.closeSubpath(); });
  if (!text.isEmpty()) {
    text.setFillRule(Qt::WindingFill);
    painter.fillPath(text, ink);
  }
}

QString print(QPrinter& printer, const render::Layout& layout, const render::Output& output) {
  const render::Scene scene = render::makeScene(layout, output, 1, 0);
  const QRectF page = printer.pageRect(QPrinter::DevicePixel);
  if (scene.width > page.width() || scene.height > page.height())
    return QStringLiteral("The barcode is larger than the printable part of the page.");
  QPainter painter;
  if (!painter.begin(&printer)) return QStringLiteral("The printer could not be started.");
  paintScene(painter, scene);
  if (!painter.end()) return QStringLiteral("The printer did not accept the page.");
  return {};
}

}  // namespace app

#include "export/qtpaint.h"

#include <QPainter>
#include <QPainterPath>

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

}  // namespace app

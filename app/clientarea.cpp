#include "app/clientarea.h"

#include <QPainter>
#include <cmath>

namespace app {

ClientArea::ClientArea(QWidget* parent) : QWidget(parent) { setMouseTracking(true); }

void ClientArea::drawTopLine(const QColor& colour) {
  m_topLine = colour;
  update();
}

void ClientArea::paintEvent(QPaintEvent*) {
  if (!m_topLine.isValid()) return;
  QPainter painter(this);
  // A filled row, not a line, stays whole at any device pixel ratio.
  painter.fillRect(QRect(0, 0, width(), 1), m_topLine);
}

void ClientArea::mouseMoveEvent(QMouseEvent*) { emit mouseMoved(); }

int fontPixels(double points) { return static_cast<int>(std::lround(points * 96.0 / 72.0)); }

QFont tahoma(double points, bool bold) {
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(fontPixels(points));
  font.setBold(bold);
  return font;
}

}  // namespace app

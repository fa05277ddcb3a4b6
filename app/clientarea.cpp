#include "app/clientarea.h"

#include <QPainter>

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

}  // namespace app

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
  painter.setPen(m_topLine);
  painter.drawLine(0, 0, width(), 0);
}

void ClientArea::mouseMoveEvent(QMouseEvent*) { emit mouseMoved(); }

}  // namespace app

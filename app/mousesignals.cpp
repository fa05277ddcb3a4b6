#include "app/mousesignals.h"

#include <QEvent>
#include <QMouseEvent>
#include <QWidget>

namespace app {

MouseSignals::MouseSignals(QWidget* widget) : QObject(widget) { widget->installEventFilter(this); }

bool MouseSignals::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
      m_pressed = static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
      return true;
    case QEvent::MouseButtonDblClick:
      // Comes in place of a double click's second press: the first one clicked.
      return true;
    case QEvent::MouseButtonRelease: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      const bool click =
          m_pressed && mouse->button() == Qt::LeftButton &&
          static_cast<QWidget*>(watched)->rect().contains(mouse->position().toPoint());
      m_pressed = false;
      if (click) emit clicked();
      return true;
    }
    case QEvent::MouseMove:
      emit moved();
      return true;
    default:
      return false;
  }
}

}  // namespace app

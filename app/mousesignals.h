#pragma once

#include <QObject>

class QWidget;

namespace app {

// Gives a widget without such signals (a label, a frame) its clicks and
// pointer moves. It takes the watched widget's mouse events for itself, so
// they do not fall through to the widget's parent.
class MouseSignals : public QObject {
  Q_OBJECT

 public:
  // Watches the widget and lives as long as it does.
  explicit MouseSignals(QWidget* widget);

 signals:
  // A left button pressed and released over the widget; once per double click.
  void clicked();
  void moved();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool m_pressed = false;
};

}  // namespace app

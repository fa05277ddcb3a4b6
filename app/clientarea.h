#pragma once

#include <QWidget>

namespace app {

// The area of the main window below the menu bar; the controls sit on it at
// fixed positions. It keeps the rule along its top edge that start-up draws.
class ClientArea : public QWidget {
  Q_OBJECT

 public:
  explicit ClientArea(QWidget* parent = nullptr);
  void drawTopLine(const QColor& colour);

 signals:
  void mouseMoved();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  QColor m_topLine;
};

}  // namespace app

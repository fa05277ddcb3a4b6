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

// Twips to pixels at the fixed 15 twips a pixel.
constexpr int px(int twips) { return twips / 15; }

// Points to pixels at 96 dots per inch, rounded as screen fonts are.
int fontPixels(double points);
QFont tahoma(double points, bool bold = false);

}  // namespace app

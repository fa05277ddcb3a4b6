#pragma once

#include <QObject>
#include <QWidget>

class QFrame;
class QLabel;

namespace app {

// The About window: the logo on a white frame; a key or a click on it closes it.
// It owns nothing the program needs and deletes itself when closed.
class AboutWindow : public QWidget {
  Q_OBJECT

 public:
  explicit AboutWindow(QWidget* parent = nullptr);

  // Each closes the window; the key's character is not needed.
  void Form_KeyPress(int keyAscii);
  void Frame1_Click();
  void imgLogo_Click();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  QFrame* m_frame = nullptr;
  QLabel* m_logo = nullptr;
};

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

#pragma once

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

}  // namespace app

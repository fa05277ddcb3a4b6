#pragma once

#include <QWidget>

namespace app {

// The About window: the logo on a white frame; a key or a click on it closes it.
class frmSplashbm : public QWidget {
  Q_OBJECT

 public:
  explicit frmSplashbm(QWidget* parent = nullptr);
};

}  // namespace app

#include <QApplication>

#include "app/barcodegenerator.h"
#include "app/fonts.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QString::fromLatin1(app::kAppTitle));
  app::loadFallbackFonts();
  app::BarcodeGenerator window;
  window.show();
  return application.exec();
}

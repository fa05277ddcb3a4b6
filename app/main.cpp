#include <QApplication>

#include "app/barcodegenerator.h"
#include "app/fonts.h"

// The window; barcode-generator starts it when given no command-line option.
int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QString::fromLatin1(app::kAppTitle));
  app::loadFallbackFonts();
  app::BarcodeGenerator window;
  window.show();
  return application.exec();
}

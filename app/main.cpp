#include <QApplication>

#include "app/barcodegenerator.h"
#include "app/commandline.h"
#include "app/fonts.h"

int main(int argc, char* argv[]) {
  if (app::wantsCommandLine(argc, argv)) return app::runCommandLine(argc, argv);
  QApplication application(argc, argv);
  QApplication::setApplicationName(QString::fromLatin1(app::kAppTitle));
  app::loadFallbackFonts();
  app::BarcodeGenerator window;
  window.show();
  return application.exec();
}

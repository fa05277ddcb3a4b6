#include "app/fonts.h"

#include <QFile>
#include <QFontDatabase>

#include "surface/limits.h"

namespace app {

void loadFallbackFonts() {
  if (QFontDatabase::families().contains(QStringLiteral("Tahoma"))) return;
  for (const char* file :
       {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"}) {
    const QString path = QString::fromLatin1(file);
    if (QFile::exists(path)) QFontDatabase::addApplicationFont(path);
  }
}

QFont tahoma(double points, bool bold) {
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(surface::pointsToPixels(points));
  font.setBold(bold);
  return font;
}

}  // namespace app

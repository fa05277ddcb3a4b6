// Writes the program's icon as PNG files for the desktop's icon theme.
#include <QDir>
#include <QGuiApplication>
#include <cstdio>

#include "app/artwork.h"

int main(int argc, char* argv[]) {
  QGuiApplication application(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: make-icons OUTPUT-DIRECTORY\n");
    return 2;
  }
  const QDir out(QString::fromLocal8Bit(argv[1]));
  for (int size : {16, 32, 48}) {
    const QString path = out.filePath(QStringLiteral("barcode-generator-%1.png").arg(size));
    if (!out.mkpath(QStringLiteral(".")) || !app::iconImage(size).save(path)) {
      std::fprintf(stderr, "make-icons: cannot write %s\n", qPrintable(path));
      return 1;
    }
  }
  return 0;
}

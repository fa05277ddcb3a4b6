#include "export/qtwriter.h"

#include <QFile>

namespace app {

QString writeInFolder(int folder, const QByteArray& name, const QByteArray& bytes,
                      Durability durability) {
  return QString::fromLocal8Bit(writeInFolder(
      folder, name.toStdString(),
      [&bytes](const ByteSink& sink) {
        return sink(bytes.constData(), static_cast<std::size_t>(bytes.size()));
      },
      durability));
}

QString writeAtomically(const QString& path, const QByteArray& bytes) {
  return QString::fromLocal8Bit(
      writeAtomically(QFile::encodeName(path).toStdString(),
                      std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))));
}

}  // namespace app

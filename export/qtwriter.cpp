#include "export/qtwriter.h"

#include <QFile>

namespace app {

namespace {

Producer bytesOf(const QByteArray& bytes) {
  return [&bytes](const ByteSink& sink) {
    return sink(bytes.constData(), static_cast<std::size_t>(bytes.size()));
  };
}

QString text(const std::string& problem) { return QString::fromLocal8Bit(problem); }

}  // namespace

QString writeInFolder(int folder, const QByteArray& name, const QByteArray& bytes,
                      Durability durability) {
  return text(writeInFolder(folder, name.toStdString(), bytesOf(bytes), durability));
}

QString writeAtomically(const QByteArray& path, const QByteArray& bytes) {
  return text(writeAtomically(path.toStdString(), bytesOf(bytes)));
}

QString writeAtomically(const QString& path, const QByteArray& bytes) {
  return writeAtomically(QFile::encodeName(path), bytes);
}

QString writeStreamed(const QString& path, const std::function<QString(int fd)>& fill) {
  return text(writeStreamed(QFile::encodeName(path).toStdString(),
                            [&fill](int fd) { return fill(fd).toStdString(); }));
}

}  // namespace app

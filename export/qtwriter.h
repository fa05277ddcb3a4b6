#pragma once

// The one writer (export/writer.h) for Qt's strings: the window, the batch
// and the labels.

#include <QByteArray>
#include <QString>
#include <functional>

#include "export/writer.h"

namespace app {

QString writeInFolder(int folder, const QByteArray& name, const QByteArray& bytes,
                      Durability durability);
// The path as the file system's bytes, or as text.
QString writeAtomically(const QByteArray& path, const QByteArray& bytes);
QString writeAtomically(const QString& path, const QByteArray& bytes);
QString writeStreamed(const QString& path, const std::function<QString(int fd)>& fill);

}  // namespace app

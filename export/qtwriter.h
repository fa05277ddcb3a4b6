#pragma once

// The one writer (export/writer.h) for Qt's strings: the window and the batch.

#include <QByteArray>
#include <QString>

#include "export/writer.h"

namespace app {

QString writeInFolder(int folder, const QByteArray& name, const QByteArray& bytes,
                      Durability durability);
QString writeAtomically(const QString& path, const QByteArray& bytes);

}  // namespace app

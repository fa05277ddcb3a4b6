#pragma once

#include <QByteArray>
#include <QString>

namespace app {

// Writes bytes to path atomically (temporary file in the same folder, then rename);
// a symbolic link at the name is replaced, never followed; a folder or other non-regular file
// at the name is refused. Returns an empty string on success, else the reason in words.
QString writeAtomically(const QString& path, const QByteArray& bytes);

}  // namespace app

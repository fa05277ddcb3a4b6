#pragma once

#include <QString>

#include "export/writer.h"  // kMaxNameBytes

namespace app {

// "/" and control characters made "_": what cannot stand in a file name here,
// so a file made of typed data stays in its folder under the name shown.
QString safeFileName(QString text);

// The longest start of text whose UTF-8 form has at most bytes bytes.
QString cutToBytes(const QString& text, int bytes);

}  // namespace app

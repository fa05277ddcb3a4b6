#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include "export/writer.h"  // kMaxNameBytes

namespace app {

// "/" and control characters made "_": what cannot stand in a file name here,
// so a file made of typed data stays in its folder under the name shown.
QString safeFileName(QString text);

// The longest start of text whose UTF-8 form has at most bytes bytes.
QString cutToBytes(const QString& text, int bytes);

// The system's bytes (arguments, paths) as text without losing any: UTF-8 as
// it reads, any other byte as the lone surrogate U+DC80 + byte, which
// nativeBytes turns back into that byte. A name that is not valid UTF-8 so
// reaches the file system exactly as it was given.
QString fromNativeBytes(QByteArrayView bytes);
QByteArray nativeBytes(const QString& text);

// Text from outside (data, names, reasons) as one line of a message: line
// breaks as \n, \r, \t, other control characters as \x1b, line separators
// and direction overrides as \u2028, and bytes that were not text (above) as
// \xFF, so a message is never split and never drives the terminal.
QString oneLine(const QString& text);

}  // namespace app

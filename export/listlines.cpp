#include "export/listlines.h"

#include <QIODevice>

namespace app {

bool nextListLine(QIODevice& list, qint64& line, QString& text) {
  // Read until nothing comes: a pipe or a FIFO is at its end only then, where
  // atEnd() says so whenever nothing has arrived yet.
  while (true) {
    QByteArray bytes = list.readLine();
    if (bytes.isEmpty()) return false;
    ++line;
    if (bytes.endsWith('\n')) bytes.chop(1);
    if (bytes.endsWith('\r')) bytes.chop(1);
    if (bytes.isEmpty()) continue;
    text = QString::fromUtf8(bytes);
    return true;
  }
}

std::optional<QStringList> splitCsvLine(const QString& line) {
  QStringList fields;
  qsizetype i = 0;
  while (true) {
    QString field;
    if (i < line.size() && line[i] == QLatin1Char('"')) {
      ++i;
      while (true) {
        if (i >= line.size()) return std::nullopt;  // no closing quote
        if (line[i] == QLatin1Char('"')) {
          if (i + 1 < line.size() && line[i + 1] == QLatin1Char('"')) {
            field += QLatin1Char('"');
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        field += line[i++];
      }
      if (i < line.size() && line[i] != QLatin1Char(',')) return std::nullopt;
    } else {
      const qsizetype comma = line.indexOf(QLatin1Char(','), i);
      const qsizetype end = comma < 0 ? line.size() : comma;
      field = line.mid(i, end - i);
      if (field.contains(QLatin1Char('"'))) return std::nullopt;
      i = end;
    }
    fields << field;
    if (i >= line.size()) break;
    ++i;  // the comma
  }
  return fields;
}

}  // namespace app

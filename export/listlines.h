#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QIODevice;

namespace app {

// A list as the batch and the labels read it: one record a line, UTF-8, a
// trailing CR removed, empty lines skipped. The next record's text and its
// line number (counted from 1, empty lines included); false at the end.
bool nextListLine(QIODevice& list, qint64& line, QString& text);

// The fields of one CSV line, RFC 4180 quoting; nothing when it is not CSV.
std::optional<QStringList> splitCsvLine(const QString& line);

}  // namespace app

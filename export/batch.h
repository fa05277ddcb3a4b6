#pragma once

#include <QString>

#include "export/exportoptions.h"
#include "render/devices.h"

class QTextStream;

namespace app {

struct Choice;

struct BatchRequest {
  QString list;                    // a file, or "-" for standard input
  QString folder;                  // created if missing
  const Choice* choice = nullptr;  // null: each line is "type,data"
  ExportOptions options;           // with the format
  QString nameTemplate = QStringLiteral("{line}_{data}");
  int jobs = 0;  // 0: one per core
};

enum class BatchResult {
  AllWritten,
  SomeRefused,  // the others were written
  BadRequest,   // nothing done: the request itself is wrong
  NotWritten,   // a file could not be written; the run stopped there
};

// One file per record of the list, written atomically into the folder.
// Refused records are reported as "line N: why" and the others go on.
BatchResult runBatch(const BatchRequest& request, QTextStream& err);

// One CSV line of two fields, RFC 4180 quoting; false when it is not that.
bool splitCsvPair(const QString& line, QString& first, QString& second);

// The file name (without folder) of a record from the template: {line}
// zero-padded to lineWidth, {data} made safe as "File Save" makes it and cut
// so that the name fits in 255 bytes with the extension.
QString batchFileName(const QString& nameTemplate, qint64 line, int lineWidth, const QString& data,
                      const QString& type, const QString& extension);

}  // namespace app

#pragma once

#include <QByteArray>
#include <QString>

#include "export/exportoptions.h"
#include "render/devices.h"

class QTextStream;

namespace app {

struct Choice;
class Interruption;

struct BatchRequest {
  QByteArray list;                 // a path in the system's bytes, or "-" for standard input
  QByteArray folder;               // created if missing, once the list is open
  const Choice* choice = nullptr;  // null: each line is "type,data"
  ExportOptions options;           // with the format
  QString nameTemplate = QStringLiteral("{line}_{data}");
  int jobs = 0;                                // 0: one per core
  const Interruption* interruption = nullptr;  // when it says so, the run stops between files
  bool verify = false;                         // grade every file written, as --verify does
  char minGrade = 'C';
};

enum class BatchResult {
  AllWritten,
  SomeRefused,    // the others were written
  BadRequest,     // nothing done: the request itself is wrong
  NotWritten,     // a file could not be written; the run stopped there
  Interrupted,    // a signal stopped the run between two files
  SomeDoNotPass,  // all written, none refused, but some do not pass --verify
};

// One file per record of the list, written atomically into the folder in the
// list's order. Refused records are reported as "line N: why" and the others
// go on, and so are files that do not pass --verify ("line N: name: grade …");
// after a failure or a signal the files are exactly those of the lines before
// the one named.
BatchResult runBatch(const BatchRequest& request, QTextStream& err);

// The file name (without folder) of a record from the template: {line}
// zero-padded to lineWidth, {data} made safe as "File Save" makes it and cut
// so that the name fits in 255 bytes with the extension.
QString batchFileName(const QString& nameTemplate, qint64 line, int lineWidth, const QString& data,
                      const QString& type, const QString& extension);

// A name as a file system that ignores case and Unicode normal form (FAT,
// exFAT, a case-folding mount) sees it: two records whose names fold alike
// never share a file.
QString foldedFileName(const QString& name);

}  // namespace app

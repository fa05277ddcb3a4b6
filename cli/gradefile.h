#pragma once

#include <QString>
#include <optional>

#include "export/exportoptions.h"

class QTextStream;

namespace app {
struct Choice;
}

namespace cli {

// What --grade was given.
struct GradeArguments {
  QString file;
  const app::Choice* choice = nullptr;  // null: the symbology the bars decode as
  std::optional<QString> data;          // what the readers must read, typed as for an export
  app::ExportOptions options;           // how that data is read (add-on, Codabar ends, ...)
  std::optional<int> dpi;               // for vector files and pictures that store none
  char minGrade = 'C';
};

// Grades a file, ours or another program's: a row per scan line and the summary line on
// standard output. Returns the exit status.
int runGrade(const GradeArguments& arguments, QTextStream& out, QTextStream& err);

}  // namespace cli

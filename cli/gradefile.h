#pragma once

#include "cli/commandline.h"

class QTextStream;

namespace cli {

// Grades a file, ours or another program's: a row per scan line and the summary line on
// standard output. Returns the exit status.
int runGrade(const GradeArguments& arguments, QTextStream& out, QTextStream& err);

}  // namespace cli

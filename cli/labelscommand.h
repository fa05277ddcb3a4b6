#pragma once

// The labels on the command line: --labels or --sheet, the data from --data,
// --sequence or --batch, and a multi-page PDF out. The options are read by
// cli/commandline.cpp (their names and usage in cli/labeloptions.h).

#include <QString>
#include <functional>

#include "cli/commandline.h"
#include "export/exportoptions.h"

class QTextStream;

namespace app {
struct Choice;
}

namespace cli {

// Runs the labels; returns the exit status. usageError prints a message
// with the usage and returns its status.
int runLabels(const Arguments& arguments, const app::ExportOptions& options,
              const app::Choice* choice, QTextStream& out, QTextStream& err,
              const std::function<int(const QString&)>& usageError);

}  // namespace cli

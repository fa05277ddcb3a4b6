#pragma once

#include <QStringList>

#include "cli/exitstatus.h"

class QTextStream;

namespace cli {

// True when the arguments hold one of the command line's options; otherwise
// the window opens (Qt's own options such as -platform still reach it).
bool wantsCommandLine(int argc, char* argv[]);

// Starts Qt without a display and runs the command line. Returns the exit
// status (see ExitStatus).
int runCommandLine(int argc, char* argv[]);

// The same, for arguments already split (the program's name first), once Qt runs.
int runCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& err);

}  // namespace cli

#pragma once

#include <QStringList>

class QTextStream;

namespace app {

// True when the arguments hold one of the command line's options; otherwise
// the window opens (Qt's own options such as -platform still reach it).
bool wantsCommandLine(int argc, char* argv[]);

// Starts Qt without a display and runs the command line. Returns the exit
// status: 0 written, 1 data refused, 2 usage error, 3 not written.
int runCommandLine(int argc, char* argv[]);

enum ExitStatus { kWritten = 0, kRefused = 1, kUsageError = 2, kNotWritten = 3, kDoesNotScan = 4 };

// The same, for arguments already split (the program's name first), once Qt runs.
int runCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& err);

}  // namespace app

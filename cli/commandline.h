#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "cli/exitstatus.h"
#include "export/exportoptions.h"

namespace app {
struct Choice;
}

namespace cli {

// True when the arguments hold one of the command line's options; otherwise
// the window opens (Qt's own options such as -platform still reach it).
bool wantsCommandLine(int argc, char* argv[]);

// True when the arguments ask for a batch or --verify, which run in
// barcode-generator-full: they need Qt Core and zxing-cpp, which a single
// export does without, and so starts faster.
bool wantsFullProgram(int argc, char* argv[]);

struct BatchArguments {
  std::string list;  // a file, or "-" for standard input
  std::string folder;
  const app::Choice* choice = nullptr;  // null: each line is "type,data"
  app::ExportOptions options;
  std::string nameTemplate;
  int jobs = 0;
};

// What was written, for reading it back.
struct Written {
  const app::Choice* choice = nullptr;
  app::SymbolRequest request;
  const render::Layout* layout = nullptr;
  app::ExportPlan plan;
  std::string path;
};

// What barcode-generator-full adds to the command line.
struct FullProgram {
  // Returns the exit status; messages go to standard error.
  std::function<int(const BatchArguments&)> batch;
  // "" when the file reads back as its data; otherwise why not, in one line.
  std::function<std::string(const Written&)> verify;
};

// Runs the command line on arguments already split (the program's name
// first). Returns the exit status (see ExitStatus). Without `full`, a batch
// or --verify is refused.
int runCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                   const FullProgram* full = nullptr);

// Starts a program that lies beside this one in a build, or at `installed`
// (relative to this one's folder) once installed. Returns only on failure,
// with the status a shell gives a program it cannot start.
int startBeside(const char* name, const char* installed, char* argv[]);

}  // namespace cli

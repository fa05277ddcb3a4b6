#pragma once

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cli/exitstatus.h"
#include "export/exportoptions.h"

namespace app {
struct Choice;
class Interruption;
}  // namespace app

namespace cli {

// True when the arguments hold one of the command line's options; otherwise
// the window opens (Qt's own options such as -platform still reach it).
bool wantsCommandLine(int argc, char* argv[]);

// True when the arguments ask for a batch, labels, --verify or --grade, which run in
// barcode-generator-full: they need Qt and zxing-cpp, which a single export
// does without, and so starts faster.
bool wantsFullProgram(int argc, char* argv[]);

struct BatchArguments {
  std::string list;  // a file, or "-" for standard input
  std::string folder;
  const app::Choice* choice = nullptr;  // null: each line is "type,data"
  app::ExportOptions options;
  std::string nameTemplate;
  int jobs = 0;
  const app::Interruption* interruption = nullptr;
  bool verify = false;  // grade every file written
  char minGrade = 'C';
};

// What --grade was given.
struct GradeArguments {
  std::string file;
  const app::Choice* choice = nullptr;  // null: the symbology the bars decode as
  std::optional<std::string> data;      // what the readers must read, typed as for an export
  app::ExportOptions options;           // how that data is read (add-on, Codabar ends, ...)
  std::optional<int> dpi;               // for vector files and pictures that store none
  char minGrade = 'C';
};

// The arguments as read: each option's values in order, by its long name.
struct Arguments {
  std::vector<std::pair<std::string, std::vector<std::string>>> values;

  bool isSet(std::string_view name) const;
  const std::string& value(std::string_view name) const;  // the last given
  std::vector<std::string> all(std::string_view name) const;
};

// What was written, for reading it back.
struct Written {
  const app::Choice* choice = nullptr;
  app::SymbolRequest request;
  const render::Layout* layout = nullptr;
  app::ExportPlan plan;
  std::string path;
  char minGrade = 'C';
};

// The grade of what was written.
struct Verified {
  bool graded = false;  // else line says why not
  bool passes = false;
  std::string line;  // the grade, the checks and what the readers read
};

// What barcode-generator-full adds to the command line.
struct FullProgram {
  // Returns the exit status; messages go to standard error.
  std::function<int(const BatchArguments&)> batch;
  // The written file graded, as a verifier grades it.
  std::function<Verified(const Written&)> verify;
  // Grades a file, ours or another program's: a row per scan line and the
  // summary line on standard output. Returns the exit status.
  std::function<int(const GradeArguments&)> grade;
  // Runs the labels; returns the exit status. usageError prints a message
  // with the usage and returns its status.
  std::function<int(const Arguments&, const app::ExportOptions&, const app::Choice*,
                    const std::function<int(const std::string&)>& usageError)>
      labels;
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

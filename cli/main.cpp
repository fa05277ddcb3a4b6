#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "cli/commandline.h"

// A single export runs here on the standard library and FreeType alone. The
// window (Qt Widgets) and the batch and --verify (Qt Core, zxing-cpp) are
// programs of their own beside this one in a build, under libexec once
// installed, so an export never loads them.
int main(int argc, char* argv[]) {
  if (!cli::wantsCommandLine(argc, argv))
    return cli::startBeside("barcode-generator-window", BG_WINDOW_FROM_BIN, argv);
  if (cli::wantsFullProgram(argc, argv))
    return cli::startBeside("barcode-generator-full", BG_FULL_FROM_BIN, argv);
  // A file over the size limit (ulimit -f) is a write that fails, reported
  // as such with the old file kept, not a signal that ends the program.
  std::signal(SIGXFSZ, SIG_IGN);
  std::ios::sync_with_stdio(false);
  const int status =
      cli::runCommandLine(std::vector<std::string>(argv, argv + argc), std::cout, std::cerr);
  std::cout.flush();
  return status;
}

#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "cli/full.h"

// barcode-generator starts this one for a batch or --verify.
int main(int argc, char* argv[]) {
  std::signal(SIGXFSZ, SIG_IGN);
  const int status = cli::runCommandLine(std::vector<std::string>(argv, argv + argc), std::cout,
                                         std::cerr, &cli::fullProgram());
  std::cout.flush();
  return status;
}

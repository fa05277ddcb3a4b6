#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "cli/commandline.h"

namespace {

// The folder this program was started from.
std::string ownFolder() {
  char path[4096];
  const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0) return ".";
  const std::string self(path, static_cast<std::size_t>(length));
  return self.substr(0, self.rfind('/'));
}

// The window is a program of its own, so that an export never loads the
// widgets: beside this one in a build, under libexec once installed.
int openWindow(char* argv[]) {
  const std::string folder = ownFolder();
  int error = 0;
  for (const std::string& window :
       {folder + "/barcode-generator-window", folder + "/" + BG_WINDOW_FROM_BIN}) {
    ::execv(window.c_str(), argv);
    if (error == 0 || errno != ENOENT) error = errno;
  }
  std::fprintf(stderr, "barcode-generator: the window cannot be started: %s\n",
               std::strerror(error));
  return 127;  // as a shell says of a program it cannot start
}

}  // namespace

int main(int argc, char* argv[]) {
  if (cli::wantsCommandLine(argc, argv)) return cli::runCommandLine(argc, argv);
  return openWindow(argv);
}

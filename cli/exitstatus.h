#pragma once

namespace cli {

// The command line's exit status.
enum ExitStatus {
  kWritten = 0,      // or --help, --version
  kRefused = 1,      // the data (or a batch record) cannot make a symbol
  kUsageError = 2,   // the arguments are wrong; the usage follows the message
  kNotWritten = 3,   // a file could not be written
  kDoesNotScan = 4,  // --verify: written, but it does not read back as its data
};

}  // namespace cli

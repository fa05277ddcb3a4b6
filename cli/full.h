#pragma once

#include "cli/commandline.h"

namespace cli {

// The batch and --verify, on Qt Core and zxing-cpp.
const FullProgram& fullProgram();

}  // namespace cli

#pragma once

// The labels' options on the command line, and their usage: read here, run
// in barcode-generator-full (cli/labelscommand.h), which draws them with Qt.

#include <span>
#include <string>

namespace cli {

struct LabelOption {
  const char* name;
  const char* valueName;  // null: a switch
};

// Their long names without the dashes, each with its value's name.
std::span<const LabelOption> labelOptions();
std::string labelsUsage();

}  // namespace cli

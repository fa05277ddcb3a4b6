#pragma once

#include <optional>
#include <string>

#include "verify/image.h"
#include "verify/symbology.h"

namespace verify {

// The text a reader returned, or why it returned none.
struct Reading {
  std::optional<std::string> text;
  std::string why;
};

// Each reads the image exactly as it is (no margin added) with only the symbology's own
// decoder enabled. EAN add-ons are left off, or with addOn required: the text is then the
// main symbol's, a space and the add-on's, as zxing-cpp reports it.
Reading readZxing(const Image& image, Symbology symbology, bool addOn = false);
Reading readZbar(const Image& image, Symbology symbology, bool addOn = false);

}  // namespace verify

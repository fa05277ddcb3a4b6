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
// decoder enabled; EAN add-ons are left off.
Reading readZxing(const Image& image, Symbology symbology);
Reading readZbar(const Image& image, Symbology symbology);

}  // namespace verify

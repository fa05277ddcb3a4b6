#pragma once

#include <optional>
#include <string>
#include <variant>

#include "render/layout.h"
#include "symbologies/linear/linear.h"

namespace app {

struct Choice;

// What to lay out: an option of the choices table, its data and settings,
// and the X the bars' height follows.
struct SymbolRequest {
  const Choice* choice = nullptr;
  std::string data;  // UTF-8
  linear::Settings settings;
  std::string fontFamily;  // empty: the family's own (Tahoma; OCR B for EAN/UPC digits)
  // EAN/UPC: also take the data with its check digit, when that digit is right.
  bool acceptCheckDigit = false;
  double moduleMm = 0.33;
  std::optional<double> heightMm;  // of the bars; none: the standard's
};

// The family's font when none is named.
inline constexpr const char* kLinearFont = "Tahoma";

// The layout of the data as the option draws it, or why it is refused, in one
// line that names the character and its position. The font is opened only
// when there is text to draw.
std::variant<render::Layout, std::string> layoutSymbol(const SymbolRequest& request);

}  // namespace app

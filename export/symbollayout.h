#pragma once

#include <QString>
#include <variant>

#include "render/layout.h"
#include "symbologies/linear/linear.h"

namespace app {

struct Choice;

// What to lay out: an option of the choices table, its data and settings.
struct SymbolRequest {
  const Choice* choice = nullptr;
  QString data;
  linear::Settings settings;
  QString fontFamily;
  // EAN/UPC: also take the data with its check digit, when that digit is right.
  bool acceptCheckDigit = false;
};

// The layout of the data as the option draws it, or why it is refused, in one
// line that names the character and its position.
std::variant<render::Layout, QString> layoutSymbol(const SymbolRequest& request);

}  // namespace app

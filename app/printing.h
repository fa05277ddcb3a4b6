#pragma once

#include <QString>

#include "render/layout.h"

class QPrinter;

namespace app {

// Prints on one page: the module the nearest whole number of printer dots to
// moduleMm. Returns an empty string, or why it did not print.
QString print(QPrinter& printer, const render::Layout& layout, double moduleMm, bool printSpacing);

}  // namespace app

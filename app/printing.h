#pragma once

#include <QString>

#include "render/scene.h"

class QPainter;
class QPrinter;

namespace app {

// Prints the layout on one page at the printer's resolution: the output in
// whole printer dots. Returns an empty string, or why it did not print.
QString print(QPrinter& printer, const render::Layout& layout, const render::Output& output);

}  // namespace app

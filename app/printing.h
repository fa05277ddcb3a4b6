#pragma once

#include <QString>

#include "render/scene.h"

class QPainter;
class QPrinter;

namespace app {

// Draws a scene with its top-left corner at the painter's origin, in the
// painter's device units: bars as rectangles, text as the font's outlines.
void paintScene(QPainter& painter, const render::Scene& scene);

// Prints the layout on one page at the printer's resolution: the output in
// whole printer dots. Returns an empty string, or why it did not print.
QString print(QPrinter& printer, const render::Layout& layout, const render::Output& output);

}  // namespace app

#pragma once

// A scene painted with Qt: the printer, the labels' pages and previews.

#include "render/scene.h"

class QPainter;

namespace app {

// Draws a scene with its top-left corner at the painter's origin, in the
// painter's device units: bars as rectangles, text as the font's outlines.
void paintScene(QPainter& painter, const render::Scene& scene);

}  // namespace app

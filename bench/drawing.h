#pragma once

#include "app/barcodegenerator.h"
#include "bench/options.h"

namespace bench {

// For each option: our drawing without and with text next to libzint's raster
// (one pixel per module without text; its default scale with its text),
// zxing-cpp's writer to its bit matrix, and the memory floor. Each peer is
// timed only where it makes the same symbol, checked module by module first,
// or else on the same data with a note saying how it differs.
void registerDrawing(app::BarcodeGenerator& window);

// Why a ratio compares unlike symbols, or why a peer was not timed; empty when all agree.
const std::vector<std::string>& drawingNotes();

}  // namespace bench

#pragma once

// How big anything may get: the input, a picture held whole, a file of each
// format. A size beyond these is refused with the size asked and the limit
// before anything is drawn. Standard library only.

#include <cstdint>
#include <string>

#include "export/exportoptions.h"

namespace app {

// The most characters the input holds: a line edit's own default, ten times
// what the widest symbol can take, and short enough to stay quick to edit. A
// batch line longer than this is refused without being held whole.
inline constexpr int kMaxInputLength = 32767;

struct Limits {
  // Dots of a picture held whole to read a file back (--verify): 128 Mi
  // dots. A PNG or BMP file is written a row at a time and needs no such limit.
  std::int64_t filePixels = std::int64_t(1) << 27;
  // What the window draws on its own thread (export, its scan verdict, copy
  // at export size): 16 Mi dots, under a second, every symbol at 4 dots.
  std::int64_t windowPixels = std::int64_t(1) << 24;
  // BMP keeps its sizes in 32 bits, which readers (Qt's among them) take as signed.
  std::int64_t bmpBytes = 0x7fffffff;
  // PNG's width and height are 31-bit numbers.
  std::int64_t pngSide = 0x7fffffff;
  // A PDF page side, in units of 1/72 inch: what readers display.
  double pdfUnits = 14400;
};

// The limits in force: these defaults, or as BG_LIMITS sets them for tests
// ("bmp-bytes=4096,file-pixels=100000"; the keys are the fields' names).
const Limits& limits();
void setLimitsForTest(const Limits& limits);

// Where a picture is drawn, which decides its limit.
enum class DrawnFor { File, Window };

// Why the file of this plan cannot be made (the size asked and the limit, in
// one line), or "" when it can. The window also keeps its rasters small
// enough to draw at once.
std::string sizeRefusal(const render::Layout& layout, const ExportPlan& plan, DrawnFor where);

// The same for the picture a reader is given to say whether the file scans:
// the raster itself, or the vector drawing at its dots.
std::string proofRefusal(const render::Layout& layout, const ExportPlan& plan, DrawnFor where);

}  // namespace app

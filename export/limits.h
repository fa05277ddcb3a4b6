#pragma once

// How big anything may get: the input, an image, a file of each format. A
// size beyond these is refused with the size asked and the limit before any
// memory is spent on it.

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <variant>

#include "render/devices.h"

namespace app {

// The most characters the input holds: a line edit's own default, ten times
// what the widest symbol can take, and short enough to stay quick to edit. A
// batch line longer than this is refused without being held whole.
inline constexpr int kMaxInputLength = 32767;

struct Limits {
  // Dots of an image written to a file (or painted to read a file back):
  // 128 Mi dots, 7.8 m of bars at 20 dots per module and 300 dpi.
  qint64 filePixels = qint64(1) << 27;
  // What the window draws on its own thread (export, its scan verdict, copy
  // at export size): 16 Mi dots, under a second, every symbol at 4 dots.
  qint64 windowPixels = qint64(1) << 24;
  // BMP keeps its sizes in 32 bits, which readers (Qt's among them) take as signed.
  qint64 bmpBytes = 0x7fffffff;
  // PNG's width and height are 31-bit numbers.
  qint64 pngSide = 0x7fffffff;
  // A PDF page side, in units of 1/72 inch: what readers display.
  double pdfUnits = 14400;
};

// The limits in force: these defaults, or as BG_LIMITS sets them for tests
// ("bmp-bytes=4096,file-pixels=100000"; the keys are the fields' names).
const Limits& limits();
void setLimitsForTest(const Limits& limits);

// Where an image is drawn, which decides its pixel limit.
enum class DrawnFor { File, Window };

// Why a file of this format and size cannot be made (the size asked and the
// limit, in one line), or "" when it can.
QString sizeRefusal(render::Format format, const render::Layout& layout,
                    const render::Resolution& resolution, bool optimize, DrawnFor where);

// The same for the picture a reader is given to say whether the file scans:
// the raster itself, or the vector drawing painted at its dots.
QString proofRefusal(render::Format format, const render::Layout& layout,
                     const render::Resolution& resolution, bool optimize, DrawnFor where);

// The file's bytes, checked before (the limits) and after (complete, the
// size the format says), or why there are none.
std::variant<QByteArray, QString> fileBytes(render::Format format, const render::Layout& layout,
                                            const render::Resolution& resolution, bool optimize,
                                            DrawnFor where);

}  // namespace app

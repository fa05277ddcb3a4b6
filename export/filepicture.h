#pragma once

// What a scanner sees of a file, whoever wrote it: rasters from their own bytes, vector
// files drawn by renderers that share nothing with our layout (librsvg for SVG, Poppler
// for PDF, Ghostscript for EPS), at the file's resolution and with nothing added around.
// Vector files are drawn anti-aliased, so that an edge between two dots keeps its place to
// a fraction of a dot; ours put every edge on a whole dot, which stays black or white.

#include <QByteArray>
#include <QImage>
#include <QString>
#include <optional>
#include <variant>

#include "verify/image.h"

namespace app {

enum class FileKind { Raster, Svg, Pdf, Eps };

// From the bytes themselves, not the name: a file may be misnamed.
FileKind fileKindOf(const QByteArray& bytes);

// The picture as the grader takes it. A vector file is drawn at dpi; a raster keeps its
// dots and its stored resolution unless dpi is given, or 300 dpi when it stores none.
// The reason in words when there is no picture.
std::variant<verify::Image, QString> pictureOfFile(const QByteArray& bytes, std::optional<int> dpi);

// Any QImage, on white paper where it is transparent, as a 660 nm scanner sees it.
verify::Image readerImage(const QImage& image, double dotsPerMm);

}  // namespace app

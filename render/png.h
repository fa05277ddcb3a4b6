#pragma once

#include <QByteArray>
#include <QImage>

namespace render {

// A black-and-white picture (grey pixels from 128 up count as white) as a
// 1-bit PNG with its resolution (pHYs): dots as a printer prints them. Every
// row is filtered against the one above, so the rows a symbol repeats become
// zeros, and the rows are packed as runs in one fixed-Huffman deflate block
// written here: zlib cost as much as drawing the whole symbol.
QByteArray pngOfBlackAndWhite(const QImage& picture);

}  // namespace render

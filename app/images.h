#pragma once

#include <QByteArray>
#include <QImage>

namespace app {

// The image in a format Qt's image writers know ("PNG", "BMP"): what the
// window's copy and "File Save" hold.
QByteArray encodedImage(const QImage& image, const char* format);

}  // namespace app

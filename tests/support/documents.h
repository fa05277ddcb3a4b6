#pragma once

// Reads exported documents back as pictures: PNG and BMP as they are, SVG
// through QSvgRenderer, PDF through poppler's pdftoppm.

#include <QByteArray>
#include <QImage>
#include <QString>

#include "render/devices.h"

namespace testsupport {

// The document drawn at dpi dots per inch (raster formats are read as they are).
QImage picture(render::Format format, const QByteArray& bytes, int dpi);

// Runs a program; its standard output, or a null array when it failed.
QByteArray runProgram(const QString& program, const QStringList& arguments);

}  // namespace testsupport

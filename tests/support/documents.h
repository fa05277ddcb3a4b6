#pragma once

// Reads exported documents back with independent programs: PNG and BMP as
// they are (Qt's readers), SVG through QSvgRenderer, PDF through poppler's
// pdftoppm and pdfinfo, EPS through Ghostscript; zbar's zbarimg decodes.

#include <QByteArray>
#include <QImage>
#include <QString>
#include <optional>
#include <string>

#include "render/devices.h"

namespace testsupport {

// The document drawn at dpi dots per inch (raster formats are read as they are).
QImage picture(render::Format format, const QByteArray& bytes, int dpi);

// The page's size in mm as the file states it: SVG's width and height, PDF's
// MediaBox (pdfinfo), EPS's HiResBoundingBox, a raster's dots over its
// resolution (PNG pHYs, BMP pixels per metre).
struct PageMm {
  double width = 0, height = 0;
};
std::optional<PageMm> pageOf(render::Format format, const QByteArray& bytes);

// EPS's %%BoundingBox, in whole points.
std::optional<PageMm> epsBoundingBox(const QByteArray& bytes);

// What zbar reads in the picture ("EAN-13:5901234123457"), or nothing.
std::optional<std::string> zbarRead(const QImage& image);

// Runs a program; its standard output, or a null array when it failed.
QByteArray runProgram(const QString& program, const QStringList& arguments);

// A file in a temporary folder holding the bytes; for programs that read files.
class TemporaryFile {
 public:
  TemporaryFile(const QByteArray& bytes, const QString& name);
  ~TemporaryFile();
  QString path() const { return m_path; }

 private:
  QString m_folder, m_path;
};

// The bytes of a std::string document.
inline QByteArray bytesOf(const std::string& document) {
  return QByteArray(document.data(), static_cast<qsizetype>(document.size()));
}

}  // namespace testsupport

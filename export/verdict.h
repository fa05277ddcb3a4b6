#pragma once

// Whether a drawn symbol scans: an independent reader (zxing-cpp) decodes the
// raster and its text is compared with what the symbol should carry. No
// window is involved, so the window, the export dialog and the command line
// share it.
//
//   const auto carried = app::carriedText(choice, data, settings);
//   if (carried) verdict = app::scanVerdict(image, choice, *carried,
//                                           {.dotsPerModule = 3, .printSpacing = true, .data =
//                                           data});

#include <QImage>
#include <QString>
#include <optional>

#include "export/symbollayout.h"
#include "render/devices.h"
#include "symbologies/linear/linear.h"

namespace app {

struct Choice;

struct Verdict {
  bool scans = false;
  // "Scans as <symbology>: <text>" or "Does not scan: <reason>"; one line.
  QString text;
};

// What is known about how the image was drawn, for naming the reason.
struct ScanContext {
  int dotsPerModule = 1;      // 1 on screen; the export's choice otherwise
  bool printSpacing = false;  // "Optimize for Printing" was ticked
  QString data;               // the data as typed
};

// The text a reader reports for the symbol of this data: check characters
// included (Code 39, Interleaved 2 of 5 with its leading "0", EAN-13 and
// UPC-A), Codabar without its start and stop letters, letters as a reader
// reports them. Nothing when the data makes no symbol.
std::optional<QString> carriedText(const Choice& choice, const QString& data,
                                   const linear::Settings& settings);

// Decodes the image (any format, any size; a white margin is added as paper
// has) as the choice's symbology and compares the result with `carried`.
// Thread-safe: it touches no widget.
Verdict scanVerdict(const QImage& image, const Choice& choice, const QString& carried,
                    const ScanContext& known);
// The same for a symbol with an add-on or a symbology identifier to match.
Verdict scanVerdictFor(const QImage& image, const Choice& choice, const ReaderText& carried,
                       const ScanContext& known);

// Whether the request's symbol scans as drawn at an export's size. Nothing
// when the request makes no symbol.
std::optional<Verdict> exportVerdict(const QImage& drawn, const SymbolRequest& request,
                                     int dotsPerModule);

// A render picture as an 8-bit grey image, with its resolution.
QImage imageOf(const render::Picture& picture);

// The image a PNG or BMP file holds, read as any reader would read it
// whatever its size within the limits (Qt's readers alone stop at 128 MB);
// a null image when it cannot be read.
QImage imageOfFile(const QByteArray& bytes);

// For an EAN/UPC option, why this input cannot make a symbol, in words
// ("letters are not allowed in EAN-13"); for ISBN, what to type for an
// ISBN-10. Empty when the input is fine or only incomplete.
QString eanUpcGuidance(const Choice& choice, const QString& data);

// For Code 128 data that looks like GS1 element strings ("(01)" and 14
// digits): Code 128 carries the parentheses as text, so say to export it as
// GS1-128. Empty otherwise.
QString gs1Guidance(const Choice& choice, const QString& data);

// What a reader calls the choice's symbology ("EAN-13" for JAN-13 and ISBN).
QString symbologyName(const Choice& choice);

}  // namespace app

#pragma once

// Whether a drawn symbol scans: two independent readers, zxing-cpp and zbar, read the
// picture and their texts are compared with what the symbol should carry. It scans only
// when both read that. No window is involved, so the window, the export dialog and the
// command line share it.
//
//   const auto carried = app::carriedText(choice, data, settings);
//   if (carried) verdict = app::scanVerdict(screenPicture, choice, *carried,
//                                           {.printSpacing = true, .data = data});

#include <ZXing/BarcodeFormat.h>

#include <QImage>
#include <QString>
#include <optional>

#include "export/choices.h"
#include "export/symbollayout.h"
#include "render/devices.h"
#include "symbologies/linear/linear.h"
#include "verify/readers.h"
#include "verify/symbology.h"

namespace app {

// How the grader and the readers know an option's symbols: JAN-13 and ISBN are EAN-13,
// GS1-128 is Code 128 with FNC1 first.
struct ReaderSymbology {
  Symbology option;
  verify::Symbology graded;
  ZXing::BarcodeFormat zxing;
};
const ReaderSymbology& readerSymbology(Symbology option);

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

// Both readers on the picture exactly as it is; Codabar's start and stop letters, which
// zbar reports and zxing-cpp does not, are taken off.
// With addOn, an EAN/UPC add-on is required and read after a space.
struct Readings {
  verify::Reading zxing, zbar;
  bool bothRead(const QString& text) const;
};
Readings readBoth(const verify::Image& image, verify::Symbology symbology, bool addOn = false);

// Why a symbol of this data cannot be read whatever it is drawn like (an Interleaved 2 of
// 5 too short for most scanners); empty when there is no such reason.
QString refusalOf(const Choice& choice, const QString& carried);

// Why the readers that did not read `carried` failed, where that follows from the data
// and how it was drawn; empty when it is not known.
QString causeOf(const Choice& choice, const QString& carried, const ScanContext& known,
                const Readings& readings);

// Reads the window's picture (any format, any size; a white margin is added as paper
// has) as the choice's symbology with both readers and compares them with `carried`.
// Thread-safe: it touches no widget.
Verdict scanVerdict(const QImage& image, const Choice& choice, const QString& carried,
                    const ScanContext& known);
// The same for a symbol with an add-on to read.
Verdict scanVerdictFor(const QImage& image, const Choice& choice, const ReaderText& carried,
                       const ScanContext& known);

// A render picture as an 8-bit grey image, with its resolution.
QImage imageOf(const render::Picture& picture);

// Control characters (GS1-128's GS) named, so that a text stays on one line.
QString shown(const QString& text);

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

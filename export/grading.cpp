#include "export/grading.h"

#include <array>

#include "export/choices.h"
#include "export/filepicture.h"

namespace app {

namespace {

// When the file does not say, the most particular symbology first: a GS1-128 decodes as
// Code 128 too, an ITF-14 as Interleaved 2 of 5, a UPC-A as an EAN-13 with a leading 0.
constexpr std::array kSearchOrder{verify::Symbology::Gs1_128, verify::Symbology::Itf14,
                                  verify::Symbology::UpcA,    verify::Symbology::UpcE,
                                  verify::Symbology::Ean8,    verify::Symbology::Ean13,
                                  verify::Symbology::Code128, verify::Symbology::Interleaved2of5,
                                  verify::Symbology::Code39,  verify::Symbology::Codabar};

int decodedLines(const verify::Report& report) {
  int n = 0;
  for (const verify::ScanLine& line : report.lines) n += line.decoded ? 1 : 0;
  return n;
}

// The symbology most of the scan lines decode as; else the first a reader finds.
verify::Symbology symbologyOf(const verify::Image& picture) {
  verify::GradeOptions quick;
  quick.spreadSweep = false;
  verify::Symbology best = verify::Symbology::Code128;
  int bestLines = 0;
  for (const verify::Symbology candidate : kSearchOrder) {
    const int lines = decodedLines(verify::grade(picture, candidate, quick));
    if (lines > bestLines) {
      best = candidate;
      bestLines = lines;
    }
  }
  if (bestLines > 0) return best;
  for (const verify::Symbology candidate : kSearchOrder) {
    const Readings readings = readBoth(picture, candidate);
    if (readings.zxing.text || readings.zbar.text) return candidate;
  }
  return best;
}

bool checksPass(const verify::Report& report) {
  for (const verify::Check& check : report.checks)
    if (!check.pass) return false;
  return !report.checks.empty();
}

}  // namespace

std::optional<char> gradeNamed(const QString& text) {
  const QString letter = text.trimmed().toUpper();
  if (letter.size() != 1 || !QStringLiteral("ABCDF").contains(letter[0])) return std::nullopt;
  return static_cast<char>(letter[0].unicode());
}

std::variant<FileGrade, QString> gradeFile(const QByteArray& bytes, const GradeRequest& request) {
  const auto picture = pictureOfFile(bytes, request.dpi);
  if (const auto* why = std::get_if<QString>(&picture)) return *why;
  const verify::Image& image = std::get<verify::Image>(picture);

  const verify::Symbology symbology =
      request.choice ? readerSymbology(request.choice->id).graded : symbologyOf(image);
  verify::GradeOptions options;
  options.xMm = request.xMm;
  options.requiredGrade = request.minGrade;
  FileGrade out;
  out.report = verify::grade(image, symbology, options);
  out.readings = readBoth(image, symbology, request.addOn);

  verify::Expected expected;
  QString refusal;
  bool readersPass = false;
  if (request.expected) {
    expected.text = request.expected->toStdString();
    readersPass = out.readings.bothRead(*request.expected);
    if (request.choice) {
      refusal = refusalOf(*request.choice, *request.expected);
      expected.cause =
          causeOf(*request.choice, *request.expected, request.known, out.readings).toStdString();
    }
  } else {
    readersPass = out.readings.zxing.text && out.readings.zxing.text == out.readings.zbar.text;
  }
  out.passes = readersPass && refusal.isEmpty() && out.report.why.empty() &&
               checksPass(out.report) &&
               out.report.grade + 1e-9 >= verify::gradeFloor(request.minGrade);

  expected.shownLength = request.shownLength;
  // Control characters (GS1-128's GS) named, so that the line stays one line.
  const auto visible = [](std::optional<std::string> text) {
    if (text) *text = shown(QString::fromStdString(*text)).toStdString();
    return text;
  };
  expected.text = visible(expected.text);
  const verify::Reading zxing{visible(out.readings.zxing.text), out.readings.zxing.why};
  const verify::Reading zbar{visible(out.readings.zbar.text), out.readings.zbar.why};
  out.line = QString::fromStdString(verify::summaryLine(out.report, zxing, zbar, expected));
  if (!refusal.isEmpty()) out.line += QStringLiteral("; ") + refusal;
  return out;
}

std::variant<FileGrade, QString> gradeExport(const QByteArray& bytes, const SymbolRequest& symbol,
                                             const render::Resolution& resolution, char minGrade,
                                             std::size_t shownLength) {
  const Choice& choice = *symbol.choice;
  GradeRequest request;
  request.choice = &choice;
  const auto carried = readerText(symbol);
  if (carried) {
    request.expected = carried->text;
    request.addOn = carried->addOn;
  }
  request.known = {.dotsPerModule = resolution.dots,
                   .printSpacing = symbol.settings.printSpacing != 0,
                   .data = symbol.data};
  request.dpi = resolution.dpi;
  request.xMm = resolution.moduleMm();
  request.minGrade = minGrade;
  request.shownLength = shownLength;
  return gradeFile(bytes, request);
}

}  // namespace app

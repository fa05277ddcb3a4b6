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

// A picture turned clockwise by degrees (0, 90, 180, 270), turned back.
verify::Image upright(const verify::Image& image, int degrees) {
  const int turns = ((degrees / 90) % 4 + 4) % 4;
  if (turns == 0) return image;
  verify::Image out;
  out.dotsPerMm = image.dotsPerMm;
  out.width = turns == 2 ? image.width : image.height;
  out.height = turns == 2 ? image.height : image.width;
  out.reflectance.resize(image.reflectance.size());
  for (int y = 0; y < out.height; ++y)
    for (int x = 0; x < out.width; ++x) {
      // Where the upright picture's dot (x, y) lies in the turned one.
      const int sx = turns == 1 ? image.width - 1 - y : turns == 2 ? image.width - 1 - x : y;
      const int sy = turns == 1 ? x : turns == 2 ? image.height - 1 - y : image.height - 1 - x;
      out.reflectance[static_cast<std::size_t>(y) * out.width + x] = image.at(sx, sy);
    }
  return out;
}

bool checksPass(const verify::Report& report) {
  for (const verify::Check& check : report.checks)
    if (!check.pass) return false;
  return !report.checks.empty();
}

}  // namespace

std::variant<FileGrade, QString> gradeFile(const QByteArray& bytes, const GradeRequest& request) {
  const auto picture = pictureOfFile(bytes, request.dpi);
  if (const auto* why = std::get_if<QString>(&picture)) return *why;
  return gradePicture(std::get<verify::Image>(picture), request);
}

FileGrade gradePicture(const verify::Image& drawn, const GradeRequest& request, int rotation) {
  const verify::Image image = upright(drawn, rotation);
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

GradeRequest exportGradeRequest(const SymbolRequest& symbol, int dotsPerModule, int dpi, double xMm,
                                char minGrade, std::size_t shownLength) {
  GradeRequest request;
  request.choice = symbol.choice;
  if (const auto carried = readerText(symbol)) {
    request.expected = QString::fromStdString(carried->text);
    request.addOn = carried->addOn;
  }
  request.known = {.dotsPerModule = dotsPerModule,
                   .printSpacing = symbol.settings.printSpacing != 0,
                   .data = QString::fromStdString(symbol.data)};
  request.dpi = dpi;
  request.xMm = xMm;
  request.minGrade = minGrade;
  request.shownLength = shownLength;
  return request;
}

std::variant<FileGrade, QString> gradeExport(const QByteArray& bytes, const SymbolRequest& symbol,
                                             const ExportPlan& plan, char minGrade,
                                             std::size_t shownLength) {
  const int dpi = plan.output.dpi;
  const int dots =
      plan.module.dots > 0 ? plan.module.dots : static_cast<int>(plan.module.mm * dpi / 25.4 + 0.5);
  const GradeRequest request =
      exportGradeRequest(symbol, dots, dpi, plan.module.mm, minGrade, shownLength);
  const auto picture = pictureOfFile(bytes, request.dpi);
  if (const auto* why = std::get_if<QString>(&picture)) return *why;
  // Graded upright: a scanner turns the page, the grader need not.
  return gradePicture(std::get<verify::Image>(picture), request, plan.output.style.rotation);
}

}  // namespace app

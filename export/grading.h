#pragma once

// The grade of a written file: the print-quality grader on the picture the file makes,
// the physical checks, and both readers. What --verify, --grade, the export dialog and
// the batch say.

#include <QByteArray>
#include <QString>
#include <optional>
#include <variant>

#include "export/exportoptions.h"
#include "export/symbollayout.h"
#include "export/verdict.h"
#include "verify/grade.h"
#include "verify/image.h"

namespace app {

struct GradeRequest {
  const Choice* choice = nullptr;   // null: the symbology is the one the picture decodes as
  std::optional<QString> expected;  // what both readers must report; none: what they agree on
  bool addOn = false;               // EAN/UPC: expected has an add-on after a space
  ScanContext known;                // how it was drawn, for naming a cause
  std::optional<int> dpi;           // vector files, and rasters that store no resolution
  double xMm = 0;                   // nominal X; 0: as measured
  char minGrade = 'C';
  std::size_t shownLength = 0;  // longer texts are cut in the line; 0: never
};

struct FileGrade {
  verify::Report report;
  Readings readings;
  bool passes = false;  // readers, physical checks and the grade all pass
  QString line;         // "grade A (3.8) at X 0.339 mm, …; zxing-cpp and zbar read …"
};

// The file's bytes graded, or why no picture could be made of them.
std::variant<FileGrade, QString> gradeFile(const QByteArray& bytes, const GradeRequest& request);
// A picture graded; turned by rotation degrees counter-clockwise first.
FileGrade gradePicture(const verify::Image& picture, const GradeRequest& request, int rotation = 0);

// What grading a symbol of ours asks: what it carries, how it was drawn, its X.
GradeRequest exportGradeRequest(const SymbolRequest& symbol, int dotsPerModule, int dpi, double xMm,
                                char minGrade = 'C', std::size_t shownLength = 0);

// An export's own bytes, graded upright at its resolution and X with what it carries.
std::variant<FileGrade, QString> gradeExport(const QByteArray& bytes, const SymbolRequest& symbol,
                                             const ExportPlan& plan, char minGrade = 'C',
                                             std::size_t shownLength = 0);

}  // namespace app

#include "cli/gradefile.h"

#include <QFile>
#include <QTextStream>

#include "cli/exitstatus.h"
#include "export/grading.h"
#include "export/symbollayout.h"

namespace cli {

int runGrade(const GradeArguments& arguments, QTextStream& out, QTextStream& err) {
  QFile file(arguments.file);
  if (!file.open(QIODevice::ReadOnly)) {
    err << "barcode-generator: " << arguments.file << " cannot be read: " << file.errorString()
        << "\n";
    return kNotWritten;
  }
  app::GradeRequest request;
  request.choice = arguments.choice;
  request.dpi = arguments.dpi;
  request.minGrade = arguments.minGrade;
  if (arguments.data) {
    // Typed data becomes what its symbol carries (check digits, add-on and all); data that
    // makes no symbol of the type is taken as the text itself.
    const auto carried = arguments.choice
                             ? app::readerText(app::requestFor(*arguments.choice, *arguments.data,
                                                               arguments.options))
                             : std::nullopt;
    request.expected = carried ? carried->text : *arguments.data;
    request.addOn = carried && carried->addOn;
  }
  const auto graded = app::gradeFile(file.readAll(), request);
  if (const auto* why = std::get_if<QString>(&graded)) {
    err << "barcode-generator: " << arguments.file << ": " << *why << "\n";
    return kNotWritten;
  }
  const app::FileGrade& grade = std::get<app::FileGrade>(graded);
  const std::string_view name = verify::rulesFor(grade.report.symbology).name;
  out << arguments.file << ": "
      << QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())) << "\n"
      << QString::fromStdString(verify::lineTable(grade.report)) << grade.line << "\n";
  return grade.passes ? kWritten : kDoesNotScan;
}

}  // namespace cli

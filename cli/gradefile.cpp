#include "cli/gradefile.h"

#include <QFile>
#include <QTextStream>

#include "cli/exitstatus.h"
#include "export/grading.h"
#include "export/names.h"
#include "export/symbollayout.h"

namespace cli {

int runGrade(const GradeArguments& arguments, QTextStream& out, QTextStream& err) {
  // Named as given: a path's bytes need not be text.
  QFile file(QFile::decodeName(QByteArray::fromStdString(arguments.file)));
  const QString shownName = app::oneLine(app::fromNativeBytes(QByteArrayView(arguments.file)));
  if (!file.open(QIODevice::ReadOnly)) {
    err << "barcode-generator: " << shownName << " cannot be read: " << file.errorString() << "\n";
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
    request.expected = QString::fromStdString(carried ? carried->text : *arguments.data);
    request.addOn = carried && carried->addOn;
  }
  const auto graded = app::gradeFile(file.readAll(), request);
  if (const auto* why = std::get_if<QString>(&graded)) {
    err << "barcode-generator: " << shownName << ": " << app::oneLine(*why) << "\n";
    return kNotWritten;
  }
  const app::FileGrade& grade = std::get<app::FileGrade>(graded);
  const std::string_view name = verify::rulesFor(grade.report.symbology).name;
  out << shownName << ": " << QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()))
      << "\n"
      << QString::fromStdString(verify::lineTable(grade.report))
      << QString::fromStdString(verify::checkTable(grade.report)) << grade.line << "\n";
  return grade.passes ? kWritten : kDoesNotScan;
}

}  // namespace cli

#include "cli/full.h"

#include <QFile>
#include <QGuiApplication>
#include <QString>
#include <QTextStream>

#include "cli/gradefile.h"
#include "cli/labelscommand.h"
#include "export/batch.h"
#include "export/grading.h"
#include "export/interruption.h"
#include "export/names.h"
#include "export/qtfonts.h"

namespace cli {

namespace {

int batch(const BatchArguments& arguments) {
  QTextStream err(stderr);
  const app::BatchRequest request{
      .list = QByteArray::fromStdString(arguments.list),
      .folder = QByteArray::fromStdString(arguments.folder),
      .choice = arguments.choice,
      .options = arguments.options,
      .nameTemplate = app::fromNativeBytes(QByteArrayView(arguments.nameTemplate)),
      .jobs = arguments.jobs,
      .interruption = arguments.interruption,
      .verify = arguments.verify,
      .minGrade = arguments.minGrade};
  switch (app::runBatch(request, err)) {
    case app::BatchResult::AllWritten:
      return kWritten;
    case app::BatchResult::SomeRefused:
      return kRefused;
    case app::BatchResult::BadRequest:
      return kUsageError;
    case app::BatchResult::Interrupted:
      return arguments.interruption->exitStatus();
    case app::BatchResult::SomeDoNotPass:
      return kDoesNotScan;
    case app::BatchResult::NotWritten:
      break;
  }
  return kNotWritten;
}

Verified verify(const Written& written) {
  // The file as written, graded upright: a reader turns the page, the grade need not.
  QFile file(QFile::decodeName(QByteArray::fromStdString(written.path)));
  if (!file.open(QIODevice::ReadOnly)) return {.line = file.errorString().toStdString()};
  const auto graded =
      app::gradeExport(file.readAll(), written.request, written.plan, written.minGrade);
  if (const auto* why = std::get_if<QString>(&graded)) return {.line = why->toStdString()};
  const app::FileGrade& grade = std::get<app::FileGrade>(graded);
  return {.graded = true, .passes = grade.passes, .line = grade.line.toStdString()};
}

int grade(const GradeArguments& arguments) {
  QTextStream out(stdout);
  QTextStream err(stderr);
  return runGrade(arguments, out, err);
}

int labels(const Arguments& arguments, const app::ExportOptions& options, const app::Choice* choice,
           const std::function<int(const std::string&)>& usageError) {
  // The labels' text lines are Qt's text: its font database needs the
  // application, on the offscreen platform, which needs no display.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // Without a desktop session Qt warns about its runtime folder, which the
  // command line never uses; standard error is kept for our own messages.
  if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
    static const QtMessageHandler qtHandler = qInstallMessageHandler(nullptr);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context,
                              const QString& text) {
      if (type == QtWarningMsg && text.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR")))
        return;
      qtHandler(type, context, text);
    });
  }
  static char name[] = "barcode-generator";
  static char* names[] = {name, nullptr};
  int count = 1;
  const QGuiApplication application(count, names);
  app::loadFallbackFonts();
  QTextStream out(stdout);
  QTextStream err(stderr);
  return runLabels(arguments, options, choice, out, err, [&](const QString& message) {
    err.flush();
    return usageError(message.toStdString());
  });
}

}  // namespace

const FullProgram& fullProgram() {
  static const FullProgram program{batch, verify, grade, labels};
  return program;
}

}  // namespace cli

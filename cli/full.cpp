#include "cli/full.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QString>
#include <QTextStream>
#include <QTransform>

#include "cli/labelscommand.h"
#include "export/batch.h"
#include "export/interruption.h"
#include "export/names.h"
#include "export/qtfonts.h"
#include "export/verdict.h"

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
      .interruption = arguments.interruption};
  switch (app::runBatch(request, err)) {
    case app::BatchResult::AllWritten:
      return kWritten;
    case app::BatchResult::SomeRefused:
      return kRefused;
    case app::BatchResult::BadRequest:
      return kUsageError;
    case app::BatchResult::Interrupted:
      return arguments.interruption->exitStatus();
    case app::BatchResult::NotWritten:
      break;
  }
  return kNotWritten;
}

std::string verify(const Written& written) {
  // A raster is read back from the file; a vector file as it draws at the
  // dpi. Read upright: a reader turns the page, the verdict need not.
  const render::Output& output = written.plan.output;
  QImage drawn;
  if (render::isRaster(output.format)) {
    QFile file(QFile::decodeName(QByteArray::fromStdString(written.path)));
    if (file.open(QIODevice::ReadOnly)) drawn = app::imageOfFile(file.readAll());
    if (!drawn.isNull() && output.style.rotation != 0)
      drawn = drawn.transformed(QTransform().rotate(-output.style.rotation));
  } else {
    render::Output upright = output;
    upright.style.rotation = 0;
    drawn = app::imageOf(render::picture(*written.layout, upright));
  }
  if (drawn.isNull()) return "written but could not be read back to check it: not enough memory";
  const int dots = written.plan.module.dots > 0
                       ? written.plan.module.dots
                       : static_cast<int>(written.plan.module.mm * output.dpi / 25.4 + 0.5);
  const auto verdict = app::exportVerdict(drawn, written.request, dots);
  if (verdict && verdict->scans) return {};
  return (verdict ? verdict->text : QStringLiteral("Does not scan")).toStdString();
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
  static const FullProgram program{batch, verify, labels};
  return program;
}

}  // namespace cli

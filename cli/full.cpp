#include "cli/full.h"

#include <QImage>
#include <QString>
#include <QTextStream>

#include "export/batch.h"
#include "export/verdict.h"

namespace cli {

namespace {

int batch(const BatchArguments& arguments) {
  QTextStream err(stderr);
  const app::BatchRequest request{.list = QString::fromStdString(arguments.list),
                                  .folder = QString::fromStdString(arguments.folder),
                                  .choice = arguments.choice,
                                  .options = arguments.options,
                                  .nameTemplate = QString::fromStdString(arguments.nameTemplate),
                                  .jobs = arguments.jobs};
  switch (app::runBatch(request, err)) {
    case app::BatchResult::AllWritten:
      return kWritten;
    case app::BatchResult::SomeRefused:
      return kRefused;
    case app::BatchResult::BadRequest:
      return kUsageError;
    case app::BatchResult::NotWritten:
      break;
  }
  return kNotWritten;
}

std::string verify(const Written& written) {
  // A raster is read back from the file; a vector file as it paints at the dpi.
  const render::Output& output = written.plan.output;
  const QImage drawn = render::isRaster(output.format)
                           ? QImage(QString::fromStdString(written.path))
                           : app::imageOf(render::picture(*written.layout, output));
  const int dots = written.plan.module.dots > 0
                       ? written.plan.module.dots
                       : static_cast<int>(written.plan.module.mm * output.dpi / 25.4 + 0.5);
  const auto verdict =
      app::exportVerdict(drawn, *written.choice, QString::fromStdString(written.request.data),
                         written.request.settings, dots);
  if (verdict && verdict->scans) return {};
  return (verdict ? verdict->text : QStringLiteral("Does not scan")).toStdString();
}

}  // namespace

const FullProgram& fullProgram() {
  static const FullProgram program{batch, verify};
  return program;
}

}  // namespace cli

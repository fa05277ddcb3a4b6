#include "cli/labelscommand.h"

#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <array>
#include <cmath>

#include "cli/exitstatus.h"
#include "export/choices.h"
#include "export/labels/labeljob.h"
#include "export/labels/messages.h"
#include "export/names.h"

namespace cli {

namespace {

QString name(const char* option) { return QString::fromLatin1(option); }

std::optional<double> number(const QString& text, double low, double high) {
  bool ok = false;
  const double value = text.trimmed().toDouble(&ok);
  if (!ok || !std::isfinite(value) || value < low || value > high) return std::nullopt;
  return value;
}

std::optional<int> whole(const QString& text, int low, int high) {
  bool ok = false;
  const int value = text.trimmed().toInt(&ok);
  if (!ok || value < low || value > high) return std::nullopt;
  return value;
}

QString mm(double value) { return QString::number(value, 'f', 2); }

void printTemplates(QTextStream& out) {
  out << QStringLiteral("%1 %2 %3 %4 %5 %6 %7\n")
             .arg(QStringLiteral("template"), -23)
             .arg(QStringLiteral("page mm"), -16)
             .arg(QStringLiteral("grid"), -6)
             .arg(QStringLiteral("label mm"), -14)
             .arg(QStringLiteral("pitch mm"), -14)
             .arg(QStringLiteral("margins mm"), -12)
             .arg(QStringLiteral("codes"));
  for (const labels::Template& row : labels::kTemplates) {
    const labels::Sheet& s = row.sheet;
    out << QStringLiteral("%1 %2 %3 %4 %5 %6 %7\n")
               .arg(QString::fromLatin1(row.name.data(), static_cast<qsizetype>(row.name.size())),
                    -23)
               .arg(mm(s.pageWidth) + QStringLiteral(" x ") + mm(s.pageHeight), -16)
               .arg(QStringLiteral("%1x%2").arg(s.columns).arg(s.rows), -6)
               .arg(mm(s.labelWidth) + QStringLiteral("x") + mm(s.labelHeight), -14)
               .arg(mm(s.pitchX) + QStringLiteral("x") + mm(s.pitchY), -14)
               .arg(mm(s.left) + QStringLiteral(",") + mm(s.top), -12)
               .arg(
                   QString::fromLatin1(row.codes.data(), static_cast<qsizetype>(row.codes.size())));
  }
}

}  // namespace

int runLabels(const Arguments& arguments, const app::ExportOptions& options,
              const app::Choice* choice, QTextStream& out, QTextStream& err,
              const std::function<int(const QString&)>& usageError) {
  const auto is = [&arguments](const char* option) { return arguments.isSet(option); };
  // Paths and text as the system's bytes: a name that is not UTF-8 is kept.
  const auto value = [&arguments](const char* option) {
    return app::fromNativeBytes(QByteArrayView(arguments.value(option)));
  };
  if (is("templates")) {
    printTemplates(out);
    return kWritten;
  }
  for (const char* batchOnly : {"format", "name", "jobs"})
    if (is(batchOnly))
      return usageError(
          QStringLiteral("--%1 belongs to a batch of files, not to labels").arg(name(batchOnly)));

  labels::LabelJob job;
  if (is("labels") == is("sheet"))
    return usageError(QStringLiteral("give either --labels TEMPLATE or --sheet SHEET"));
  if (is("labels")) {
    const labels::Template* row = labels::findTemplate(value("labels").trimmed().toStdString());
    if (!row)
      return usageError(
          QStringLiteral("unknown template \"%1\"; --templates lists them").arg(value("labels")));
    job.sheet = row->sheet;
  } else {
    const auto sheet = labels::parseSheet(value("sheet").toStdString());
    if (const auto* error = std::get_if<labels::SheetError>(&sheet))
      return usageError(labels::describe(*error));
    job.sheet = std::get<labels::Sheet>(sheet);
  }

  if (!is("output")) return usageError(QStringLiteral("--output is missing"));
  const QString file = value("output");
  if (QFileInfo(file).suffix().toLower() != QLatin1String("pdf"))
    return usageError(QStringLiteral("labels are written as PDF: the output file ends in .pdf"));

  const int sources = (is("data") ? 1 : 0) + (is("sequence") ? 1 : 0) + (is("batch") ? 1 : 0);
  if (sources != 1) return usageError(QStringLiteral("give one of --data, --sequence or --batch"));
  if (!choice && !is("batch")) return usageError(QStringLiteral("--type is missing"));
  if (is("column") && !(is("batch") && choice))
    return usageError(QStringLiteral("--column goes with --batch and --type"));
  if (choice)
    if (const std::string problem = app::checkOptionsFor(*choice, options); !problem.empty())
      return usageError(QString::fromStdString(problem));

  job.content.choice = choice;
  job.content.options = options;
  for (const auto& [option, lines] :
       {std::pair{"text-above", &job.content.above}, {"text-below", &job.content.below}})
    for (const std::string& line : arguments.all(option))
      *lines << app::fromNativeBytes(QByteArrayView(line));
  if (job.content.above.size() + job.content.below.size() > labels::kMaxLines)
    return usageError(QStringLiteral("at most %1 text lines go on a label").arg(labels::kMaxLines));
  if (is("text-size")) {
    const auto points = number(value("text-size"), 2, 72);
    if (!points) return usageError(QStringLiteral("--text-size is a size in points, 2 to 72"));
    job.content.textPoints = *points;
  }
  if (is("label-margin")) {
    const auto margin = number(value("label-margin"), 0, 50);
    if (!margin) return usageError(QStringLiteral("--label-margin is 0 to 50 mm"));
    job.content.marginMm = *margin;
  }
  if (is("copies")) {
    const auto copies = whole(value("copies"), 1, 100000);
    if (!copies) return usageError(QStringLiteral("--copies is a number from 1 to 100000"));
    job.copies = *copies;
  }
  if (is("start")) {
    const auto start = whole(value("start"), 1, job.sheet.perPage());
    if (!start)
      return usageError(QStringLiteral("--start is a label's position on the sheet, 1 to %1")
                            .arg(job.sheet.perPage()));
    job.start = *start;
  }
  if (is("offset")) {
    const QStringList parts = value("offset").split(QLatin1Char(','));
    const auto x = parts.size() == 2 ? number(parts[0], -50, 50) : std::nullopt;
    const auto y = parts.size() == 2 ? number(parts[1], -50, 50) : std::nullopt;
    if (!x || !y) return usageError(QStringLiteral("--offset is X,Y in mm, each -50 to 50"));
    job.offsetX = *x;
    job.offsetY = *y;
  }
  int column = 0;
  if (is("column")) {
    const auto n = whole(value("column"), 1, 1000);
    if (!n) return usageError(QStringLiteral("--column is a field's number, from 1"));
    column = *n;
  }

  QFile list;
  std::unique_ptr<labels::RecordSource> source;
  if (is("data")) {
    source = labels::singleRecord(choice, value("data"));
  } else if (is("sequence")) {
    const auto sequence = labels::parseSequence(value("sequence").toStdString());
    if (const auto* error = std::get_if<labels::SequenceError>(&sequence))
      return usageError(labels::describe(*error));
    source = labels::sequenceRecords(choice, std::get<labels::Sequence>(sequence));
  } else {
    const bool standardInput = value("batch") == QLatin1String("-");
    if (!(standardInput ? list.open(stdin, QIODevice::ReadOnly)
                        : (list.setFileName(value("batch")), list.open(QIODevice::ReadOnly))))
      return usageError(
          QStringLiteral("%1 cannot be read: %2").arg(value("batch"), list.errorString()));
    source = labels::listRecords(list, choice, column);
  }

  const labels::PdfOutcome outcome = labels::writeLabelsPdf(file, job, *source, is("verify"));
  if (!outcome.run.refusal.isEmpty()) {
    err << "barcode-generator: " << outcome.run.refusal << "\n";
    return kRefused;
  }
  if (!outcome.notWritten.isEmpty()) {
    err << "barcode-generator: " << file << " was not written: " << outcome.notWritten << "\n";
    return kNotWritten;
  }
  if (outcome.faultCount > 0) {
    for (const QString& fault : outcome.faults) err << "barcode-generator: " << fault << "\n";
    if (outcome.faultCount > outcome.faults.size())
      err << "barcode-generator: and " << outcome.faultCount - outcome.faults.size() << " more\n";
    err << "barcode-generator: " << file << ": " << outcome.faultCount << " of "
        << outcome.run.labels << " labels do not scan\n";
    return kDoesNotScan;
  }
  // The symbols are drawn at the printer's dots: X snapped to them.
  const app::ModuleSize module = app::moduleSize(options);
  out << file << ": " << outcome.run.pages << (outcome.run.pages == 1 ? " page, " : " pages, ")
      << outcome.run.labels << (outcome.run.labels == 1 ? " label, " : " labels, ")
      << labels::describeSheet(job.sheet) << ", X = " << QString::number(module.mm, 'f', 3)
      << " mm (" << module.dots << " dots at " << options.resolution.dpi << " dpi)\n";
  return kWritten;
}

}  // namespace cli

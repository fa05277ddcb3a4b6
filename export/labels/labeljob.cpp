#include "export/labels/labeljob.h"

#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QIODevice>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "export/choices.h"
#include "export/filepicture.h"
#include "export/grading.h"
#include "export/labels/fields.h"
#include "export/labels/messages.h"
#include "export/labels/pdfpages.h"
#include "export/listlines.h"
#include "export/product.h"
#include "export/qtpaint.h"
#include "export/qtwriter.h"
#include "export/symbollayout.h"
#include "export/verdict.h"
#include "render/devices.h"

namespace labels {

namespace {

constexpr int kMaxFaultsKept = 100;

class SingleRecord : public RecordSource {
 public:
  SingleRecord(const app::Choice* choice, const QString& data) : m_choice(choice), m_data(data) {}
  bool next(Record& record) override {
    if (m_done) return false;
    m_done = true;
    record = {m_choice, m_data, 1, {m_data}, false, {}};
    return true;
  }

 private:
  const app::Choice* m_choice;
  QString m_data;
  bool m_done = false;
};

class SequenceRecords : public RecordSource {
 public:
  SequenceRecords(const app::Choice* choice, const Sequence& sequence)
      : m_choice(choice), m_sequence(sequence) {}
  bool next(Record& record) override {
    if (m_next >= m_sequence.count()) return false;
    const QString data = QString::fromStdString(m_sequence.at(m_next++));
    record = {m_choice, data, m_next, {data}, false, {}};
    return true;
  }

 private:
  const app::Choice* m_choice;
  Sequence m_sequence;
  long long m_next = 0;
};

class ListRecords : public RecordSource {
 public:
  ListRecords(QIODevice& list, const app::Choice* choice, int column)
      : m_list(list), m_choice(choice), m_column(column) {}
  bool next(Record& record) override {
    QString text;
    if (!app::nextListLine(m_list, m_line, text)) return false;
    record = {m_choice, text, m_line, {text}, true, {}};
    if (m_choice && m_column == 0) return true;
    const std::optional<QStringList> fields = app::splitCsvLine(text);
    if (!fields) {
      record.refusal = QStringLiteral(
          "not a line of CSV (a quote is not closed or stands inside "
          "a field)");
      return true;
    }
    record.columns = *fields;
    if (m_choice) {
      if (m_column > fields->size())
        record.refusal =
            QStringLiteral("no column %1: the line has %2").arg(m_column).arg(fields->size());
      else
        record.data = fields->at(m_column - 1);
      return true;
    }
    if (fields->size() < 2) {
      record.refusal = QStringLiteral("expected at least two fields, type,data");
      return true;
    }
    const QString type = fields->at(0).trimmed().toLower();
    record.choice = app::choiceByKey(type.toStdString());
    record.data = fields->at(1);
    if (!record.choice) record.refusal = QStringLiteral("unknown type \"%1\"").arg(fields->at(0));
    return true;
  }

 private:
  QIODevice& m_list;
  const app::Choice* m_choice;
  int m_column;
  qint64 m_line = 0;
};

// Text measured once per family at a large size, without hinting, and
// scaled: the same on every device.
struct TextMeasure {
  static constexpr int kReference = 200;
  explicit TextMeasure(const QString& family) : font(family), metrics(prepared(font)) {}
  static const QFont& prepared(QFont& font) {
    font.setPixelSize(kReference);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
  }
  QFont font;
  QFontMetricsF metrics;
};

const TextMeasure& measureOf(const QString& family) {
  thread_local QHash<QString, std::shared_ptr<const TextMeasure>> known;
  if (const auto found = known.constFind(family); found != known.constEnd()) return **found;
  if (known.size() > 16) known.clear();
  return **known.insert(family, std::make_shared<const TextMeasure>(family));
}

std::string utf8(const QString& text) { return text.toStdString(); }

QStringList filled(const QStringList& lines, const Record& record, long long number) {
  std::vector<std::string> columns;
  columns.reserve(static_cast<std::size_t>(record.columns.size()));
  for (const QString& column : record.columns) columns.push_back(utf8(column));
  const std::string data = utf8(record.data);
  QStringList out;
  for (const QString& line : lines)
    out << QString::fromStdString(expandFields(
        utf8(line), {.data = data, .line = record.line, .number = number, .columns = columns}));
  return out;
}

// The options for a symbol drawn in whole dots at dpi: X kept in mm, snapped to them.
app::ExportOptions optionsAt(const app::ExportOptions& options, int dpi) {
  app::ExportOptions at = options;
  at.format = render::Format::Png;
  if (dpi != options.resolution.dpi) {
    at.moduleMm = app::moduleSize(at).mm;
    at.resolution.dpi = dpi;
  }
  return at;
}

// The lines' font: the label font, Tahoma when none is named.
QString lineFamily(const app::ExportOptions& options) {
  return options.fontFamily.empty() ? QStringLiteral("Tahoma")
                                    : QString::fromStdString(options.fontFamily);
}

// The label's place on the page, in dots.
QRectF labelRect(const LabelJob& job, const Slot& slot, int dpi) {
  const Box box = labelBox(job.sheet, slot.row, slot.column);
  const double dots = dpi / 25.4;
  return {(box.x + job.offsetX) * dots, (box.y + job.offsetY) * dots, box.width * dots,
          box.height * dots};
}

QFont lineFont(const QString& family, double pixels, const QPaintDevice* device) {
  QFont font(family);
  font.setPointSizeF(pixels * 72.0 / device->logicalDpiY());
  return font;
}

// Lays a record out for its label, or says why it cannot go on one.
std::optional<QString> lay(const LabelJob& job, const Record& record, long long number, int dpi,
                           LabelDrawing& drawing) {
  if (!record.refusal.isEmpty()) return record.refusal;
  const LabelContent& content = job.content;
  if (const std::string problem = app::checkOptionsFor(*record.choice, content.options);
      !problem.empty())
    return QString::fromStdString(problem);
  const app::ExportOptions options = optionsAt(content.options, dpi);
  const auto layout =
      app::layoutSymbol(app::requestFor(*record.choice, record.data.toStdString(), options));
  if (const auto* refused = std::get_if<std::string>(&layout))
    return QString::fromStdString(*refused);
  drawing.layout = std::get<render::Layout>(layout);
  const app::ExportPlan plan = app::planExport(options, drawing.layout);
  const int dots = plan.module.dots;
  drawing.output = plan.output;
  const render::PageSize symbol = render::pageSize(drawing.layout, drawing.output);
  drawing.symbolWidth = symbol.width;
  drawing.symbolHeight = symbol.height;

  const QString family = lineFamily(content.options);
  const TextMeasure& measure = measureOf(family);
  const double ratio = content.textPoints * dpi / 72.0 / TextMeasure::kReference;
  drawing.fontFamily = family;
  drawing.fontPixels = content.textPoints * dpi / 72.0;
  drawing.ascent = measure.metrics.ascent() * ratio;
  drawing.lineHeight = (measure.metrics.ascent() + measure.metrics.descent()) * ratio;
  drawing.above = filled(content.above, record, number);
  drawing.below = filled(content.below, record, number);
  drawing.width = drawing.symbolWidth;
  for (const auto& [lines, widths] : {std::pair{&drawing.above, &drawing.aboveWidths},
                                      std::pair{&drawing.below, &drawing.belowWidths}}) {
    widths->clear();
    for (const QString& line : *lines) {
      widths->push_back(measure.metrics.horizontalAdvance(line) * ratio);
      drawing.width = std::max(drawing.width, widths->back());
    }
  }
  drawing.height =
      drawing.symbolHeight +
      static_cast<double>(drawing.above.size() + drawing.below.size()) * drawing.lineHeight;

  const double dotsPerMm = dpi / 25.4;
  const double room = 2 * content.marginMm * dotsPerMm;
  constexpr double kSlack = 1e-6;
  if (drawing.width > job.sheet.labelWidth * dotsPerMm - room + kSlack ||
      drawing.height > job.sheet.labelHeight * dotsPerMm - room + kSlack)
    return describe(TooLarge{.data = record.data,
                             .widthMm = drawing.width / dotsPerMm,
                             .heightMm = drawing.height / dotsPerMm,
                             .labelWidth = job.sheet.labelWidth,
                             .labelHeight = job.sheet.labelHeight,
                             .marginMm = content.marginMm,
                             .moduleMm = dots * 25.4 / dpi});
  return std::nullopt;
}

void paintLabel(QPainter& painter, const PlacedLabel& label, const QRectF& box) {
  const LabelDrawing& d = label.drawing;
  const double centre = box.center().x();
  double top = box.top() + (box.height() - d.height) / 2;
  const QFont font = lineFont(d.fontFamily, d.fontPixels, painter.device());
  const auto lines = [&](const QStringList& texts, const std::vector<double>& widths) {
    if (texts.isEmpty()) return;
    painter.setFont(font);
    painter.setPen(Qt::black);
    for (qsizetype i = 0; i < texts.size(); ++i) {
      painter.drawText(QPointF(centre - widths[static_cast<std::size_t>(i)] / 2, top + d.ascent),
                       texts[i]);
      top += d.lineHeight;
    }
  };
  lines(d.above, d.aboveWidths);
  // The symbol on whole dots, as the printer makes them.
  const double x = std::round(centre - d.symbolWidth / 2);
  const double y = std::round(top);
  painter.save();
  painter.translate(x, y);
  app::paintScene(painter, render::makeScene(d.layout, d.output, 1, 0));
  painter.restore();
  top += d.symbolHeight;
  lines(d.below, d.belowWidths);
}

}  // namespace

std::unique_ptr<RecordSource> singleRecord(const app::Choice* choice, const QString& data) {
  return std::make_unique<SingleRecord>(choice, data);
}

std::unique_ptr<RecordSource> sequenceRecords(const app::Choice* choice, const Sequence& sequence) {
  return std::make_unique<SequenceRecords>(choice, sequence);
}

std::unique_ptr<RecordSource> listRecords(QIODevice& list, const app::Choice* choice, int column) {
  return std::make_unique<ListRecords>(list, choice, column);
}

RunOutcome runLabels(const LabelJob& job, RecordSource& source, int dpi, const PageSink& page,
                     long long pageLimit) {
  RunOutcome outcome;
  std::vector<PlacedLabel> labels;
  labels.reserve(static_cast<std::size_t>(job.sheet.perPage()));
  long long currentPage = 0;
  const auto flush = [&] {
    if (labels.empty()) return true;
    ++outcome.pages;
    const bool goOn = page(labels);
    labels.clear();
    return goOn && (pageLimit == 0 || outcome.pages < pageLimit);
  };
  Record record;
  while (source.next(record)) {
    for (int copy = 0; copy < job.copies; ++copy) {
      const long long number = outcome.labels + 1;
      const Slot slot = slotOf(job.sheet, outcome.labels, job.start);
      if (slot.page != currentPage) {
        currentPage = slot.page;
        if (!flush()) return outcome;
      }
      PlacedLabel placed{slot, number, record, {}};
      if (const auto refused = lay(job, record, number, dpi, placed.drawing)) {
        outcome.refusal =
            recordName(record.fromList, record.fromList ? record.line : number) + ": " + *refused;
        return outcome;
      }
      labels.push_back(std::move(placed));
      ++outcome.labels;
    }
  }
  flush();
  return outcome;
}

void paintPage(QPainter& painter, const LabelJob& job, std::span<const PlacedLabel> page, int dpi) {
  for (const PlacedLabel& label : page) paintLabel(painter, label, labelRect(job, label.slot, dpi));
}

QImage paintedLabel(const LabelJob& job, const PlacedLabel& label, int dpi) {
  const QRectF box = labelRect(job, label.slot, dpi);
  QImage image(static_cast<int>(std::ceil(box.width())), static_cast<int>(std::ceil(box.height())),
               QImage::Format_RGB32);
  const int dotsPerMetre = static_cast<int>(std::lround(dpi / 0.0254));
  image.setDotsPerMeterX(dotsPerMetre);
  image.setDotsPerMeterY(dotsPerMetre);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.translate(-box.topLeft());
  paintLabel(painter, label, box);
  return image;
}

std::optional<QString> labelFault(const LabelJob& job, const PlacedLabel& label, int dpi) {
  const app::Choice& choice = *label.record.choice;
  const app::SymbolRequest request =
      app::requestFor(choice, label.record.data.toStdString(), job.content.options);
  // Graded as --verify grades an export: the label as printed, read by both
  // readers, with the physical checks.
  const app::ModuleSize module = app::moduleSize(optionsAt(job.content.options, dpi));
  const app::FileGrade grade =
      app::gradePicture(app::readerImage(paintedLabel(job, label, dpi), dpi / 25.4),
                        app::exportGradeRequest(request, module.dots, dpi, module.mm),
                        job.content.options.style.rotation);
  if (grade.passes) return std::nullopt;
  return grade.line;
}

QImage firstPage(const LabelJob& job, RecordSource& source, int dpi, QString& problem,
                 double scale) {
  const double dots = dpi / 25.4 * scale;
  QImage image(static_cast<int>(std::ceil(job.sheet.pageWidth * dots)),
               static_cast<int>(std::ceil(job.sheet.pageHeight * dots)), QImage::Format_RGB32);
  if (image.isNull()) return image;
  const int dotsPerMetre = static_cast<int>(std::lround(dpi / 0.0254));
  image.setDotsPerMeterX(dotsPerMetre);
  image.setDotsPerMeterY(dotsPerMetre);
  image.fill(Qt::white);
  QPainter painter(&image);
  if (scale != 1) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
  }
  const RunOutcome outcome = runLabels(
      job, source, dpi,
      [&](std::span<const PlacedLabel> page) {
        paintPage(painter, job, page, dpi);
        return true;
      },
      1);
  problem = outcome.refusal;
  return image;
}

PdfOutcome writeLabelsPdf(const QString& path, const LabelJob& job, RecordSource& source,
                          bool verify) {
  PdfOutcome outcome;
  const int dpi = job.content.options.resolution.dpi;
  bool refused = false;
  const QString problem = app::writeStreamed(path, [&](int fd) -> QString {
    QFile file;
    if (!file.open(fd, QIODevice::WriteOnly, QFileDevice::DontCloseHandle))
      return file.errorString();
    PdfPages pdf(file, dpi, QString::fromLatin1(app::kAppTitle));
    QPainter painter;
    outcome.run = runLabels(job, source, dpi, [&](std::span<const PlacedLabel> page) {
      pdf.newPage(job.sheet.pageWidth, job.sheet.pageHeight);
      if (!painter.isActive()) painter.begin(&pdf);
      paintPage(painter, job, page, dpi);
      if (verify)
        for (const PlacedLabel& label : page)
          if (const auto fault = labelFault(job, label, dpi)) {
            if (++outcome.faultCount <= kMaxFaultsKept)
              outcome.faults << QStringLiteral("page %1, row %2, column %3 (%4): %5")
                                    .arg(label.slot.page + 1)
                                    .arg(label.slot.row + 1)
                                    .arg(label.slot.column + 1)
                                    .arg(label.record.data, *fault);
          }
      return pdf.errorString().isEmpty();
    });
    if (painter.isActive()) painter.end();
    if (!outcome.run.refusal.isEmpty()) {
      refused = true;
      return outcome.run.refusal;
    }
    if (outcome.run.labels == 0) {
      refused = true;
      return outcome.run.refusal = QStringLiteral("no labels: the data has no records");
    }
    if (!pdf.finish()) return pdf.errorString();
    if (!file.flush()) return file.errorString();
    return {};
  });
  if (!refused) outcome.notWritten = problem;
  return outcome;
}

}  // namespace labels

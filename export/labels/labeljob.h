#pragma once

// A run of labels: records from the current data, a sequence or a list,
// each laid out as an export lays its symbol out, placed on the sheets and
// painted page by page on any painter (a PDF, a printer, a preview). Pages
// are made one at a time, so nothing grows with the number of labels.

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "export/exportoptions.h"
#include "export/labels/sequence.h"
#include "export/labels/sheets.h"
#include "render/layout.h"

class QImage;
class QIODevice;
class QPainter;

namespace app {
struct Choice;
}

namespace labels {

inline constexpr int kMaxLines = 3;  // text lines on a label, above and below together
inline constexpr double kDefaultTextPoints = 8;
inline constexpr double kDefaultMarginMm = 1;

// What goes on every label.
struct LabelContent {
  const app::Choice* choice = nullptr;  // null: each record names its type
  app::ExportOptions options;           // X, resolution, label, check, optimize, font
  QStringList above, below;             // text lines with fields, see fields.h
  double textPoints = kDefaultTextPoints;
  double marginMm = kDefaultMarginMm;  // kept free all round the label
};

// One record of the data; it makes `copies` labels.
struct Record {
  const app::Choice* choice = nullptr;
  QString data;
  qint64 line = 0;        // {line}: its line in a list, or its number
  QStringList columns;    // {1}, {2}, ...
  bool fromList = false;  // messages name it by its line
  QString refusal;        // why it cannot be read, or ""
};

class RecordSource {
 public:
  virtual ~RecordSource() = default;
  virtual bool next(Record& record) = 0;  // false at the end
};

// The current data, once (copies repeat it).
std::unique_ptr<RecordSource> singleRecord(const app::Choice* choice, const QString& data);
std::unique_ptr<RecordSource> sequenceRecords(const app::Choice* choice, const Sequence& sequence);
// The lines of a list as the batch reads them. With a choice and column 0
// each line is the data as it stands; with a column N it is CSV and field N
// is the data. Without a choice each line is CSV: type,data,...
std::unique_ptr<RecordSource> listRecords(QIODevice& list, const app::Choice* choice, int column);

struct LabelJob {
  Sheet sheet;
  LabelContent content;
  int start = 1;                    // the first label's position on the first sheet, from 1
  int copies = 1;                   // labels per record
  double offsetX = 0, offsetY = 0;  // mm, for a printer that shifts the page
};

// A label laid out at a resolution, in its dots.
struct LabelDrawing {
  render::Layout layout;
  render::Output output;  // the symbol in whole dots at the label's resolution
  double symbolWidth = 0, symbolHeight = 0;
  QStringList above, below;  // the text lines, fields filled in
  std::vector<double> aboveWidths, belowWidths;
  QString fontFamily;  // of the lines
  double fontPixels = 0, lineHeight = 0, ascent = 0;
  double width = 0, height = 0;  // the symbol and its lines together
};

struct PlacedLabel {
  Slot slot;
  long long number = 0;  // {n}
  Record record;
  LabelDrawing drawing;
};

// What a run did. A refused record stops it: a sheet is printed whole or not at all.
struct RunOutcome {
  long long labels = 0;
  long long pages = 0;
  QString refusal;  // one line naming the record, or ""
};

// Lays the records out at dpi and hands each page's labels to `page`, in
// order, until it returns false or pageLimit pages (0: all) are done.
using PageSink = std::function<bool(std::span<const PlacedLabel>)>;
RunOutcome runLabels(const LabelJob& job, RecordSource& source, int dpi, const PageSink& page,
                     long long pageLimit = 0);

// Paints a page's labels. The painter's units are dots at dpi, and its
// device's logical resolution is dpi too (text sizes follow it).
void paintPage(QPainter& painter, const LabelJob& job, std::span<const PlacedLabel> page, int dpi);

// The label's box as painted on its page, alone, for a reader.
QImage paintedLabel(const LabelJob& job, const PlacedLabel& label, int dpi);

// Why the label would not pass at the printer, or nothing. Every label's
// check goes through here.
std::optional<QString> labelFault(const LabelJob& job, const PlacedLabel& label, int dpi);

// The first page as it prints at dpi, drawn `scale` times that size (a
// preview); problem says why it stopped, or is "".
QImage firstPage(const LabelJob& job, RecordSource& source, int dpi, QString& problem,
                 double scale = 1);

struct PdfOutcome {
  RunOutcome run;
  QString notWritten;  // why the file was not written, or ""
  QStringList faults;  // with verify: "page P, row R, column C (data): why"
  long long faultCount = 0;
};

// Writes the labels as a PDF at the options' resolution, atomically; with
// verify, every label is read back as it was painted.
PdfOutcome writeLabelsPdf(const QString& path, const LabelJob& job, RecordSource& source,
                          bool verify);

}  // namespace labels

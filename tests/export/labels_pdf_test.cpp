// Labels written by the program itself and read back by others: pdfinfo for
// pages and their sizes, pdftoppm at 300 dpi and zxing-cpp for every label,
// pdftotext for the text lines; the label boxes come from the sheets' table.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cmath>

#include "export/labels/pdfpages.h"
#include "export/labels/sheets.h"
#include "tests/support/documents.h"
#include "tests/support/pixels.h"
#include "tests/support/scan.h"

namespace {

using testsupport::Format;

constexpr int kDpi = 300;
constexpr double kPointsPerMm = 72 / 25.4;

struct Outcome {
  int status = -1;
  QString out, err;
};

Outcome run(const QStringList& arguments) {
  QProcess process;
  process.start(QStringLiteral(BG_PROGRAM), arguments);
  if (!process.waitForFinished(120000)) return {};
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
          QString::fromUtf8(process.readAllStandardOutput()),
          QString::fromUtf8(process.readAllStandardError())};
}

struct PdfInfo {
  int pages = 0;
  double width = 0, height = 0;  // points
};
PdfInfo pdfInfo(const QString& file) {
  const QString text =
      QString::fromUtf8(testsupport::runProgram(QStringLiteral("pdfinfo"), {file}));
  PdfInfo info;
  const auto pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(text);
  const auto size =
      QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+) pts")).match(text);
  if (pages.hasMatch()) info.pages = pages.captured(1).toInt();
  if (size.hasMatch()) {
    info.width = size.captured(1).toDouble();
    info.height = size.captured(2).toDouble();
  }
  return info;
}

QImage page(const QString& file, int number, int dpi = kDpi) {
  QTemporaryDir dir;
  const QString prefix = QDir(dir.path()).filePath(QStringLiteral("page"));
  testsupport::runProgram(QStringLiteral("pdftoppm"),
                          {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"),
                           QString::number(number), QStringLiteral("-l"), QString::number(number),
                           QStringLiteral("-png"), QStringLiteral("-singlefile"), file, prefix});
  return QImage(prefix + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

QString pdfText(const QString& file) {
  return QString::fromUtf8(
      testsupport::runProgram(QStringLiteral("pdftotext"), {file, QStringLiteral("-")}));
}

// A label's box on a page rendered at dpi, from the sheet's table.
QRect cell(const labels::Sheet& sheet, int row, int column, int dpi = kDpi) {
  const labels::Box box = labels::labelBox(sheet, row, column);
  const double dots = dpi / 25.4;
  return QRectF(box.x * dots, box.y * dots, box.width * dots, box.height * dots).toRect();
}

// The dark pixels' bounds inside a part of an image, in the image's pixels.
QRectF darkBounds(const QImage& image, const QRect& part) {
  int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
  for (int y = part.top(); y <= part.bottom() && y < image.height(); ++y)
    for (int x = part.left(); x <= part.right() && x < image.width(); ++x)
      if (testsupport::isDark(image.pixel(x, y))) {
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
  if (right < 0) return {};
  return QRectF(left, top, right - left + 1, bottom - top + 1);
}

double mmOf(double pixels, int dpi = kDpi) { return pixels * 25.4 / dpi; }

struct Job {
  const char* name;
  QStringList arguments;  // OUT is the PDF
  const char* sheet;      // the template whose geometry the pages follow
  int pages;
  double widthPt, heightPt;  // the paper, published: A4 and Letter in points, a roll's mm
};
const double kA4[] = {210 * kPointsPerMm, 297 * kPointsPerMm};
const double kLetter[] = {612, 792};
const Job kJobs[] = {
    {"500 tags on A4 3 x 7: 24 sheets",
     {"--labels", "a4-3x7-63.5x38.1", "--sequence", "ASSET-{0001..0500}"},
     "L7160",
     24,
     kA4[0],
     kA4[1]},
    {"Letter 3 x 10 by product code, 3 copies of 20 records",
     {"--labels", "5160", "--sequence", "{1001..1020}", "--copies", "3", "--module", "0.25"},
     "5160",
     2,
     kLetter[0],
     kLetter[1]},
    {"a partly used sheet: 5 labels from position 20 spill onto a second sheet",
     {"--labels", "L7160", "--sequence", "{1..5}", "--start", "20"},
     "L7160",
     2,
     kA4[0],
     kA4[1]},
    {"a 62 x 29 mm roll at 203 dpi: one label a page",
     {"--labels", "roll-62x29", "--sequence", "R{1..4}", "--dpi", "203", "--module", "0.25"},
     "roll-62x29",
     4,
     62 * kPointsPerMm,
     29 * kPointsPerMm},
    {"a 4 x 6 inch roll at 600 dpi",
     {"--labels", "roll-4x6in", "--data", "SHIP-1", "--copies", "2", "--dpi", "600"},
     "roll-4x6in",
     2,
     288,
     432},
    {"a sheet typed out",
     {"--sheet", "A4 3x7 63.5x38.1 pitch 66x38.1 margins 7.25,15.15", "--data", "S1"},
     "L7160",
     1,
     kA4[0],
     kA4[1]},
};

TEST(LabelPdf, PagesAndTheirSizes) {
  QTemporaryDir dir;
  for (const Job& job : kJobs) {
    const QString file = dir.filePath(QStringLiteral("labels.pdf"));
    const Outcome result =
        run(QStringList(job.arguments) << QStringLiteral("--type") << QStringLiteral("code128")
                                       << QStringLiteral("--output") << file);
    ASSERT_EQ(result.status, 0) << job.name << ": " << qPrintable(result.err);
    const PdfInfo info = pdfInfo(file);
    EXPECT_EQ(info.pages, job.pages) << job.name;
    EXPECT_NEAR(info.width, job.widthPt, 0.01) << job.name;
    EXPECT_NEAR(info.height, job.heightPt, 0.01) << job.name;
  }
}

// Every label of every page decodes to its data, its symbol centred on the
// label's box within 0.2 mm, starting at the position asked for.
struct Placement {
  const char* name;
  QStringList arguments;
  const char* sheet;
  int start;
  int labels;
  QString (*data)(int);  // of label i, from 0
  double offsetX = 0, offsetY = 0;
};
const Placement kPlacements[] = {
    {"42 tags fill two A4 sheets of 3 x 7",
     {"--labels", "a4-3x7-63.5x38.1", "--sequence", "ASSET-{0001..0042}"},
     "L7160",
     1,
     42,
     [](int i) { return QStringLiteral("ASSET-%1").arg(i + 1, 4, 10, QLatin1Char('0')); }},
    {"65 a sheet on 5 x 13 mini labels, from position 61",
     {"--labels", "L7651", "--sequence", "{10..15}", "--module", "0.19"},
     "L7651",
     61,
     6,
     [](int i) { return QString::number(10 + i); }},
    {"80 a sheet on Letter 4 x 20, narrow X",
     {"--labels", "letter-4x20-1.75x0.5in", "--sequence", "{1..9}", "--module", "0.17"},
     "5167",
     1,
     9,
     [](int i) { return QString::number(1 + i); }},
    {"a printer that shifts: everything 2 mm right, 1.5 mm down",
     {"--labels", "L7163", "--sequence", "OFF{1..3}", "--offset", "2,1.5"},
     "L7163",
     1,
     3,
     [](int i) { return QStringLiteral("OFF%1").arg(i + 1); },
     2,
     1.5},
};

TEST(LabelPdf, EveryLabelDecodesCentredOnItsBox) {
  QTemporaryDir dir;
  for (const Placement& job : kPlacements) {
    const QString file = dir.filePath(QStringLiteral("labels.pdf"));
    const Outcome result =
        run(QStringList(job.arguments)
            << QStringLiteral("--start") << QString::number(job.start) << QStringLiteral("--type")
            << QStringLiteral("code128") << QStringLiteral("--no-label")
            << QStringLiteral("--output") << file);
    ASSERT_EQ(result.status, 0) << job.name << ": " << qPrintable(result.err);
    const labels::Sheet& sheet = labels::findTemplate(job.sheet)->sheet;
    const double offX = job.offsetX * kDpi / 25.4, offY = job.offsetY * kDpi / 25.4;
    QImage picture;
    int shown = -1;
    const int total = job.start - 1 + job.labels;
    for (int position = 0; position < total; ++position) {
      const int pageNumber = position / sheet.perPage();
      if (pageNumber != shown) picture = page(file, (shown = pageNumber) + 1);
      const int inPage = position % sheet.perPage();
      const QRect box = cell(sheet, inPage / sheet.columns, inPage % sheet.columns)
                            .translated(qRound(offX), qRound(offY));
      const QImage label = picture.copy(box);
      const std::string where = std::string(job.name) + ", position " + std::to_string(position);
      if (position < job.start - 1) {
        EXPECT_TRUE(testsupport::isBlank(label)) << where << ": before the start";
        continue;
      }
      const QString data = job.data(position - (job.start - 1));
      EXPECT_EQ(testsupport::scan(label, Format::Code128), data.toStdString()) << where;
      const QRectF bars = darkBounds(picture, box);
      ASSERT_FALSE(bars.isNull()) << where;
      const QPointF centre = QRectF(box).center();
      EXPECT_LE(std::abs(mmOf(bars.center().x() - centre.x())), 0.2) << where;
      EXPECT_LE(std::abs(mmOf(bars.center().y() - centre.y())), 0.2) << where;
    }
  }
}

// A label printer's module is whole printer dots: 0.33 mm is 3 dots at 203
// dpi (0.375 mm) and 8 at 600; the narrowest bar rendered at the printer's
// resolution is exactly that wide.
TEST(LabelPdf, ModuleSnapsToThePrintersDots) {
  QTemporaryDir dir;
  for (const auto& [dpi, dots] : {std::pair{203, 3}, std::pair{300, 4}, std::pair{600, 8}}) {
    const QString file = dir.filePath(QStringLiteral("roll.pdf"));
    const Outcome result =
        run({QStringLiteral("--labels"), QStringLiteral("roll-62x29"), QStringLiteral("--type"),
             QStringLiteral("code128"), QStringLiteral("--data"), QStringLiteral("12345678"),
             QStringLiteral("--no-label"), QStringLiteral("--module"), QStringLiteral("0.33"),
             QStringLiteral("--dpi"), QString::number(dpi), QStringLiteral("--output"), file});
    ASSERT_EQ(result.status, 0) << qPrintable(result.err);
    const QImage picture = page(file, 1, dpi);
    const std::vector<int> dark = testsupport::darkColumns(picture, picture.height() / 2);
    ASSERT_FALSE(dark.empty()) << dpi;
    int narrowest = INT_MAX, run = 1;
    for (std::size_t i = 1; i <= dark.size(); ++i) {
      if (i < dark.size() && dark[i] == dark[i - 1] + 1) {
        ++run;
        continue;
      }
      narrowest = std::min(narrowest, run);
      run = 1;
    }
    EXPECT_EQ(narrowest, dots) << dpi << " dpi";
    EXPECT_EQ(testsupport::scan(picture, Format::Code128), "12345678") << dpi << " dpi";
  }
}

// The text lines carry their fields, above or below the symbol as asked.
TEST(LabelPdf, TextLinesRenderTheirFields) {
  QTemporaryDir dir;
  const QString list = dir.filePath(QStringLiteral("parts.csv"));
  QFile csv(list);
  ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
  csv.write("P-100,\"Bolts, M6\",Shelf 4\nP-200,Nuts,Shelf 9\n");
  csv.close();
  const QString file = dir.filePath(QStringLiteral("parts.pdf"));
  const Outcome result = run(
      {QStringLiteral("--labels"), QStringLiteral("L7160"), QStringLiteral("--type"),
       QStringLiteral("code128"), QStringLiteral("--batch"), list, QStringLiteral("--column"),
       QStringLiteral("1"), QStringLiteral("--copies"), QStringLiteral("2"),
       QStringLiteral("--text-above"), QStringLiteral("{2} @ {3}"), QStringLiteral("--text-below"),
       QStringLiteral("line {line}, label {n}"), QStringLiteral("--output"), file});
  ASSERT_EQ(result.status, 0) << qPrintable(result.err);
  const QString text = pdfText(file);
  for (const char* line : {"Bolts, M6 @ Shelf 4", "line 1, label 1", "line 1, label 2",
                           "Nuts @ Shelf 9", "line 2, label 3", "line 2, label 4"})
    EXPECT_TRUE(text.contains(QString::fromUtf8(line))) << line << " in:\n" << qPrintable(text);

  // Drawn, not only searchable: ink above and below the bars of the first label.
  const labels::Sheet& sheet = labels::findTemplate("L7160")->sheet;
  const QImage picture = page(file, 1);
  const QRect box = cell(sheet, 0, 0);
  EXPECT_EQ(testsupport::scan(picture.copy(box), Format::Code128), "P-100");
  int firstInk = -1, lastInk = -1, widest = 0, widestRow = -1;
  for (int y = box.top(); y <= box.bottom(); ++y) {
    const QImage row = picture.copy(box.left(), y, box.width(), 1);
    const int dark = static_cast<int>(testsupport::darkColumns(row, 0).size());
    if (dark > 0 && firstInk < 0) firstInk = y;
    if (dark > 0) lastInk = y;
    if (dark > widest) widest = dark, widestRow = y;
  }
  // The bars' rows hold the most ink; text lies on both sides of them.
  EXPECT_LT(firstInk, widestRow - 15);
  EXPECT_GT(lastInk, widestRow + 30);
}

struct Refusal {
  const char* name;
  QStringList arguments;
  int status;
  const char* says;
};
const Refusal kRefusals[] = {
    {"an unknown template",
     {"--labels", "L9999", "--type", "code128", "--data", "A"},
     2,
     "unknown template \"L9999\""},
    {"a symbol too large for the label names both sizes",
     {"--labels", "L7651", "--type", "code128", "--data", "ABCDEFGHIJKLMNOP"},
     1,
     "label 1: \"ABCDEFGHIJKLMNOP\" needs"},
    {"the label's size in the same line",
     {"--labels", "L7651", "--type", "code128", "--data", "ABCDEFGHIJKLMNOP"},
     1,
     "the label is 38.1 x 21.2 mm, 36.1 x 19.2 mm inside its 1 mm margins"},
    {"a sequence with a bad range",
     {"--labels", "L7160", "--type", "code128", "--sequence", "A{1..z}"},
     2,
     "\"z\" is not a whole number"},
    {"a sequence with a zero step",
     {"--labels", "L7160", "--type", "code128", "--sequence", "{1..9..0}"},
     2,
     "a step of 0"},
    {"data the symbology refuses names its record",
     {"--labels", "L7160", "--type", "code39", "--sequence", "a#{1..3}"},
     1,
     "label 1: # is Invalid at position 2"},
    {"a position beyond the sheet",
     {"--labels", "L7160", "--type", "code128", "--data", "A", "--start", "22"},
     2,
     "1 to 21"},
    {"four text lines",
     {"--labels", "L7160", "--type", "code128", "--data", "A", "--text-above", "1", "--text-above",
      "2", "--text-below", "3", "--text-below", "4"},
     2,
     "at most 3 text lines"},
    {"a typed sheet wider than its page",
     {"--sheet", "A4 4x7 63.5x38.1 pitch 66x38.1 margins 7.25,15.15", "--type", "code128", "--data",
      "A"},
     2,
     "reach 268.75 mm across; the page is 210 mm wide"},
    {"two sources",
     {"--labels", "L7160", "--type", "code128", "--data", "A", "--sequence", "{1..2}"},
     2,
     "one of --data, --sequence or --batch"},
    {"a label option without labels",
     {"--type", "code128", "--data", "A", "--copies", "2"},
     2,
     "--copies belongs to --labels"},
    {"--verify names the label that does not scan",
     {"--labels", "L7160", "--type", "i2of5", "--sequence", "{1..2}", "--start", "5", "--verify"},
     4,
     "page 1, row 2, column 2 (1): grade A (4.0)"},
    {"--verify holds EAN-13 to GS1's bar height",
     {"--labels", "L7160", "--type", "ean13", "--data", "590123412345", "--height", "15",
      "--verify"},
     4,
     "bar height 15.1 mm below the minimum 23.5 mm"},
};

TEST(LabelPdf, RefusalsSayWhyInOneLine) {
  QTemporaryDir dir;
  for (const Refusal& row : kRefusals) {
    const QString file = dir.filePath(QStringLiteral("refused.pdf"));
    QFile::remove(file);
    const Outcome result = run(QStringList(row.arguments) << QStringLiteral("--output") << file);
    EXPECT_EQ(result.status, row.status) << row.name << ": " << qPrintable(result.err);
    EXPECT_TRUE(result.err.section(QLatin1Char('\n'), 0, 0).contains(QString::fromUtf8(row.says)))
        << row.name << ": " << qPrintable(result.err);
    // Refused: nothing written. Not scanning: written, and said.
    EXPECT_EQ(QFile::exists(file), row.status == 4) << row.name;
  }
}

TEST(LabelPdf, VerifyPassesLabelsThatScan) {
  QTemporaryDir dir;
  const Outcome result =
      run({QStringLiteral("--labels"), QStringLiteral("L7160"), QStringLiteral("--type"),
           QStringLiteral("code128"), QStringLiteral("--sequence"),
           QStringLiteral("590123412{340..364}"), QStringLiteral("--verify"),
           QStringLiteral("--output"), dir.filePath(QStringLiteral("tags.pdf"))});
  EXPECT_EQ(result.status, 0) << qPrintable(result.err);
  EXPECT_TRUE(result.out.contains(QStringLiteral("2 pages, 25 labels"))) << qPrintable(result.out);
}

// The page device alone: a page of exact size, a rectangle where it was
// painted to the dot, and text that a reader finds.
TEST(LabelPdf, PagesDevicePaintsExactly) {
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("device.pdf"));
  {
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    labels::PdfPages pdf(out, 254, QStringLiteral("test"));  // 10 dots a mm
    pdf.newPage(100.3, 50.7);
    QPainter painter(&pdf);
    painter.fillRect(QRectF(100, 100, 200, 50), Qt::black);  // 10 to 30 mm across, 10 to 15 down
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(12);
    painter.setFont(font);
    painter.drawText(QPointF(100, 400), QStringLiteral("Ünïcode & (text)"));
    pdf.newPage(20, 20);
    painter.end();
    ASSERT_TRUE(pdf.finish()) << qPrintable(pdf.errorString());
  }
  const PdfInfo info = pdfInfo(file);
  EXPECT_EQ(info.pages, 2);
  EXPECT_NEAR(info.width, 100.3 * kPointsPerMm, 0.01);
  EXPECT_NEAR(info.height, 50.7 * kPointsPerMm, 0.01);
  const QImage picture = page(file, 1, 254);
  EXPECT_EQ(darkBounds(picture, QRect(0, 0, 1000, 300)), QRectF(100, 100, 200, 50));
  EXPECT_TRUE(pdfText(file).contains(QStringLiteral("Ünïcode & (text)")));
  EXPECT_FALSE(darkBounds(picture, QRect(90, 300, 900, 120)).isNull()) << "the text is drawn";
}

}  // namespace

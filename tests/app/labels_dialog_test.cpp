// "Labels…" in the window: the command, the dialog's preview and messages,
// and printing, read back from the printer's own PDF by poppler and zxing-cpp.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

#include "app/labelsdialog.h"
#include "export/choices.h"
#include "tests/support/documents.h"
#include "tests/support/keys.h"
#include "tests/support/scan.h"
#include "tests/support/window.h"

namespace {

const app::Choice& code128() { return app::choiceOf(app::Symbology::Code128); }

TEST(LabelsCommand, OpensTheDialogOnTheWindowsSymbol) {
  testsupport::Window w;
  w.choose(code128());
  w.type(QStringLiteral("BOX-42"));
  QString seen;
  QTimer::singleShot(0, [&seen] {
    auto* dialog = qobject_cast<app::LabelsDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    seen = dialog->findChild<QRadioButton*>(QStringLiteral("fromData"))->text() + QLatin1Char('|') +
           dialog->statusText();
    dialog->reject();
  });
  w.ui().labelsAction->trigger();
  EXPECT_EQ(seen.toStdString(),
            std::string("The &current data: BOX-42|A4, 3 x 7 of 63.5 x 38.1 mm; X = "
                        "0.339 mm (4 dots at 300 dpi)"));
}

struct Shown {
  const char* name;
  const char* pattern;
  const char* line;
  const char* status;  // how the status line starts
  bool preview;        // a page is shown (empty where a label is refused)
};
const Shown kShown[] = {
    {"a sequence fits", "ASSET-{0001..0500}", "Tag {n}", "A4, 3 x 7 of 63.5 x 38.1 mm", true},
    {"a bad range is named", "ASSET-{0001..x}", "", "\"x\" is not a whole number", false},
    {"too wide for the label: both sizes", "ASSET-ABCDEFGHIJKLMNOPQRSTU-{1..2}", "",
     "label 1: \"ASSET-ABCDEFGHIJKLMNOPQRSTU-1\" needs", true},
};

TEST(LabelsDialog, EveryAltKeyReachesOneField) {
  app::LabelsDialog dialog(code128(), QStringLiteral("X"), {}, QDir::tempPath());
  const QStringList problems = testsupport::altKeyProblems(dialog);
  EXPECT_TRUE(problems.isEmpty()) << qPrintable(problems.join(QStringLiteral("; ")));
}

TEST(LabelsDialog, PreviewAndStatusFollowTheControls) {
  for (const Shown& row : kShown) {
    app::LabelsDialog dialog(code128(), QStringLiteral("X"), {}, QDir::tempPath());
    dialog.findChild<QRadioButton*>(QStringLiteral("fromSequence"))->setChecked(true);
    dialog.findChild<QLineEdit*>(QStringLiteral("pattern"))
        ->setText(QString::fromUtf8(row.pattern));
    dialog.findChild<QLineEdit*>(QStringLiteral("line1"))->setText(QString::fromUtf8(row.line));
    dialog.updatePreview();
    EXPECT_TRUE(dialog.statusText().startsWith(QString::fromUtf8(row.status)))
        << row.name << ": " << qPrintable(dialog.statusText());
    const QLabel* preview = dialog.findChild<QLabel*>(QStringLiteral("preview"));
    EXPECT_EQ(!preview->pixmap().isNull(), row.preview) << row.name;
  }
}

struct Printed {
  const char* name;
  const char* sheet;
  const char* pattern;
  int pages;
  double widthPt, heightPt;
};
const Printed kPrinted[] = {
    {"A4 3 x 7: 25 labels on 2 pages", "L7160", "P{101..125}", 2, 595.276, 841.89},
    {"a 62 x 29 mm roll: a page a label", "roll-62x29", "R{1..3}", 3, 175.748, 82.205},
};

// Through Qt's print path at the printer's resolution, into the printer's own PDF.
TEST(LabelsPrinting, EveryPageAtTheSheetsSizeAndEveryLabelReads) {
  QTemporaryDir dir;
  for (const Printed& row : kPrinted) {
    labels::LabelJob job;
    job.sheet = labels::findTemplate(row.sheet)->sheet;
    job.content.choice = &code128();
    job.content.options.resolution = {2, 300};
    const auto sequence = labels::parseSequence(row.pattern);
    const auto records = labels::sequenceRecords(&code128(), std::get<labels::Sequence>(sequence));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString file = dir.filePath(QStringLiteral("printed.pdf"));
    printer.setOutputFileName(file);
    ASSERT_EQ(app::printLabels(printer, job, *records), QString()) << row.name;
    const QString info =
        QString::fromUtf8(testsupport::runProgram(QStringLiteral("pdfinfo"), {file}));
    EXPECT_TRUE(info.contains(QStringLiteral("Pages:           %1\n").arg(row.pages)))
        << row.name << "\n"
        << qPrintable(info);
    // Qt's own PDF writer keeps whole points.
    EXPECT_TRUE(info.contains(QStringLiteral("Page size:       %1 x %2 pts")
                                  .arg(qRound(row.widthPt))
                                  .arg(qRound(row.heightPt))))
        << row.name << "\n"
        << qPrintable(info);
    const QImage first = testsupport::picture(
        render::Format::Pdf,
        [&] {
          QFile in(file);
          in.open(QIODevice::ReadOnly);
          return in.readAll();
        }(),
        300);
    const labels::Box box = labels::labelBox(job.sheet, 0, 0);
    const double dots = 300 / 25.4;
    const QImage label = first.copy(
        QRectF(box.x * dots, box.y * dots, box.width * dots, box.height * dots).toRect());
    const std::string expected = std::get<labels::Sequence>(sequence).at(0);
    EXPECT_EQ(testsupport::scan(label, testsupport::Format::Code128), expected) << row.name;
  }
}

}  // namespace

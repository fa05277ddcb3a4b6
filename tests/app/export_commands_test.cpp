// The picture's context menu: Export, Print and Copy at Export Size, their
// keys, their refusals, the dialog, and what they write.
#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>

#include "app/exportdialog.h"
#include "export/choices.h"
#include "export/limits.h"
#include "export/symbollayout.h"
#include "tests/support/documents.h"
#include "tests/support/keys.h"
#include "tests/support/pixels.h"
#include "tests/support/scan.h"
#include "tests/support/window.h"

namespace {

using testsupport::Format;

const QString kNoSave =
    QStringLiteral("There is no barcode to save: the data typed does not make a complete barcode.");
const QString kNoCopy =
    QStringLiteral("There is no barcode to copy: the data typed does not make a complete barcode.");
const QString kTypeFirst = QStringLiteral("Please Type the Barcode Data First");

// The window's boxes with the label only.
constexpr linear::Settings kPlainBoxes{.printSpacing = 0, .label = 1, .checkCharacter = 0};

app::ExportDialog::LayoutMaker makerFor(const char* key, const char* data) {
  return [key, data](const app::ExportOptions& options) {
    return app::layoutSymbol(app::requestFor(*app::choiceByKey(key), data, options));
  };
}

TEST(ExportCommands, MenuCaptionsAndKeys) {
  testsupport::Window w;
  struct Row {
    QAction* app::Controls::*action;
    const char* caption;
    QKeySequence keys;
  };
  const Row rows[] = {
      {&app::Controls::exportAction, "Export…", QKeySequence(QStringLiteral("Ctrl+E"))},
      {&app::Controls::printAction, "Print…", QKeySequence(QStringLiteral("Ctrl+P"))},
      {&app::Controls::copyExportAction, "Copy at Export Size",
       QKeySequence(QStringLiteral("Ctrl+Shift+C"))},
      {&app::Controls::labelsAction, "Labels…", QKeySequence(QStringLiteral("Ctrl+L"))},
  };
  const QList<QAction*> menu = w.ui().pictureMenu->actions();
  ASSERT_EQ(menu.size(), 4);
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    QAction* action = w.ui().*rows[i].action;
    EXPECT_EQ(menu[static_cast<qsizetype>(i)], action);
    EXPECT_EQ(action->text(), QString::fromUtf8(rows[i].caption));
    EXPECT_EQ(action->shortcut(), rows[i].keys);
  }
  for (auto* picture : {w.ui().linearPicture, w.ui().upcPicture, w.ui().eanPicture})
    EXPECT_EQ(picture->contextMenuPolicy(), Qt::CustomContextMenu);
}

TEST(ExportCommands, RefuseWithTheMessagesOfCopyAndSave) {
  struct Row {
    const char* name;
    const char* option;  // key of the choices table
    const char* typed;
  };
  const Row rows[] = {{"nothing typed", "code39", ""},
                      {"a character Code 39 refuses", "code39", "ab#"},
                      {"EAN-13 not yet complete", "ean13", "59012"},
                      {"UPC-A with a letter", "upca", "0360002914x"}};
  struct Command {
    void (app::BarcodeGenerator::*run)();
    const QString* refusal;
  };
  const Command commands[] = {{&app::BarcodeGenerator::exportBarcode, &kNoSave},
                              {&app::BarcodeGenerator::printBarcode, &kNoSave},
                              {&app::BarcodeGenerator::copyAtExportSize, &kNoCopy}};
  for (const Row& row : rows)
    for (const Command& command : commands) {
      testsupport::Window w;
      w.window->optionButton(*app::choiceByKey(row.option))->setChecked(true);
      w.type(QString::fromLatin1(row.typed));
      QGuiApplication::clipboard()->clear();
      (w.window.get()->*command.run)();
      ASSERT_EQ(w.platform->messages.size(), 1u) << row.name;
      EXPECT_EQ(w.platform->messages[0].text, *row.typed ? *command.refusal : kTypeFirst)
          << row.name;
      const QMimeData* held = QGuiApplication::clipboard()->mimeData();
      EXPECT_TRUE(!held || !held->hasImage()) << row.name;
    }
}

TEST(ExportCommands, KeysReachTheCommandsFromTheInput) {
  testsupport::Window w;
  w.window->show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(w.window.get()));
  w.ui().dataInput->setFocus();
  // Ctrl+E would move a line edit's cursor to the end; here it asks to export
  // and, with nothing typed, says why not.
  QTest::keyClick(w.ui().dataInput, Qt::Key_E, Qt::ControlModifier);
  ASSERT_EQ(w.platform->messages.size(), 1u);
  EXPECT_EQ(w.platform->messages[0].text, kTypeFirst);

  w.type(QStringLiteral("KEYS"));
  QGuiApplication::clipboard()->clear();
  QTest::keyClick(w.ui().dataInput, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
  const QMimeData* held = QGuiApplication::clipboard()->mimeData();
  ASSERT_TRUE(held);
  EXPECT_TRUE(held->hasFormat(QStringLiteral("image/svg+xml")));
  EXPECT_EQ(w.ui().dataInput->text(), QStringLiteral("KEYS"));

  // The Menu key in the input opens the picture's menu, not the editor's.
  QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(2, 2),
                            w.ui().dataInput->mapToGlobal(QPoint(2, 2)));
  QCoreApplication::sendEvent(w.ui().dataInput, &menuKey);
  EXPECT_TRUE(w.ui().pictureMenu->isVisible());
  w.ui().pictureMenu->hide();
}

TEST(ExportCommands, CopyAtExportSizeHoldsPngBmpAndSvg) {
  testsupport::Window w;
  w.chooseLinear(2);
  w.type(QStringLiteral("Copy 128"));
  app::ExportSettings settings;
  settings.dots = 3;
  w.window->setExportSettings(settings);
  w.window->copyAtExportSize();
  ASSERT_TRUE(w.platform->messages.empty());
  const QMimeData* held = QGuiApplication::clipboard()->mimeData();
  for (const char* type : {"image/png", "image/bmp", "image/svg+xml"}) {
    ASSERT_TRUE(held->hasFormat(QString::fromLatin1(type))) << type;
    const QByteArray bytes = held->data(QString::fromLatin1(type));
    const render::Format format = std::string_view(type) == "image/svg+xml" ? render::Format::Svg
                                  : std::string_view(type) == "image/bmp"   ? render::Format::Bmp
                                                                            : render::Format::Png;
    const QImage image = testsupport::picture(format, bytes, 300);
    EXPECT_EQ(testsupport::scan(image, Format::Code128), std::optional<std::string>("Copy 128"))
        << type;
  }
  // Three dots a module, print spacing on (as the window starts): below four
  // dots no bar is reduced and the pitch stays three dots. The screen without
  // print spacing gives the modules.
  w.setCheck(app::kPrintSpacing, false);
  const int modules = testsupport::endOfRow(w.picture(), 10) - 20;
  EXPECT_EQ(QImage::fromData(held->data(QStringLiteral("image/png"))).width(),
            3 * modules + 2 * 10 * 3);
}

TEST(ExportCommands, ExportWritesTheSymbolOnShow) {
  struct Row {
    const char* name;
    const char* option;
    const char* typed;
    render::Format format;
    Format reader;
    const char* reads;
  };
  const Row rows[] = {
      {"Code 39 as PNG", "code39", "exp 39", render::Format::Png, Format::Code39, "EXP 39"},
      {"EAN-13 as SVG", "ean13", "590123412345", render::Format::Svg, Format::Ean13,
       "5901234123457"},
      {"UPC-A as PDF", "upca", "09736339584", render::Format::Pdf, Format::UpcA, "097363395843"},
      {"ISBN as BMP", "isbn", "978014300723", render::Format::Bmp, Format::Ean13, "9780143007234"},
  };
  for (const Row& row : rows) {
    testsupport::Window w;
    QTemporaryDir dir;
    w.window->optionButton(*app::choiceByKey(row.option))->setChecked(true);
    w.type(QString::fromLatin1(row.typed));
    app::ExportSettings settings;
    settings.format = row.format;
    const QString file = QDir(dir.path()).filePath(QStringLiteral("out"));
    ASSERT_TRUE(w.window->exportShown(file, settings)) << row.name;
    QFile written(file);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly)) << row.name;
    EXPECT_EQ(
        testsupport::scan(testsupport::picture(row.format, written.readAll(), 300), row.reader),
        std::optional<std::string>(row.reads))
        << row.name;
  }
}

TEST(ExportCommands, TheDialogWritesTheFileAndIsRememberedForTheRun) {
  testsupport::Window w;
  QTemporaryDir dir;
  w.platform->directory = dir.path();
  w.chooseLinear(2);
  w.type(QStringLiteral("Dialog 128"));
  // Answers the dialog as a person would: 3 dots, SVG, the proposed name.
  QString proposed;
  int dotsShown = 0;
  const auto answer = [&](bool changeSettings) {
    QTimer::singleShot(0, [&, changeSettings] {
      auto* dialog = qobject_cast<app::ExportDialog*>(QApplication::activeModalWidget());
      ASSERT_TRUE(dialog);
      proposed = dialog->filePath();
      dotsShown = dialog->settings().dots;
      if (changeSettings) {
        dialog->findChild<QSpinBox*>(QStringLiteral("dots"))->setValue(3);
        auto* format = dialog->findChild<QComboBox*>(QStringLiteral("format"));
        format->setCurrentIndex(format->findText(QStringLiteral("SVG")));
        dialog->accept();
      } else {
        dialog->reject();
      }
    });
  };
  answer(true);
  w.window->exportBarcode();
  EXPECT_EQ(proposed, QDir(dir.path()).filePath(QStringLiteral("VellB_Dialog 128.png")));
  const QString written = QDir(dir.path()).filePath(QStringLiteral("VellB_Dialog 128.svg"));
  QFile file(written);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(testsupport::scan(testsupport::picture(render::Format::Svg, file.readAll(), 300),
                              Format::Code128),
            std::optional<std::string>("Dialog 128"));
  // Opened again, it shows what was chosen last.
  answer(false);
  w.window->exportBarcode();
  EXPECT_EQ(dotsShown, 3);
  EXPECT_EQ(proposed, written);
  EXPECT_TRUE(w.platform->messages.empty());
}

// The grade of the file each size makes, drawn and graded on a worker. X = 4 × 25.4 / 300
// = 0.339 mm; at one dot a module print spacing makes a 1-module space as wide as a
// 2-module bar, which no Code 128 reader can tell apart.
TEST(ExportCommands, TheDialogGradesTheFileTheSizeChosenMakes) {
  const struct {
    const char* format;
    int dots;
    const char* says;
  } rows[] = {
      {"PNG", 1, "neither zxing-cpp nor zbar reads it: print spacing at one pixel per module"},
      // The aperture for X from 0.330 to 0.635 mm outside retail: 0.250 mm.
      {"PNG", 4, "at X 0.339 mm, aperture 0.250 mm"},
      {"SVG", 4, "; zxing-cpp and zbar read Dialog 128"},
      {"BMP", 2, "X 0.169 mm below the minimum 0.190 mm"},
  };
  testsupport::Window w;
  w.chooseLinear(2);  // Code 128 with "Optimize for Printing", as the window starts
  w.type(QStringLiteral("Dialog 128"));
  QStringList said;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<app::ExportDialog*>(QApplication::activeModalWidget());
    ASSERT_TRUE(dialog);
    auto* dots = dialog->findChild<QSpinBox*>(QStringLiteral("dots"));
    auto* format = dialog->findChild<QComboBox*>(QStringLiteral("format"));
    for (const auto& row : rows) {
      format->setCurrentIndex(format->findText(QString::fromLatin1(row.format)));
      dots->setValue(row.dots);
      EXPECT_TRUE(dialog->verdictText().startsWith(QStringLiteral("Grading")));
      for (int wait = 0; wait < 400 && dialog->verdictText().startsWith(QStringLiteral("Grading"));
           ++wait)
        QTest::qWait(50);
      said << dialog->verdictText();
    }
    dialog->reject();
  });
  w.window->exportBarcode();
  ASSERT_EQ(said.size(), std::size(rows));
  for (std::size_t i = 0; i < std::size(rows); ++i)
    EXPECT_TRUE(said[static_cast<qsizetype>(i)].contains(QString::fromUtf8(rows[i].says)))
        << rows[i].format << " " << rows[i].dots << ": "
        << qPrintable(said[static_cast<qsizetype>(i)]);
}

TEST(ExportCommands, AFailedExportIsReportedAsSaveReportsIt) {
  testsupport::Window w;
  QTemporaryDir dir;
  w.type(QStringLiteral("A"));
  const QString folder = QDir(dir.path()).filePath(QStringLiteral("taken.png"));
  ASSERT_TRUE(QDir().mkdir(folder));
  EXPECT_FALSE(w.window->exportShown(folder, app::ExportSettings{}));
  ASSERT_EQ(w.platform->messages.size(), 1u);
  EXPECT_TRUE(w.platform->messages[0].text.startsWith(
      QStringLiteral("The barcode was not saved as taken.png.\n")))
      << qPrintable(w.platform->messages[0].text);
  EXPECT_TRUE(QFileInfo(folder).isDir());
}

TEST(ExportCommands, DialogShowsSizeAndFollowsTheFormat) {
  app::ExportSettings settings;
  app::ExportDialog dialog(makerFor("ean13", "590123412345"), kPlainBoxes, QString(), settings,
                           QStringLiteral("VellB_590123412345"), QStringLiteral("/somewhere"));
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Export Barcode"));
  EXPECT_EQ(dialog.filePath(), QStringLiteral("/somewhere/VellB_590123412345.png"));
  // 113 modules of 4 dots at 300 dpi.
  EXPECT_TRUE(dialog.sizeText().contains(QStringLiteral("452 x"))) << qPrintable(dialog.sizeText());
  EXPECT_TRUE(dialog.sizeText().contains(QStringLiteral("38.27 x")))
      << qPrintable(dialog.sizeText());

  dialog.findChild<QSpinBox*>(QStringLiteral("dots"))->setValue(2);
  EXPECT_TRUE(dialog.sizeText().contains(QStringLiteral("226 x"))) << qPrintable(dialog.sizeText());
  auto* format = dialog.findChild<QComboBox*>(QStringLiteral("format"));
  format->setCurrentIndex(format->findText(QStringLiteral("SVG")));
  EXPECT_EQ(dialog.filePath(), QStringLiteral("/somewhere/VellB_590123412345.svg"));
  EXPECT_EQ(dialog.settings().format, render::Format::Svg);
  EXPECT_EQ(dialog.settings().dots, 2);
}

TEST(ExportCommands, EveryAltKeyOfTheDialogReachesOneField) {
  app::ExportDialog dialog(makerFor("code128", "Keys"), kPlainBoxes, QString(), {},
                           QStringLiteral("VellB_Keys"), QString());
  dialog.offer(app::ExportDialog::Fields::CodeSet);
  const QStringList problems = testsupport::altKeyProblems(dialog);
  EXPECT_TRUE(problems.isEmpty()) << qPrintable(problems.join(QStringLiteral("; ")));
}

TEST(ExportCommands, AtOneDotPerModuleTheBarsAreTheScreensBars) {
  // With "Optimize for Printing" on, as the window starts: the picture's bar
  // columns from x = 20 and the export's from its quiet zone are the same.
  testsupport::Window w;
  w.chooseLinear(2);
  w.setCheck(app::kAddLabel, false);
  w.type(QStringLiteral("Same bars"));
  const QImage screen = w.picture();
  std::vector<int> screenBars;
  for (const int x : testsupport::darkColumns(screen, 10)) screenBars.push_back(x - 20);
  app::ExportSettings settings;
  settings.dots = 1;
  w.window->setExportSettings(settings);
  w.window->copyAtExportSize();
  const QImage exported =
      QImage::fromData(QGuiApplication::clipboard()->mimeData()->data(QStringLiteral("image/png")));
  std::vector<int> exportBars;
  const auto columns = testsupport::darkColumns(exported, exported.height() / 2);
  ASSERT_FALSE(columns.empty());
  for (const int x : columns) exportBars.push_back(x - 10);
  EXPECT_EQ(exportBars, screenBars);
}

TEST(ExportCommands, SizesTheWindowWillNotDrawAreRefusedBeforeDrawing) {
  // 16 dots a module: 143 modules (123 of Code 128 and 10 + 10 of quiet
  // zone) are 2,288 dots across, its bars 15 % of 123 modules high: 2,288 x
  // 546 dots, far over this limit.
  app::Limits small = app::limits();
  small.windowPixels = 100000;
  app::setLimitsForTest(small);
  struct Row {
    const char* name;
    std::function<void(testsupport::Window&, const QString& file, const app::ExportSettings&)>
        command;
    const char* says;  // the message, or what the dialog shows
  };
  const QString tooLarge = QStringLiteral(
      "2288 x 546 dots is 1249248 dots, more than the 100000 the window draws at once");
  const Row rows[] = {
      {"Copy at Export Size",
       [](testsupport::Window& w, const QString&, const auto&) { w.window->copyAtExportSize(); },
       "The barcode was not copied: %1."},
      {"export",
       [](testsupport::Window& w, const QString& file, const app::ExportSettings& settings) {
         w.window->exportShown(file, settings);
       },
       "The barcode was not saved as big.png.\n%1."},
      {"the dialog",
       [](testsupport::Window& w, const QString&, const auto&) {
         QTimer::singleShot(0, [&w] {
           auto* dialog = qobject_cast<app::ExportDialog*>(QApplication::activeModalWidget());
           ASSERT_TRUE(dialog);
           const bool exportable =
               dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->isEnabled();
           w.platform->message(
               dialog,
               dialog->sizeText() + (exportable ? " (exportable)" : "") + dialog->verdictText(),
               {});
           dialog->reject();
         });
         w.window->exportBarcode();
       },
       "Too large: %1"},
  };
  for (const Row& row : rows) {
    testsupport::Window w;
    QTemporaryDir dir;
    w.chooseLinear(2);
    w.type(QStringLiteral("Copy 128"));
    app::ExportSettings settings;
    settings.dots = 16;
    w.window->setExportSettings(settings);
    QGuiApplication::clipboard()->clear();
    row.command(w, dir.filePath(QStringLiteral("big.png")), settings);
    ASSERT_EQ(w.platform->messages.size(), 1u) << row.name;
    EXPECT_EQ(w.platform->messages[0].text, QString::fromUtf8(row.says).arg(tooLarge)) << row.name;
    EXPECT_TRUE(QDir(dir.path()).isEmpty()) << row.name;
    const QMimeData* held = QGuiApplication::clipboard()->mimeData();
    EXPECT_FALSE(held && held->hasImage()) << row.name;
  }
  app::setLimitsForTest(app::Limits{});
}

}  // namespace

// The file's extension and the format agree whichever is changed last, so
// the bytes of one format never go under another's extension.
TEST(ExportCommands, FormatAndExtensionFollowEachOther) {
  struct Row {
    const char* name;
    render::Format chosen;
    const char* typed;        // then typed into the file field
    const char* chosenAfter;  // then chosen in the list ("" none)
    render::Format format;    // what is written
    const char* file;
  } rows[] = {
      {"a typed extension picks its format", render::Format::Bmp, "/d/x.svg", "",
       render::Format::Svg, "/d/x.svg"},
      {"in any case", render::Format::Png, "/d/x.PDF", "", render::Format::Pdf, "/d/x.PDF"},
      {"an unknown extension keeps the format", render::Format::Bmp, "/d/x.dat", "",
       render::Format::Bmp, "/d/x.dat"},
      {"a format chosen after replaces a format's extension", render::Format::Png, "/d/x.bmp",
       "SVG", render::Format::Svg, "/d/x.svg"},
      {"and follows a name without one", render::Format::Png, "/d/VellB_1.5", "PDF",
       render::Format::Pdf, "/d/VellB_1.5.pdf"},
  };
  for (const Row& row : rows) {
    app::ExportSettings settings;
    settings.format = row.chosen;
    app::ExportDialog dialog(makerFor("code39", "A1"), kPlainBoxes, QString(), settings,
                             QStringLiteral("VellB_A1"), QStringLiteral("/d"));
    dialog.findChild<QLineEdit*>(QStringLiteral("file"))->setText(QString::fromUtf8(row.typed));
    if (*row.chosenAfter) {
      auto* format = dialog.findChild<QComboBox*>(QStringLiteral("format"));
      format->setCurrentIndex(format->findText(QString::fromUtf8(row.chosenAfter)));
    }
    EXPECT_EQ(dialog.settings().format, row.format) << row.name;
    EXPECT_EQ(dialog.filePath(), QString::fromUtf8(row.file)) << row.name;
  }
}

// The dialog's new fields read as the command line's options, and the size
// line says what they make, with the standard's warnings; what cannot be
// made leaves Export disabled.
TEST(ExportCommands, DialogFieldsChangeTheSizeLine) {
  struct Row {
    const char* name;
    const char* field;  // the field's object name
    const char* typed;
    const char* says;  // in the size line
    bool exportable;
  };
  const Row rows[] = {
      {"the standard's height by default", "", "", "bars 23.45 mm high", true},
      {"a height given", "height", "25", "bars 25.00 mm high", true},
      {"a height below GS1's 18.28 mm", "height", "12", "Warning: the bars are 12.00 mm", true},
      {"a reduction in mm", "reduce", "0.05mm", "bars 0.050 mm narrower", true},
      {"more than a quarter of X", "reduce", "2", "Reduction 2 is more than a quarter", false},
      {"a colour that is none", "fg", "blue", "Colour is a colour as RRGGBB", false},
  };
  for (const Row& row : rows) {
    app::ExportSettings settings;
    settings.format = render::Format::Svg;
    app::ExportDialog dialog(makerFor("ean13", "590123412345"), kPlainBoxes, QString(), settings,
                             QStringLiteral("VellB_590123412345"), QStringLiteral("/d"));
    if (*row.field)
      dialog.findChild<QLineEdit*>(QString::fromLatin1(row.field))
          ->setText(QString::fromUtf8(row.typed));
    EXPECT_TRUE(dialog.sizeText().contains(QString::fromUtf8(row.says)))
        << row.name << ": " << qPrintable(dialog.sizeText());
    const auto* buttons = dialog.findChild<QDialogButtonBox*>();
    ASSERT_TRUE(buttons);
    EXPECT_EQ(buttons->button(QDialogButtonBox::Ok)->isEnabled(), row.exportable) << row.name;
  }
}

// Rotation and format chosen in the dialog reach the file: an EPS turned a
// quarter has its bounding box turned, and is kept for the next export.
TEST(ExportCommands, TheDialogsRotationAndEpsReachTheFile) {
  testsupport::Window w;
  QTemporaryDir dir;
  w.platform->directory = dir.path();
  w.choose(*app::choiceByKey("upca"));
  w.type(QStringLiteral("09736339584"));
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<app::ExportDialog*>(QApplication::activeModalWidget());
    ASSERT_TRUE(dialog);
    auto* format = dialog->findChild<QComboBox*>(QStringLiteral("format"));
    format->setCurrentIndex(format->findText(QStringLiteral("EPS")));
    auto* rotation = dialog->findChild<QComboBox*>(QStringLiteral("rotate"));
    rotation->setCurrentIndex(rotation->findData(90));
    dialog->accept();
  });
  w.window->exportBarcode();
  QFile file(QDir(dir.path()).filePath(QStringLiteral("VellB_09736339584.eps")));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray eps = file.readAll();
  const auto page = testsupport::pageOf(render::Format::Eps, eps);
  ASSERT_TRUE(page);
  // Upright, 113 modules of 0.339 mm across; turned, that is its height.
  EXPECT_NEAR(page->height, 113 * 4 * 25.4 / 300, 0.01);
  EXPECT_EQ(testsupport::scan(testsupport::picture(render::Format::Eps, eps, 300), Format::UpcA),
            std::optional<std::string>("097363395843"));
  EXPECT_EQ(w.window->exportSettings().rotation, 90);
}

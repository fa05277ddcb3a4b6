// The Export dialog's fields of the symbol's own: an add-on for the EAN/UPC
// options, the code sets for Code 128. The window's picture keeps its own.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "app/exportdialog.h"
#include "tests/support/pixels.h"
#include "tests/support/scan.h"
#include "tests/support/window.h"

namespace {

struct FieldCase {
  const char* name;
  const char* key;
  const char* data;
  const char* addOn;    // typed in the field; null: the dialog has none
  const char* codeSet;  // chosen; null: the dialog has none
  std::string reads;    // zxing-cpp, of the file written at one dot a module
  const char* size;     // what the size label starts with
};

// Widths at one dot a module and 300 dpi: EAN-13 11 + 95 + 7 quiet, the gap
// of 7 and an EAN-2 of 20 with 5 after it (138 dots); UPC-A 9 + 95 + 9, an
// EAN-5 of 47 and 5 (165); Code 128 "123456": start, 3 pairs in C or 6
// characters in B, check, 11 modules each, the stop's 13, quiet zones of 10.
// clang-format off
const FieldCase kFields[] = {
    {"EAN-13 with an EAN-2 add-on", "ean13", "590123412345", "12", nullptr, "5901234123457 12", "11.68 x"},
    {"UPC-A with an EAN-5 add-on", "upca", "03600029145", "52495", nullptr, "036000291452 52495", "13.97 x"},
    {"ISBN with none", "isbn", "978030640615", "", nullptr, "9780306406157", "9.57 x"},
    {"a wrong add-on is said in place of the size", "jan13", "490123456789", "123", nullptr, "", "The add-on takes 2 or 5 digits: 3 given"},
    {"Code 128 by default the shortest, here C", "code128", "123456", nullptr, "Auto (the shortest)", "123456", "7.45 x"},
    {"Code 128 in B when asked", "code128", "123456", nullptr, "B", "123456", "10.24 x"},
    {"Code 39 has neither field", "code39", "A1", nullptr, nullptr, "", ""},
};
// clang-format on

TEST(ExportVariants, TheDialogsFieldsReachTheFile) {
  for (const FieldCase& c : kFields) {
    testsupport::SavingWindow w;
    const app::Choice& choice = *app::choiceByKey(c.key);
    w.choose(choice);
    // Print spacing would make one dot a module unreadable.
    if (choice.family == app::Family::Linear) w.setCheck(app::kPrintSpacing, false);
    w.type(QString::fromLatin1(c.data));
    const QImage picture = w.picture();
    app::ExportSettings settings;
    settings.dots = 1;
    w.window->setExportSettings(settings);
    bool offered[2] = {}, enabled = false;
    QString size;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<app::ExportDialog*>(QApplication::activeModalWidget());
      ASSERT_TRUE(dialog);
      auto* addOn = dialog->findChild<QLineEdit*>(QStringLiteral("addOn"));
      auto* codeSet = dialog->findChild<QComboBox*>(QStringLiteral("codeSet"));
      offered[0] = addOn, offered[1] = codeSet;
      if (addOn) addOn->setText(QString::fromLatin1(c.addOn));
      if (codeSet) codeSet->setCurrentText(QString::fromLatin1(c.codeSet));
      size = dialog->sizeText();
      enabled = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->isEnabled();
      enabled ? dialog->accept() : dialog->reject();
    });
    w.window->exportBarcode();
    EXPECT_EQ(offered[0], c.addOn != nullptr) << c.name;
    EXPECT_EQ(offered[1], c.codeSet != nullptr) << c.name;
    EXPECT_TRUE(size.startsWith(QString::fromLatin1(c.size))) << c.name << ": " << qPrintable(size);
    EXPECT_EQ(enabled, !c.reads.empty() || (!c.addOn && !c.codeSet)) << c.name;
    // The window's picture is what it was.
    EXPECT_EQ(testsupport::firstDifference(w.picture(), picture), "") << c.name;
    if (c.reads.empty()) continue;
    const QString file = w.file(QStringLiteral("VellB_%1.png").arg(QLatin1String(c.data)));
    const std::string read = testsupport::scanAny(QImage(file), c.addOn && *c.addOn);
    EXPECT_EQ(read.substr(0, read.find('|')), c.reads) << c.name;
    // Kept for the run, as the size is.
    if (c.addOn) {
      EXPECT_EQ(w.window->exportSettings().addOn, QString::fromLatin1(c.addOn)) << c.name;
    }
  }
}

}  // namespace

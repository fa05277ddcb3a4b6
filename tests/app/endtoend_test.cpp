// The whole program as a person meets it: click an option, type, set the
// check boxes, press Enter, save; zxing-cpp reads the clipboard and the file.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>

#include "tests/support/scan.h"
#include "tests/support/window.h"

namespace {

using testsupport::Format;

struct Person : testsupport::Window {
  QTemporaryDir dir;
  Person() {
    platform->directory = dir.path();
    window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  }
  // Clicks land on the indicator, where a person aims.
  void click(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
  }
  void setTo(QCheckBox* box, bool on) {
    if (box->isEnabled() && box->isChecked() != on) click(box);
  }
};

struct Row {
  const char* name;
  const char* choice;  // key in the choices table
  const char* typed;
  int printSpacing, label, check;  // wanted where the box is enabled; -1 leaves it
  Format format;
  const char* reads;  // what the symbol carries, as zxing-cpp reports it
};

// Check characters worked out by hand: Code 39 sums 179 mod 43 = 7 and
// 64 mod 43 = 21 (L);
// Interleaved 2 of 5 1234567 weighs 3,1,3... to 60, check 0.
const Row kRows[] = {
    {"Code 39, spacing", "code39", "Code-39 e2e", 1, 1, 0, Format::Code39, "CODE-39 E2E"},
    {"Code 39, check, no label", "code39", "Code-39 e2e", 0, 0, 1, Format::Code39, "CODE-39 E2E7"},
    {"Code 39, check, slash in the name", "code39", "AB/12", 0, 1, 1, Format::Code39, "AB/12L"},
    {"I 2 of 5, leading zero", "i2of5", "1234567", 1, 1, 0, Format::Interleaved2of5, "01234567"},
    {"I 2 of 5, check digit", "i2of5", "1234567", 0, 1, 1, Format::Interleaved2of5, "12345670"},
    {"I 2 of 5, even, check, spacing", "i2of5", "123456", 1, 0, 1, Format::Interleaved2of5,
     "01234565"},
    {"Code 128", "code128", "Hello, 128!", 0, 1, -1, Format::Code128, "Hello, 128!"},
    {"Code 128, no label", "code128", "~ok 42", 0, 0, -1, Format::Code128, "~ok 42"},
    {"Codabar, spacing", "codabar", "123-456$", 1, 1, -1, Format::Codabar, "A123-456$A"},
    {"Codabar", "codabar", "40.15:9/+", 0, 0, -1, Format::Codabar, "A40.15:9/+A"},
    {"EAN-13", "ean13", "590123412345", -1, -1, -1, Format::Ean13, "5901234123457"},
    {"JAN-13", "jan13", "490000000000", -1, -1, -1, Format::Ean13, "4900000000009"},
    {"ISBN", "isbn", "978014300723", -1, -1, -1, Format::Ean13, "9780143007234"},
    {"UPC-A", "upca", "09736339584", -1, -1, -1, Format::UpcA, "097363395843"},
};

TEST(EndToEnd, WhatIsCopiedAndSavedScansAsTheData) {
  for (const Row& row : kRows) {
    Person p;
    const auto& ui = p.ui();
    QAbstractButton* option = p.window->optionButton(*app::choiceByKey(row.choice));
    if (!option->isChecked()) p.click(option);
    ASSERT_TRUE(option->isChecked()) << row.name;
    QTest::keyClicks(ui.dataInput, QString::fromLatin1(row.typed));
    const int wanted[] = {row.printSpacing, row.label, row.check};
    for (int i = 0; i < 3; ++i)
      if (wanted[i] >= 0) p.setTo(ui.settingBoxes[i], wanted[i] == 1);
    EXPECT_EQ(ui.characterCount->text(), QString::number(qstrlen(row.typed))) << row.name;

    QGuiApplication::clipboard()->clear();
    QTest::keyClick(ui.dataInput, Qt::Key_Return);
    p.click(ui.saveButton);
    ASSERT_TRUE(p.platform->messages.empty())
        << row.name << ": " << p.platform->messages[0].text.toStdString();
    ASSERT_EQ(p.platform->questions.size(), 1u) << row.name;

    const QImage copied = QGuiApplication::clipboard()->image();
    const QImage saved(p.dir.filePath(app::saveFileName(QString::fromLatin1(row.typed))));
    ASSERT_FALSE(saved.isNull()) << row.name;
    EXPECT_EQ(testsupport::scan(copied, row.format), std::string(row.reads)) << row.name;
    EXPECT_EQ(testsupport::scan(saved, row.format), std::string(row.reads)) << row.name;
    EXPECT_EQ(ui.dataInput->text(), QString::fromLatin1(row.typed)) << row.name;
  }
}

struct WrongRow {
  const char* name;
  const char* choice;  // key in the choices table
  const char* typed;
  const char* shownPicture;  // object name of the visible picture, or "" for none
  const char* prompt;        // the prompt on show, or "" for none
};

const WrongRow kWrongRows[] = {
    {"Code 39 sign", "code39", "a#", "Picture1", ""},
    {"I 2 of 5 letter", "i2of5", "12a", "Picture1", ""},
    {"Codabar capital", "codabar", "A123B", "Picture1", ""},
    {"EAN-13 short", "ean13", "12345", "", "Enter 12 digit number for EAN-13"},
    {"EAN-13 letter", "ean13", "12345678901x", "", "Enter 12 digit number for EAN-13"},
    {"JAN-13 prefix", "jan13", "460000000000", "",
     "Enter 12 digit number starting with '45' or '49' for JAN-13"},
    {"ISBN prefix", "isbn", "977014300723", "",
     "Enter 12 digit number starting with '978' or '979' for ISBN"},
    {"UPC-A long", "upca", "097363395843", "", "Enter 11 digit number for UPC-A"},
    {"UPC-A letter", "upca", "0973633958x", "", "Enter 11 digit number for UPC-A"},
};

TEST(EndToEnd, WrongAndIncompleteDataShowWhatAPersonShouldSee) {
  for (const WrongRow& row : kWrongRows) {
    Person p;
    const auto& ui = p.ui();
    QAbstractButton* option = p.window->optionButton(*app::choiceByKey(row.choice));
    if (!option->isChecked()) p.click(option);
    QTest::keyClicks(ui.dataInput, QString::fromLatin1(row.typed));
    EXPECT_EQ(ui.characterCount->text(), QString::number(qstrlen(row.typed))) << row.name;
    for (auto* picture : {ui.linearPicture, ui.upcPicture, ui.eanPicture})
      EXPECT_EQ(picture->isVisible(), picture->objectName() == QLatin1String(row.shownPicture))
          << row.name << " " << picture->objectName().toStdString();
    const QLabel* prompt = ui.eanPrompt->isVisible()   ? ui.eanPrompt
                           : ui.upcPrompt->isVisible() ? ui.upcPrompt
                                                       : nullptr;
    EXPECT_EQ(prompt ? prompt->text() : QString(), QString::fromLatin1(row.prompt)) << row.name;

    QTest::keyClick(ui.dataInput, Qt::Key_Return);
    p.click(ui.saveButton);
    ASSERT_EQ(p.platform->messages.size(), 2u) << row.name;
    EXPECT_TRUE(p.platform->messages[0].text.startsWith(QStringLiteral("There is no barcode")));
    EXPECT_TRUE(p.platform->messages[1].text.startsWith(QStringLiteral("There is no barcode")));
    EXPECT_TRUE(p.platform->questions.empty()) << row.name;
    EXPECT_TRUE(QDir(p.dir.path()).isEmpty()) << row.name;
  }
}

}  // namespace

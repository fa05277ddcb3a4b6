// The main window as it opens: controls, names, places, start-up state.
#include "tests/support/window.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

#include "export/helptexts.h"
#include "tests/support/pixels.h"

namespace {

using testsupport::Window;

TEST(MainWindow, OpensInItsStartState) {
  Window w;
  const auto& ui = w.ui();
  EXPECT_EQ(w.window->windowTitle(), QStringLiteral("Barcode Generator"));
  EXPECT_TRUE(ui.linearOptions[0]->isChecked());
  EXPECT_TRUE(ui.settingBoxes[app::kPrintSpacing]->isChecked());
  EXPECT_TRUE(ui.settingBoxes[app::kAddLabel]->isChecked());
  EXPECT_FALSE(ui.settingBoxes[app::kAddCheckCharacter]->isChecked());
  EXPECT_TRUE(ui.settingBoxes[app::kAddCheckCharacter]->toolTip().isEmpty());
  for (auto* box : ui.settingBoxes) EXPECT_TRUE(box->isEnabled());
  EXPECT_TRUE(ui.helpText->isHidden());
  EXPECT_EQ(ui.helpText->toPlainText(), QString::fromLatin1(app::help::kCode39));
  EXPECT_EQ(ui.fontName->text(), QStringLiteral("Tahoma"));
  EXPECT_GT(ui.fontList->count(), 0);
  EXPECT_TRUE(ui.fontList->selectedItems().isEmpty());
  EXPECT_TRUE(ui.dataInput->text().isEmpty());
  EXPECT_TRUE(ui.characterCount->text().isEmpty());
  EXPECT_FALSE(ui.linearPicture->isHidden());
  EXPECT_TRUE(testsupport::isBlank(ui.linearPicture->Image()));
  EXPECT_TRUE(ui.upcPicture->isHidden());
  EXPECT_TRUE(ui.eanPicture->isHidden());
  EXPECT_TRUE(ui.eanPrompt->isHidden());
  EXPECT_EQ(ui.eanNumber->text(), QStringLiteral("EanText"));
  EXPECT_EQ(w.window->linearSymbology(), 0);
  EXPECT_EQ(ui.dataInput->maxLength(), 32767);
}

TEST(MainWindow, ClientAreaIs729By458AndTheInputHasTheFocus) {
  Window w;
  w.window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(w.window.get()));
  EXPECT_EQ(w.window->centralWidget()->size(), QSize(729, 458));
  EXPECT_EQ(w.window->menuBar()->actions().value(0)->text(), QStringLiteral("About"));
  EXPECT_EQ(QApplication::focusWidget(), w.ui().dataInput);
}

TEST(MainWindow, ControlsSitWhereTheLayoutPutsThem) {
  Window w;
  const struct {
    const char* name;
    int index;
    QRect twips;  // left, top, width, height
  } cases[] = {
      {"Image1", -1, {1200, 120, 6720, 600}},     {"Option2", -1, {1200, 1320, 1215, 375}},
      {"Option8", -1, {5040, 1320, 2415, 375}},   {"Option1", 1, {5040, 1680, 2175, 375}},
      {"Option1", 3, {5040, 2040, 1575, 375}},    {"Check1", 2, {7920, 2040, 2415, 255}},
      {"List1", -1, {7920, 3240, 2295, 960}},     {"Text1", -1, {1200, 3840, 3855, 390}},
      {"Picture1", -1, {1200, 4440, 4635, 1215}}, {"picEan", -1, {1200, 4440, 1815, 1095}},
      {"HelpT", -1, {6240, 4440, 3975, 1215}},    {"Command2", -1, {4560, 6000, 1215, 615}},
      {"LblLink", -1, {8040, 6360, 2175, 255}},   {"TempText", -1, {120, 5880, 495, 375}},
  };
  for (const auto& c : cases) {
    QWidget* control = w.window->control(QString::fromLatin1(c.name), c.index);
    ASSERT_NE(control, nullptr) << c.name;
    const QRect& t = c.twips;
    EXPECT_EQ(control->geometry(), QRect(t.x() / 15, t.y() / 15, t.width() / 15, t.height() / 15))
        << c.name << " " << c.index;
  }
}

TEST(MainWindow, FindsControlsAndArrayMembersByName) {
  Window w;
  const auto& ui = w.ui();
  const struct {
    const char* name;
    int index;
    QWidget* expected;
  } cases[] = {
      {"Text1", -1, ui.dataInput},
      {"picUPC", -1, ui.upcPicture},
      {"picUPCy", -1, ui.upcBlank},
      {"Option1", 2, ui.linearOptions[2]},
      {"Check1", 0, ui.settingBoxes[app::kPrintSpacing]},
      {"L", 0, ui.upcLeftDigits[0]},
      {"L", 5, ui.upcLeftDigits[5]},
      {"R", 3, ui.upcRightDigits[3]},
      {"R", 6, nullptr},
      {"Option1", -1, nullptr},
      {"Nothing", -1, nullptr},
  };
  for (const auto& c : cases)
    EXPECT_EQ(w.window->control(QString::fromLatin1(c.name), c.index), c.expected)
        << c.name << " " << c.index;
  for (QLabel* holder : ui.upcLeftDigits) EXPECT_EQ(holder->text(), QStringLiteral("0"));
  EXPECT_EQ(ui.upcLeftDigits[0]->parentWidget(), ui.upcBlank);
}

TEST(MainWindow, CaptionsAndTooltipsAsWritten) {
  Window w;
  const auto& ui = w.ui();
  EXPECT_EQ(ui.upcaOption->text(), QStringLiteral("UPC- A"));
  EXPECT_EQ(ui.isbnOption->text(), QStringLiteral("ISBN(Bookland EAN)"));
  EXPECT_EQ(ui.linearOptions[3]->toolTip(), QStringLiteral("Code 2 of 7"));
  EXPECT_EQ(ui.jan13Option->toolTip(), QStringLiteral("Japanese Article Number 13"));
  EXPECT_EQ(ui.linkCaption->text(), QStringLiteral("For more informatin on Barcode & POS, visit"));
  EXPECT_EQ(ui.upcPrompt->text(), QStringLiteral("Enter 11 digit number for UPC-A"));
  EXPECT_EQ(ui.copyButton->text(), QStringLiteral("Copy to Clipboard"));
  EXPECT_EQ(ui.versionLabel->text(), QStringLiteral("Ver. 2.2"));
}

TEST(MainWindow, HelpSwitchShowsTheTextOfTheCurrentChoice) {
  Window w;
  const auto& ui = w.ui();
  w.chooseLinear(2);
  EXPECT_TRUE(ui.helpText->isHidden());
  EXPECT_EQ(ui.helpText->toPlainText(), QString::fromLatin1(app::help::kCode128));
  ui.helpToggle->setChecked(true);
  EXPECT_FALSE(ui.helpText->isHidden());
  ui.helpToggle->setChecked(false);
  EXPECT_TRUE(ui.helpText->isHidden());
}

TEST(MainWindow, BannerAndIconAreOurOwnAtTheirSizes) {
  Window w;
  EXPECT_EQ(w.ui().banner->pixmap().size(), QSize(581, 71));
  const QIcon icon = w.window->windowIcon();
  EXPECT_TRUE(icon.availableSizes().contains(QSize(16, 16)));
  EXPECT_TRUE(icon.availableSizes().contains(QSize(32, 32)));
}

}  // namespace

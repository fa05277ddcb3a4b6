// The input router and the linear choices, driven as the event loop would.
#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>

#include "export/helptexts.h"
#include "screen/linear.h"
#include "symbologies/linear/code39.h"
#include "tests/support/pixels.h"
#include "tests/support/settings.h"
#include "tests/support/window.h"

namespace {

using namespace testsupport::settings;

using testsupport::Window;

// The same data drawn directly on a fresh box of Picture1's size and font.
QImage expectedCode39(const Window& w, const std::u32string& text, linear::Settings settings) {
  surface::PictureBox box;
  box.setTwipsGeometry(1200, 4440, 4635, 1215);
  box.setFont(w.ui().linearPicture->font());
  linear::drawLinear(box, text, settings, &linear::encodeCode39);
  return box.Image();
}

TEST(Router, EveryKeystrokeRedrawsAndCountsTheCharacters) {
  Window w;
  w.type(QStringLiteral("A"));
  EXPECT_EQ(w.picture(), expectedCode39(w, U"A", kSpaced));
  EXPECT_EQ(w.ui().characterCount->text(), QStringLiteral("1"));
  w.type(QStringLiteral("AB1"));
  EXPECT_EQ(w.picture(), expectedCode39(w, U"AB1", kSpaced));
  EXPECT_EQ(w.ui().characterCount->text(), QStringLiteral("3"));
  EXPECT_EQ(w.ui().linearPicture->WidthTwips(), (20 + 21 * 4 + 19) * 15 + 500);
}

TEST(Router, EmptyingTheInputBlanksThePictureAndShowsZero) {
  Window w;
  w.type(QStringLiteral("ABC"));
  w.type(QString());
  EXPECT_TRUE(testsupport::isBlank(w.picture()));
  EXPECT_EQ(w.ui().characterCount->text(), QStringLiteral("0"));
}

TEST(Router, CountsCharactersNotCodeUnits) {
  Window w;
  w.type(QString::fromUcs4(U"A\U0001F600B"));
  EXPECT_EQ(w.ui().characterCount->text(), QStringLiteral("3"));
}

TEST(Router, InputHoldsTenTimesTheWidestSymbol) {
  Window w;
  const QString text(100'000, QLatin1Char('7'));
  w.type(text);
  EXPECT_EQ(w.ui().dataInput->text().size(), 32767);
  EXPECT_EQ(w.ui().characterCount->text(), QStringLiteral("32767"));
  // Far wider than the widest picture: one line of text, no bars.
  EXPECT_TRUE(testsupport::darkColumns(w.picture(), 40).empty());
  EXPECT_FALSE(testsupport::isBlank(w.picture()));
}

TEST(Router, WidensTheWindowForLongSymbolsAndNeverNarrowsIt) {
  Window w;
  const int start = w.window->width();
  w.type(QString(28, QLatin1Char('A')));  // 21 * 28 + 60 = 648 pixels: 10220 twips
  EXPECT_EQ(w.ui().linearPicture->WidthTwips(), 648 * 15 + 500);
  EXPECT_EQ(w.window->width(), (10220 + 2000) / 15);
  EXPECT_GT(w.window->width(), start);
  const int wide = w.window->width();
  w.type(QStringLiteral("A"));
  EXPECT_EQ(w.window->width(), wide);
}

TEST(Router, WindowStaysAtItsSizeUpTo9500Twips) {
  Window w;
  const int start = w.window->width();
  w.type(QString(25, QLatin1Char('A')));  // 21 * 25 + 60 = 585 pixels: 9275 twips
  EXPECT_EQ(w.window->width(), start);
}

struct OptionCase {
  int index;
  const char* help;
  bool checkTicked;
  bool checkEnabled;
  const char* tooltip;
};

const OptionCase kOptions[] = {
    {0, app::help::kCode39, false, true, "Optional"},
    {1, app::help::kInterleaved2of5, false, true, "Optional"},
    {2, app::help::kCode128, true, false, "Not optional"},
    {3, app::help::kCodabar, false, false, "Not used"},
};

TEST(Router, LinearChoiceSetsHelpAndTheCheckCharacterBox) {
  // Every order of choices ends in the state of the last one.
  for (const auto& first : kOptions) {
    for (const auto& c : kOptions) {
      Window w;
      w.type(QStringLiteral("12"));
      w.setCheck(1, false);
      // An option that is already selected gets no click: start from another one.
      w.chooseLinear(first.index == 0 ? 3 : first.index);
      w.chooseLinear(first.index);
      w.chooseLinear(c.index);
      const auto& ui = w.ui();
      EXPECT_EQ(ui.helpText->toPlainText(), QString::fromLatin1(c.help)) << c.index;
      EXPECT_EQ(ui.settingBoxes[app::kAddCheckCharacter]->isChecked(), c.checkTicked)
          << first.index << "->" << c.index;
      EXPECT_EQ(ui.settingBoxes[app::kAddCheckCharacter]->isEnabled(), c.checkEnabled) << c.index;
      EXPECT_EQ(ui.settingBoxes[app::kAddCheckCharacter]->toolTip(), QString::fromLatin1(c.tooltip))
          << c.index;
      EXPECT_TRUE(ui.settingBoxes[app::kAddLabel]->isChecked()) << c.index;
      EXPECT_TRUE(ui.settingBoxes[app::kPrintSpacing]->isEnabled() &&
                  ui.settingBoxes[app::kAddLabel]->isEnabled())
          << c.index;
      EXPECT_EQ(w.window->linearSymbology(), c.index);
      EXPECT_EQ(ui.dataInput->text(), QStringLiteral("12"));
      EXPECT_EQ(ui.dataInput->cursorPosition(), 2);
      EXPECT_FALSE(ui.linearPicture->isHidden());
    }
  }
}

TEST(Router, ALinearChoiceLeavesPrintSpacingAsItWas) {
  Window w;
  w.setCheck(0, false);
  w.chooseLinear(2);
  w.chooseLinear(0);
  EXPECT_FALSE(w.ui().settingBoxes[app::kPrintSpacing]->isChecked());
}

TEST(Router, EachSettingRedrawsTheSymbol) {
  for (int index = 0; index < 3; ++index) {
    Window w;
    w.type(QStringLiteral("CODE39"));
    linear::Settings s = kSpaced;
    w.setCheck(index, index == 2);
    (index == 0 ? s.printSpacing : index == 1 ? s.label : s.checkCharacter) = index == 2 ? 1 : 0;
    EXPECT_EQ(w.picture(), expectedCode39(w, U"CODE39", s)) << index;
  }
}

TEST(Router, ADisabledCheckBoxChangedFromCodeStillRedraws) {
  Window w;
  w.type(QStringLiteral("A"));
  w.ui().settingBoxes[app::kAddLabel]->setEnabled(false);
  w.setCheck(1, false);
  EXPECT_EQ(w.picture(), expectedCode39(w, U"A", kSpacedNoLabel));
}

TEST(Router, RejectedCharacterShowsInThePicture) {
  Window w;
  w.type(QStringLiteral("a#"));
  surface::PictureBox box;
  box.setTwipsGeometry(1200, 4440, 4635, 1215);
  box.setFont(w.ui().linearPicture->font());
  box.Print(QStringLiteral("# is Invalid"));
  EXPECT_EQ(w.picture(), box.Image());
  EXPECT_EQ(w.ui().characterCount->text(), QStringLiteral("2"));
  EXPECT_EQ(w.ui().dataInput->text(), QStringLiteral("a#"));
}

TEST(Router, FontChoiceRenamesTheLabelFontAndRedraws) {
  Window w;
  w.type(QStringLiteral("AB"));
  const auto& ui = w.ui();
  QListWidgetItem* item = ui.fontList->item(ui.fontList->count() - 1);
  ui.fontList->setCurrentItem(item);
  EXPECT_EQ(ui.fontName->text(), item->text());
  for (auto* picture : {ui.linearPicture, ui.upcPicture, ui.eanPicture})
    EXPECT_EQ(picture->font().family(), item->text());
  EXPECT_EQ(ui.linearPicture->font().pixelSize(), 19);
  EXPECT_EQ(w.picture(), expectedCode39(w, U"AB", kSpaced));
}

TEST(Router, FontListWithoutSelectionChangesNothing) {
  Window w;
  w.window->List1_Click();
  EXPECT_EQ(w.ui().fontName->text(), QStringLiteral("Tahoma"));
}

}  // namespace

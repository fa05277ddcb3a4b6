// The EAN/UPC options and their branches of the input router.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <algorithm>

#include "export/helptexts.h"
#include "tests/support/pixels.h"
#include "tests/support/window.h"

namespace {

using testsupport::Window;
using Picture = surface::PictureBox* app::Controls::*;
using Option = QRadioButton* app::Controls::*;

constexpr auto kUpcPrompt = "Enter 11 digit number for UPC-A";

struct OptionCase {
  const char* name;
  Option option;
  const char* data;  // its prefixes are typed, 13 characters and down to none
  int drawsAt;
  Picture picture;
  const char* prompt;
  const char* help;
};

const OptionCase kOptions[] = {
    {"EAN-13", &app::Controls::ean13Option, "5901234123457", 12, &app::Controls::eanPicture,
     "Enter 12 digit number for EAN-13", app::help::kEan13},
    {"JAN-13", &app::Controls::jan13Option, "4901234567894", 12, &app::Controls::eanPicture,
     "Enter 12 digit number starting with '45' or '49' for JAN-13", app::help::kJan13},
    {"ISBN", &app::Controls::isbnOption, "9780143007234", 12, &app::Controls::eanPicture,
     "Enter 12 digit number starting with '978' or '979' for ISBN", app::help::kIsbn},
    {"UPC-A", &app::Controls::upcaOption, "0973633958431", 11, &app::Controls::upcPicture,
     kUpcPrompt, app::help::kUpcA},
};

// What the window shows where the pictures lie: one picture, one prompt, or nothing.
QString shown(const Window& w) {
  const auto& ui = w.ui();
  QStringList visible;
  if (!ui.linearPicture->isHidden()) visible << QStringLiteral("Picture1");
  if (!ui.upcPicture->isHidden()) visible << QStringLiteral("picUPC");
  if (!ui.eanPicture->isHidden()) visible << QStringLiteral("picEan");
  if (!ui.upcPrompt->isHidden()) visible << ui.upcPrompt->text();
  if (!ui.eanPrompt->isHidden()) visible << ui.eanPrompt->text();
  return visible.join(QLatin1Char('|'));
}

QString expectedShown(const OptionCase& c, int length) {
  const bool upc = c.picture == &app::Controls::upcPicture;
  if (length == c.drawsAt) return QLatin1String(upc ? "picUPC" : "picEan");
  if (upc && length == 0) return QString();  // emptying the input hides the prompt
  return QString::fromLatin1(c.prompt);
}

const OptionCase& caseOf(Option option) {
  return *std::find_if(std::begin(kOptions), std::end(kOptions),
                       [&](const OptionCase& c) { return c.option == option; });
}

TEST(EanUpcRouting, EveryLengthShowsThePictureOrThePrompt) {
  for (const auto& c : kOptions) {
    Window w;
    (w.ui().*c.option)->setChecked(true);
    EXPECT_EQ(shown(w), QString::fromLatin1(c.prompt)) << c.name << " before typing";
    const QString data = QString::fromLatin1(c.data);
    // Typed up to thirteen characters, then taken back to none.
    std::vector<int> lengths;
    for (int n = 1; n <= 13; ++n) lengths.push_back(n);
    for (int n = 12; n >= 0; --n) lengths.push_back(n);
    for (int n : lengths) {
      w.type(data.left(n));
      EXPECT_EQ(shown(w), expectedShown(c, n)) << c.name << " length " << n;
      if (n > 0) {
        EXPECT_EQ(w.ui().characterCount->text(), QString::number(n)) << c.name << " " << n;
      }
    }
  }
}

TEST(EanUpcRouting, OptionsTickAndLockTheSettingsAndSetTheHelp) {
  for (const auto& c : kOptions) {
    Window w;
    w.chooseLinear(2);
    w.setCheck(0, false);
    w.type(QStringLiteral("12345"));
    w.ui().dataInput->setCursorPosition(0);
    (w.ui().*c.option)->setChecked(true);
    const auto& ui = w.ui();
    for (const QCheckBox* box : ui.settingBoxes) {
      EXPECT_TRUE(box->isChecked()) << c.name;
      EXPECT_FALSE(box->isEnabled()) << c.name;
    }
    EXPECT_EQ(ui.helpText->toPlainText(), QString::fromLatin1(c.help)) << c.name;
    EXPECT_EQ(ui.dataInput->text(), QStringLiteral("12345")) << c.name;
    EXPECT_EQ(ui.dataInput->cursorPosition(), 5) << c.name;
    EXPECT_EQ(w.window->linearSymbology(), 2) << c.name;
  }
}

TEST(EanUpcRouting, ALinearChoiceAfterwardsShowsPicture1Again) {
  for (const auto& c : kOptions) {
    Window w;
    (w.ui().*c.option)->setChecked(true);
    w.type(QString::fromLatin1(c.data).left(c.drawsAt));
    ASSERT_EQ(shown(w), expectedShown(c, c.drawsAt)) << c.name;
    w.chooseLinear(0);
    EXPECT_EQ(shown(w), QStringLiteral("Picture1")) << c.name;
    for (const QCheckBox* box : w.ui().settingBoxes) EXPECT_TRUE(box->isEnabled()) << c.name;
  }
}

struct PrefixCase {
  const char* name;
  Option option;
  const char* typed;
  bool draws;
};

const PrefixCase kPrefixes[] = {
    {"JAN-13 45", &app::Controls::jan13Option, "451234567890", true},
    {"JAN-13 49", &app::Controls::jan13Option, "490000000000", true},
    {"JAN-13 46", &app::Controls::jan13Option, "460000000000", false},
    {"JAN-13 4 then a letter", &app::Controls::jan13Option, "4A0000000000", false},
    {"JAN-13 full-width 49", &app::Controls::jan13Option, "\uff14\uff190000000000", false},
    {"ISBN 978", &app::Controls::isbnOption, "978014300723", true},
    {"ISBN 979", &app::Controls::isbnOption, "979100000000", true},
    {"ISBN 977", &app::Controls::isbnOption, "977000000000", false},
    {"ISBN 97", &app::Controls::isbnOption, "970000000000", false},
    {"EAN-13 any prefix", &app::Controls::ean13Option, "000000000000", true},
};

TEST(EanUpcRouting, JanAndIsbnDrawOnlyWithTheirPrefix) {
  for (const auto& c : kPrefixes) {
    Window w;
    (w.ui().*c.option)->setChecked(true);
    w.type(QString::fromUtf8(c.typed));
    EXPECT_EQ(w.ui().eanPicture->isHidden(), !c.draws) << c.name;
    EXPECT_EQ(w.ui().eanPrompt->isHidden(), c.draws) << c.name;
  }
}

TEST(EanUpcRouting, EanGeneratorAppendsTheCheckDigitAndPutsTheCaretAtTheEnd) {
  Window w;
  w.ui().ean13Option->setChecked(true);
  w.type(QStringLiteral("590123412345"));
  EXPECT_EQ(w.ui().eanNumber->text(), QStringLiteral("5901234123457"));
  w.ui().dataInput->setCursorPosition(0);
  w.window->EanGen_Click();
  EXPECT_EQ(w.ui().dataInput->cursorPosition(), 12);
}

struct NonDigitCase {
  const char* name;
  Option option;
  const char* before;  // drawn first
  const char* after;   // as long, with a character that is not a digit
};

// The symbol of the earlier data must not stay on show for the new input.
const NonDigitCase kNonDigits[] = {
    {"EAN-13 letter", &app::Controls::ean13Option, "590123412345", "59012341234A"},
    {"EAN-13 full-width digit", &app::Controls::ean13Option, "590123412345", "59012341234\uff15"},
    {"JAN-13 blank", &app::Controls::jan13Option, "490000000000", "4900000 0000"},
    {"ISBN sign", &app::Controls::isbnOption, "978014300723", "97801430072-"},
    {"UPC-A letter", &app::Controls::upcaOption, "09736339584", "0973633958A"},
    {"UPC-A Arabic-Indic digit", &app::Controls::upcaOption, "09736339584", "0973633958\u0664"},
};

TEST(EanUpcRouting, ANonDigitHidesThePictureAndPromptsAndNothingIsSaved) {
  for (const auto& c : kNonDigits) {
    testsupport::SavingWindow w;
    (w.ui().*c.option)->setChecked(true);
    w.type(QString::fromUtf8(c.before));
    const OptionCase& option = caseOf(c.option);
    ASSERT_EQ(shown(w), expectedShown(option, option.drawsAt)) << c.name;
    w.type(QString::fromUtf8(c.after));
    EXPECT_EQ(shown(w), QString::fromLatin1(option.prompt)) << c.name;
    EXPECT_EQ(w.ui().characterCount->text(), QString::number(option.drawsAt)) << c.name;
    w.window->Command4_Click();
    EXPECT_TRUE(w.platform->questions.empty()) << c.name;
    EXPECT_TRUE(w.files().isEmpty()) << c.name;
  }
}

TEST(EanUpcRouting, UpcAChosenWithANonDigitPrompts) {
  Window w;
  w.type(QStringLiteral("0973633958A"));
  w.ui().upcaOption->setChecked(true);
  EXPECT_EQ(shown(w), QString::fromLatin1(kUpcPrompt));
}

TEST(EanUpcRouting, EmptyingUpcAInputLeavesNoOldSymbol) {
  Window w;
  w.ui().upcaOption->setChecked(true);
  w.type(QStringLiteral("09736339584"));
  w.type(QString());
  const auto& ui = w.ui();
  EXPECT_TRUE(ui.upcPicture->Picture().isNull());
  EXPECT_TRUE(testsupport::isBlank(ui.upcPicture->Image()));
  EXPECT_TRUE(ui.upcPrompt->isHidden());
}

TEST(EanUpcRouting, CopyAndSaveTakeTheSymbolOfTheChoice) {
  for (const auto& c : kOptions) {
    testsupport::SavingWindow w;
    (w.ui().*c.option)->setChecked(true);
    const QString typed = QString::fromLatin1(c.data).left(c.drawsAt);
    w.type(typed);
    const QImage symbol = (w.ui().*c.picture)->Image();
    w.window->Command1_Click();
    EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), symbol)
        << c.name;
    w.window->Command4_Click();
    // The name carries the data as typed, without the check digit.
    const QImage saved(w.file(QStringLiteral("VellB_") + typed + QStringLiteral(".bmp")));
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), symbol) << c.name;
    EXPECT_TRUE(w.platform->messages.empty()) << c.name;
  }
}

}  // namespace

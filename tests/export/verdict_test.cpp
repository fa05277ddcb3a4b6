// The scan verdict: what the window says about the symbol on show, the EAN/UPC
// guidance in its place, where the label sits, and what assistive
// technology is told about the inputs and pictures.
#include "export/verdict.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QCheckBox>
#include <QFontDatabase>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextDocument>

#include "app/about.h"
#include "app/fonts.h"
#include "export/choices.h"
#include "tests/support/scan.h"
#include "tests/support/window.h"

namespace {

using testsupport::Window;

const QString kPrintSpacing = QStringLiteral(
    "Does not scan: print spacing at one pixel per module; untick Optimize for Printing, or "
    "export at 2 or more dots per module");

struct Typed : Window {
  // Chooses the option and the settings, types the data, and runs the verdict
  // at once rather than after the pause.
  QString verdictFor(std::string_view key, const QString& data, bool printSpacing = true,
                     bool checkCharacter = false) {
    const app::Choice& choice = *app::choiceByKey(key);
    window->optionButton(choice)->setChecked(true);
    if (choice.family == app::Family::Linear) {
      setCheck(app::kPrintSpacing, printSpacing);
      if (ui().settingBoxes[app::kAddCheckCharacter]->isEnabled())
        setCheck(app::kAddCheckCharacter, checkCharacter);
    }
    type(data);
    return verdictNow();
  }
  QString verdictNow() {
    QSignalSpy shown(window.get(), &app::BarcodeGenerator::verdictShown);
    window->VerdictTimer_Timer();
    if (shown.isEmpty()) {
      EXPECT_TRUE(shown.wait(10'000));
    }
    return ui().scanVerdict->toolTip();
  }
};

const char* const kWideSpaces =
    "Does not scan with zxing-cpp: print spacing makes the spaces of $ / + % over 3 times their "
    "bars; untick Optimize for Printing";

struct VerdictCase {
  const char* name;
  std::string_view key;
  const char* data;
  bool printSpacing;
  bool checkCharacter;
  const char* verdict;  // the label's full text; empty: nothing said
};

// Data and check digits of the EAN-13, UPC-A and ISBN rows are the
// standards' published examples; which reader fails is what zbarimg and
// zxing-cpp make of the same pictures (ReadersOnThePictureAgreeWithZbarimg).
const VerdictCase kVerdicts[] = {
    {"Code39Scans", "code39", "HELLO", true, false, "Scans as Code 39: HELLO"},
    {"Code39LowerCaseAndCheckCharacter", "code39", "abc", true, true, "Scans as Code 39: ABCX"},
    // zxing-cpp refuses a character whose widest space is over 3 times its widest bar:
    // these four have three wide spaces and narrow bars, 1 module against 3 + 1.
    {"Code39DollarWithPrintSpacing", "code39", "$", true, false, kWideSpaces},
    {"Code39SlashWithPrintSpacing", "code39", "A/B", true, false, kWideSpaces},
    {"Code39PlusWithPrintSpacing", "code39", "A+B", true, false, kWideSpaces},
    {"Code39PercentWithPrintSpacing", "code39", "5%", true, false, kWideSpaces},
    {"Code39SignsWithoutPrintSpacing", "code39", "$/+%", false, false, "Scans as Code 39: $/+%"},
    {"Code39RefusedCharacterSaysNothing", "code39", "a#", true, false, ""},
    {"Interleaved2of5SixDigits", "i2of5", "123456", true, false,
     "Scans as Interleaved 2 of 5: 123456"},
    {"Interleaved2of5PaddedToSix", "i2of5", "12345", false, false,
     "Scans as Interleaved 2 of 5: 012345"},
    {"Interleaved2of5CheckDigit", "i2of5", "1234567", false, true,
     "Scans as Interleaved 2 of 5: 12345670"},
    {"Interleaved2of5FourDigits", "i2of5", "1234", false, false,
     "Does not scan: 4 digits in Interleaved 2 of 5; many scanners need 6 or more"},
    {"Interleaved2of5CheckDigitMakesFour", "i2of5", "12", false, true,
     "Does not scan: 4 digits in Interleaved 2 of 5; many scanners need 6 or more"},
    {"Code128AtDefaultSettings", "code128", "HELLO", true, false, nullptr},
    {"Code128WithoutPrintSpacing", "code128", "Hello world!", false, false,
     "Does not scan with zbar: it finds no Code 128 symbol"},
    {"CodabarScans", "codabar", "12-$:/.+", true, false, "Scans as Codabar: 12-$:/.+"},
    {"CodabarStartStopLettersInside", "codabar", "a123b", false, false,
     "Does not scan: the start/stop letter \u201Ca\u201D inside Codabar data ends the symbol "
     "early"},
    {"CodabarStopLetterAtTheEnd", "codabar", "123d", false, false,
     "Does not scan: the start/stop letter \u201Cd\u201D inside Codabar data ends the symbol "
     "early"},
    {"Ean13", "ean13", "400638133393", true, false, "Scans as EAN-13: 4006381333931"},
    {"Jan13", "jan13", "490123456789", true, false, "Scans as EAN-13: 4901234567894"},
    {"Isbn", "isbn", "978030640615", true, false, "Scans as EAN-13: 9780306406157"},
    {"UpcA", "upca", "03600029145", true, false,
     "Does not scan with zbar: it finds no UPC-A symbol"},
    {"IncompleteEan13SaysNothing", "ean13", "40063813", true, false, ""},
    {"IncompleteUpcASaysNothing", "upca", "036", true, false, ""},
    {"Ean13CheckDigitTyped", "ean13", "4006381333932", true, false,
     "13 digits typed: type the first 12, the check digit is added (yours 2, the right one 1)"},
    {"UpcACheckDigitTyped", "upca", "036000291457", true, false,
     "12 digits typed: type the first 11, the check digit is added (yours 7, the right one 2)"},
    {"Ean13Letter", "ean13", "40063813339A", true, false, "letters are not allowed in EAN-13"},
    {"UpcALetterAtEleven", "upca", "0360002914A", true, false, "letters are not allowed in UPC-A"},
    {"IsbnHyphens", "isbn", "978-0-306", true, false, "ISBN: type the 12 digits without hyphens"},
    {"Jan13Prefix", "jan13", "4712", true, false, "JAN-13 numbers start with 45 or 49"},
    {"IsbnPrefix", "isbn", "977", true, false, "ISBN numbers start with 978 or 979"},
    // An ISBN-10 becomes 978 and its first nine digits (the ISBN agency's rule).
    {"IsbnTen", "isbn", "0306406152", true, false,
     "ISBN-10: type 978 and its first nine digits, 978030640615; the check digit is added"},
    {"IsbnTenWithHyphensAndX", "isbn", "0-8044-2957-X", true, false,
     "ISBN-10: type 978 and its first nine digits, 978080442957; the check digit is added"},
    {"IsbnTenBegun", "isbn", "0306", true, false,
     "ISBN numbers start with 978 or 979; for an ISBN-10, type 978 and its first nine digits"},
    {"Code128LooksLikeGs1", "code128", "(01)09501101530003", false, false,
     "GS1 data? Code 128 carries the parentheses as text and no FNC1: export it as GS1-128 "
     "(--type gs1-128) (Scans as Code 128: (01)09501101530003)"},
};

void PrintTo(const VerdictCase& c, std::ostream* os) { *os << c.name; }

class Verdicts : public ::testing::TestWithParam<VerdictCase> {};

TEST_P(Verdicts, SaysWhatAReaderMakesOfThePictureOnShow) {
  const VerdictCase& c = GetParam();
  Typed w;
  const QString verdict =
      w.verdictFor(c.key, QString::fromUtf8(c.data), c.printSpacing, c.checkCharacter);
  EXPECT_EQ(verdict, c.verdict ? QString::fromUtf8(c.verdict) : kPrintSpacing);
  // One line on screen, the whole of it in the tooltip and for screen readers.
  EXPECT_EQ(w.ui().scanVerdict->accessibleDescription(), verdict);
  EXPECT_FALSE(w.ui().scanVerdict->text().contains(QLatin1Char('\n')));
  EXPECT_LE(w.ui().scanVerdict->fontMetrics().horizontalAdvance(w.ui().scanVerdict->text()),
            w.ui().scanVerdict->width());
}

INSTANTIATE_TEST_SUITE_P(AllEightOptions, Verdicts, ::testing::ValuesIn(kVerdicts),
                         [](const auto& info) { return std::string(info.param.name); });

// The verdict's readers against zbarimg and zxing-cpp run apart on the very picture it
// read (with the same white margin): which of them read the carried text decides the
// verdict's form.
TEST_P(Verdicts, ReadersOnThePictureAgreeWithZbarimg) {
  const VerdictCase& c = GetParam();
  Typed w;
  const QString verdict =
      w.verdictFor(c.key, QString::fromUtf8(c.data), c.printSpacing, c.checkCharacter);
  // Guidance, and a refusal made before reading, say nothing of the readers.
  if (!verdict.startsWith(QLatin1String("Scans")) && !verdict.contains(QLatin1String("scan")))
    return;
  if (verdict.contains(QLatin1String("Interleaved 2 of 5; many scanners"))) return;
  const app::Choice& choice = *app::choiceByKey(c.key);
  const auto carried =
      app::carriedText(choice, QString::fromUtf8(c.data),
                       {.printSpacing = c.printSpacing, .checkCharacter = c.checkCharacter});
  ASSERT_TRUE(carried);
  const QImage shown = w.window->currentPicture()->Image();
  QImage page(shown.width() + 20, shown.height() + 20, QImage::Format_RGB32);
  page.fill(Qt::white);
  QPainter(&page).drawImage(10, 10, shown);
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("shown.png"));
  ASSERT_TRUE(page.save(file));

  const bool zbarReads = testsupport::zbarimg(file, c.key) == carried->toStdString();
  std::optional<std::string> zxing = testsupport::scan(page, app::readerSymbology(choice.id).zxing);
  if (zxing && choice.id == app::Symbology::Codabar && zxing->size() >= 2)
    zxing = zxing->substr(1, zxing->size() - 2);  // its start and stop letters
  const bool zxingReads = zxing == carried->toStdString();
  const QString form = zbarReads && zxingReads ? QStringLiteral("Scans as ")
                       : zbarReads             ? QStringLiteral("Does not scan with zxing-cpp: ")
                       : zxingReads            ? QStringLiteral("Does not scan with zbar: ")
                                               : QStringLiteral("Does not scan: ");
  EXPECT_TRUE(verdict.startsWith(form)) << qPrintable(verdict) << " / " << qPrintable(form);
}

TEST(Verdict, ClearedWhenTheSymbolGoes) {
  Typed w;
  ASSERT_EQ(w.verdictFor("code128", QStringLiteral("HELLO"), false),
            QStringLiteral("Scans as Code 128: HELLO"));
  w.type(QString());
  EXPECT_EQ(w.verdictNow(), QString());
  EXPECT_TRUE(w.ui().scanVerdict->text().isEmpty());
  ASSERT_FALSE(w.verdictFor("ean13", QStringLiteral("400638133393")).isEmpty());
  w.type(QStringLiteral("4006"));
  EXPECT_EQ(w.verdictNow(), QString());
}

TEST(Verdict, HostileInputGetsOneLineOrNothing) {
  Typed w;
  const QString inputs[] = {QString(1'000'000, QLatin1Char('9')),
                            QStringLiteral("\U0001F600\u0000\n"), QString(QChar(0xD800)),
                            QStringLiteral("\t")};
  for (const app::Choice& choice : app::choices()) {
    if (!app::hasButton(choice)) continue;  // the command line's only
    for (const QString& input : inputs) {
      const QString verdict = w.verdictFor(choice.key, input);
      EXPECT_FALSE(w.ui().scanVerdict->text().contains(QLatin1Char('\n'))) << choice.key;
      EXPECT_FALSE(verdict.startsWith(QStringLiteral("Scans"))) << choice.key;
    }
  }
}

// Data that looks like markup is shown as typed, in the line and in its tooltip, as Qt's
// own rich-text reader takes the tooltip.
TEST(Verdict, MarkupInTheDataIsShownAsTyped) {
  Typed w;
  const QString typed = QStringLiteral("<i>HELLO</i>");
  const QString tooltip = w.verdictFor("code128", typed, false);
  const QString verdict = w.ui().scanVerdict->text();
  EXPECT_TRUE(verdict.endsWith(typed)) << qPrintable(verdict);
  EXPECT_EQ(w.ui().scanVerdict->textFormat(), Qt::PlainText);
  QTextDocument tip;
  tip.setHtml(tooltip);
  EXPECT_EQ(tip.toPlainText(), verdict);
}

// Replaces the tooltip's cut at 300 characters: zbar reads no symbol that long, so no
// verdict names that much data any more.
TEST(Verdict, LongDataIsPastZbar) {
  Typed w;
  const QString verdict = w.verdictFor("code128", QString(400, QLatin1Char('A')), false);
  EXPECT_EQ(verdict, QStringLiteral(
                         "Does not scan with zbar: too long: it reads up to about 253 characters"));
}

TEST(Verdict, FollowsTheOptionAndTheSettings) {
  Typed w;
  ASSERT_EQ(w.verdictFor("code128", QStringLiteral("HELLO"), true), kPrintSpacing);
  w.setCheck(app::kPrintSpacing, false);
  EXPECT_EQ(w.verdictNow(), QStringLiteral("Scans as Code 128: HELLO"));
  w.chooseLinear(0);
  EXPECT_EQ(w.verdictNow(), QStringLiteral("Scans as Code 39: HELLO"));
}

TEST(Verdict, FastTypingIsJudgedOnceForTheFinalData) {
  Typed w;
  w.window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(w.window.get()));
  w.setCheck(app::kPrintSpacing, false);
  QSignalSpy shown(w.window.get(), &app::BarcodeGenerator::verdictShown);
  QTest::keyClicks(w.ui().dataInput, QStringLiteral("FAST TYPING 123"));
  ASSERT_TRUE(shown.wait(10'000));
  // Nothing is read between keystrokes; the pause after the last is judged once.
  QTest::qWait(500);
  EXPECT_EQ(shown.count(), 1);
  EXPECT_EQ(w.ui().scanVerdict->toolTip(), QStringLiteral("Scans as Code 39: FAST TYPING 123"));
}

TEST(Verdict, AReadOverTakenByTypingIsDropped) {
  Typed w;
  w.setCheck(app::kPrintSpacing, false);
  w.chooseLinear(2);
  // A picture near the widest keeps the reader busy while the data changes.
  w.type(QString(2500, QLatin1Char('W')));
  QSignalSpy shown(w.window.get(), &app::BarcodeGenerator::verdictShown);
  w.window->VerdictTimer_Timer();
  w.type(QStringLiteral("NEW"));
  w.window->VerdictTimer_Timer();
  ASSERT_TRUE(shown.wait(10'000));
  EXPECT_EQ(shown.count(), 1);
  EXPECT_EQ(w.ui().scanVerdict->toolTip(), QStringLiteral("Scans as Code 128: NEW"));
}

TEST(Verdict, ReasonsWhenThePrintSpacingIsNotToBlame) {
  Typed w;
  w.verdictFor("code128", QStringLiteral("HELLO"), false);
  const QImage symbol = w.ui().linearPicture->Image();
  const app::Choice& code128 = *app::choiceByKey("code128");
  const app::ScanContext twoDots{
      .dotsPerModule = 2, .printSpacing = true, .data = QStringLiteral("HELLO")};

  QImage blank(symbol.size(), QImage::Format_RGB32);
  blank.fill(Qt::white);
  EXPECT_EQ(app::scanVerdict(blank, code128, QStringLiteral("HELLO"), twoDots).text,
            QStringLiteral("Does not scan: no reader finds a Code 128 symbol in it"));
  EXPECT_EQ(app::scanVerdict(QImage(), code128, QStringLiteral("HELLO"), twoDots).text,
            QStringLiteral("Does not scan: no reader finds a Code 128 symbol in it"));
  EXPECT_EQ(app::scanVerdict(symbol, code128, QStringLiteral("HELLP"), twoDots).text,
            QStringLiteral("Does not scan: it reads as \u201CHELLO\u201D, not \u201CHELLP\u201D"));
}

TEST(Verdict, ReadsATransparentRasterAsPrintedOnWhite) {
  Typed w;
  w.verdictFor("code128", QStringLiteral("HELLO"), false);
  // Dark bars on a transparent ground, as an exported PNG may be.
  QImage inked = w.ui().linearPicture->Image().convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < inked.height(); ++y)
    for (int x = 0; x < inked.width(); ++x)
      if (qGray(inked.pixel(x, y)) > 128) inked.setPixel(x, y, qRgba(0, 0, 0, 0));
  const app::Verdict verdict =
      app::scanVerdict(inked, *app::choiceByKey("code128"), QStringLiteral("HELLO"),
                       {.data = QStringLiteral("HELLO")});
  EXPECT_TRUE(verdict.scans);
  EXPECT_EQ(verdict.text, QStringLiteral("Scans as Code 128: HELLO"));
}

TEST(Verdict, CarriedTextIsWhatAReaderReports) {
  const struct {
    std::string_view key;
    const char* data;
    linear::Settings settings;
    std::optional<QString> carried;
  } rows[] = {
      // What the window's table does not show: Codabar's letters as a reader
      // reports them, and data that makes no symbol at all.
      {"codabar", "1a", {}, QStringLiteral("1A")},
      {"code128", "\u00e9", {}, std::nullopt},
      {"jan13", "400638133393", {}, std::nullopt},
      {"upca", "0360002914", {}, std::nullopt},
      {"ean13", "", {}, std::nullopt},
  };
  for (const auto& row : rows)
    EXPECT_EQ(
        app::carriedText(*app::choiceByKey(row.key), QString::fromUtf8(row.data), row.settings),
        row.carried)
        << row.key << " " << row.data;
}

TEST(Verdict, GuidanceNamesOtherCharactersAndLongNumbers) {
  const app::Choice& ean13 = *app::choiceByKey("ean13");
  EXPECT_EQ(app::eanUpcGuidance(ean13, QStringLiteral("1234.5")),
            QStringLiteral("\u201C.\u201D is not allowed in EAN-13: digits only"));
  EXPECT_EQ(app::eanUpcGuidance(ean13, QStringLiteral("12345678901234")),
            QStringLiteral("14 digits typed: EAN-13 takes 12, the check digit is added"));
  EXPECT_EQ(app::eanUpcGuidance(ean13, QStringLiteral("12\U0001F600")),
            QStringLiteral("\u201C\U0001F600\u201D is not allowed in EAN-13: digits only"));
  EXPECT_EQ(app::eanUpcGuidance(*app::choiceByKey("upca"), QStringLiteral("1\n")),
            QStringLiteral("\u201CU+000A\u201D is not allowed in UPC-A: digits only"));
  EXPECT_EQ(app::eanUpcGuidance(*app::choiceByKey("jan13"), QStringLiteral("4")), QString());
  EXPECT_EQ(app::eanUpcGuidance(*app::choiceByKey("code39"), QStringLiteral("ABC")), QString());
}

// The label lives in the strip between the pictures and the buttons; in no
// state may it cover a control.
TEST(VerdictLabel, SitsInTheFreeStripAndCoversNothing) {
  Typed w;
  const QLabel* label = w.ui().scanVerdict;
  EXPECT_EQ(label->objectName(), QStringLiteral("ScanVerdict"));
  EXPECT_GE(label->x() * 15, 1200);
  EXPECT_LE((label->x() + label->width()) * 15, 8700);
  EXPECT_GE(label->y() * 15, 5700);
  EXPECT_LE((label->y() + label->height()) * 15, 5990);

  w.window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(w.window.get()));
  const auto coversNothing = [&](const char* state) {
    for (const QWidget* other :
         label->parentWidget()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
      if (other == label || !other->isVisible()) continue;
      EXPECT_FALSE(other->geometry().intersects(label->geometry()))
          << state << ": " << other->objectName().toStdString();
    }
  };
  w.setCheck(app::kPrintSpacing, false);
  for (const bool help : {false, true}) {
    w.ui().helpToggle->setChecked(help);
    w.verdictFor("code39", QString(300, QLatin1Char('W')), false);  // a widened picture
    ASSERT_GT(w.ui().linearPicture->width() * 15, 9500);
    coversNothing("wide Code 39");
    w.verdictFor("ean13", QStringLiteral("400638133393"));
    coversNothing("EAN-13");
    w.verdictFor("ean13", QStringLiteral("4006"));
    coversNothing("EAN-13 prompt");
    w.verdictFor("upca", QStringLiteral("03600029145"));
    coversNothing("UPC-A");
    w.verdictFor("upca", QStringLiteral("0360002914A"));
    coversNothing("UPC-A prompt");
  }
}

TEST(VerdictLabel, AddsNoPixelToTheWindowAsItOpens) {
  Window w;
  w.window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(w.window.get()));
  const QImage opened = w.window->grab().toImage();
  w.ui().scanVerdict->hide();
  EXPECT_EQ(w.window->grab().toImage(), opened);
}

TEST(Accessibility, InputsAndPicturesSayWhatTheyAre) {
  Typed w;
  const auto& ui = w.ui();
  EXPECT_EQ(ui.dataInput->accessibleName(), QStringLiteral("Barcode Data Input"));
  EXPECT_EQ(ui.characterCount->accessibleName(), QStringLiteral("Digits"));
  EXPECT_EQ(ui.fontList->accessibleName(), QStringLiteral("Label Font"));
  EXPECT_FALSE(ui.settingBoxes[app::kPrintSpacing]->toolTip().isEmpty());
  EXPECT_FALSE(ui.settingBoxes[app::kAddLabel]->toolTip().isEmpty());

  w.verdictFor("code128", QStringLiteral("HELLO"), false);
  const QAccessibleInterface* picture = QAccessible::queryAccessibleInterface(ui.linearPicture);
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->role(), QAccessible::Graphic);
  EXPECT_EQ(picture->text(QAccessible::Name), QStringLiteral("Code 128 barcode"));
  EXPECT_EQ(ui.linearPicture->accessibleDescription(), QStringLiteral("Code 128 barcode of HELLO"));
  w.verdictFor("code39", QStringLiteral("a#"));
  EXPECT_EQ(ui.linearPicture->accessibleDescription(), QStringLiteral("# is Invalid"));
  w.verdictFor("jan13", QStringLiteral("490123456789"));
  EXPECT_EQ(ui.eanPicture->accessibleDescription(),
            QStringLiteral("EAN-13 barcode of 4901234567894"));
  w.verdictFor("upca", QStringLiteral("03600029145"));
  EXPECT_EQ(ui.upcPicture->accessibleDescription(),
            QStringLiteral("UPC-A barcode of 036000291452"));
  w.type(QString());
  w.verdictNow();
  EXPECT_EQ(ui.upcPicture->accessibleDescription(), QStringLiteral("UPC-A barcode, empty"));
}

TEST(Accessibility, F1OpensAboutAndTheMenuKeepsItsCaption) {
  Window w;
  w.window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(w.window.get()));
  QTest::keyClick(w.ui().dataInput, Qt::Key_F1);
  ASSERT_NE(w.window->splash(), nullptr);
  EXPECT_EQ(w.window->splash()->accessibleName(), QStringLiteral("About Barcode Generator"));
  EXPECT_EQ(w.window->menuBar()->actions().value(0)->text(), QStringLiteral("About"));
  w.window->splash()->close();
}

TEST(FontList, EachFamilyOnceByItsPlainNameSortedWithTahoma) {
  Window w;
  QStringList shown;
  for (int i = 0; i < w.ui().fontList->count(); ++i) shown << w.ui().fontList->item(i)->text();
  ASSERT_FALSE(shown.isEmpty());
  QStringList sorted = shown;
  sorted.removeDuplicates();
  sorted.sort(Qt::CaseInsensitive);
  EXPECT_EQ(shown, sorted);
  for (const QString& family : shown) {
    EXPECT_FALSE(family.contains(QLatin1Char('['))) << family.toStdString();
    EXPECT_FALSE(QFontDatabase::writingSystems(family).contains(QFontDatabase::Symbol))
        << family.toStdString();
  }
  if (QFontDatabase::families().contains(QStringLiteral("Tahoma"))) {
    EXPECT_TRUE(shown.contains(QStringLiteral("Tahoma")));
  }
}

}  // namespace

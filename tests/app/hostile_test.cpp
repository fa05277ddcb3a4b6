// Whatever is typed or pasted, for every option: no crash, and what shows is
// what a fresh window shows for the same data, never a symbol of other data.
#include <gtest/gtest.h>

#include <QLabel>
#include <random>

#include "export/choices.h"
#include "tests/support/pixels.h"
#include "tests/support/window.h"

namespace {

using testsupport::Window;

class Typist {
 public:
  explicit Typist(unsigned seed) : m_random(seed) {}

  QString next() {
    switch (pick(6)) {
      case 0:
        return digits(10 + pick(4));  // near the EAN/UPC lengths
      case 1:
        return QStringLiteral("978") + digits(pick(2) ? 9 : 10);
      default:
        break;
    }
    const int length = pick(10) == 0 ? pick(5001) : pick(10) == 0 ? pick(300) : pick(25);
    std::u32string text;
    for (int i = 0; i < length; ++i) text.push_back(character());
    return QString::fromStdU32String(text);
  }

 private:
  int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }
  QString digits(int n) {
    QString text;
    for (int i = 0; i < n; ++i) text += QChar(u'0' + pick(10));
    return text;
  }
  char32_t character() {
    switch (pick(10)) {
      case 0:
        return char32_t(pick(32));  // control characters
      case 1:
        return pick(2) ? U'\n' : U'\r';  // pasted line breaks
      case 2:
        return char32_t(0xA0 + pick(0x60));  // Latin-1
      case 3:
        return char32_t(0x10000 + pick(0x10000));  // outside the BMP
      case 4:
        return char32_t(U'0' + pick(10));
      default:
        return char32_t(0x20 + pick(0x5F));  // printable ASCII
    }
  }
  std::mt19937 m_random;
};

// The picture on show; with no data, a blank picture counts as none.
const surface::PictureBox* shownPicture(const app::Controls& ui) {
  for (const surface::PictureBox* picture : {ui.linearPicture, ui.upcPicture, ui.eanPicture}) {
    if (picture->isHidden()) continue;
    if (ui.dataInput->text().isEmpty() && testsupport::isBlank(picture->Image())) return nullptr;
    return picture;
  }
  return nullptr;
}

// Same visible state; images equal where both have pixels, blank beyond.
void expectSameAsFresh(const Window& used, const Window& fresh, const QString& text) {
  const auto& a = used.ui();
  const auto& b = fresh.ui();
  const std::string what = text.left(40).toStdString();
  EXPECT_EQ(a.characterCount->text(), b.characterCount->text()) << what;
  EXPECT_EQ(a.upcPrompt->isHidden(), b.upcPrompt->isHidden()) << what;
  EXPECT_EQ(a.eanPrompt->isHidden(), b.eanPrompt->isHidden()) << what;
  if (!a.eanPrompt->isHidden()) {
    EXPECT_EQ(a.eanPrompt->text(), b.eanPrompt->text()) << what;
  }
  const surface::PictureBox* shown = shownPicture(a);
  ASSERT_EQ(shown ? shown->objectName() : QString(),
            shownPicture(b) ? shownPicture(b)->objectName() : QString())
      << what;
  if (!shown) {
    // No picture: a prompt says what is missing, unless there is no data at all.
    if (!text.isEmpty()) {
      EXPECT_TRUE(!a.upcPrompt->isHidden() || !a.eanPrompt->isHidden()) << what;
    }
    return;
  }
  const QImage mine = shown->Image();
  const QImage theirs = shownPicture(b)->Image();
  ASSERT_EQ(mine.height(), theirs.height());
  const int common = std::min(mine.width(), theirs.width());
  EXPECT_EQ(mine.copy(0, 0, common, mine.height()), theirs.copy(0, 0, common, theirs.height()))
      << what;
  if (mine.width() > common) {
    EXPECT_TRUE(testsupport::isBlank(mine.copy(common, 0, mine.width() - common, mine.height())))
        << what;
  }
  // Bars show only for a symbol of exactly this data.
  if (!used.window->showsSymbolOf(shown, text)) {
    EXPECT_TRUE(testsupport::darkColumns(mine, mine.height() * 3 / 5).empty()) << what;
  }
}

TEST(Hostile, RandomInputThroughTheRouterOfEveryOption) {
  constexpr unsigned kSeed = 20261208;
  constexpr int kStringsPerOption = 60;
  Typist typist(kSeed);
  for (const app::Choice& choice : app::choices()) {
    if (!app::hasButton(choice)) continue;  // the command line's only
    Window used;
    used.choose(choice);
    for (int i = 0; i < kStringsPerOption; ++i) {
      const QString text = typist.next();
      used.type(text);
      Window fresh;
      fresh.choose(choice);
      if (text.isEmpty()) fresh.type(QStringLiteral("1"));  // emptied, as the used one was
      fresh.type(text);
      expectSameAsFresh(used, fresh, text);
      if (HasFatalFailure()) return;
    }
  }
}

TEST(Hostile, APastedMegabyteIsCutToWhatTheInputHolds) {
  QString megabyte;
  for (int i = 0; megabyte.size() < (1 << 20); ++i)
    megabyte += QStringLiteral("0123456789 pasted line %1\n").arg(i);
  for (const app::Choice& choice : app::choices()) {
    if (!app::hasButton(choice)) continue;  // the command line's only
    Window w;
    w.choose(choice);
    w.type(megabyte);
    w.window->Text1_Change();
    // Cut to what the input holds.
    EXPECT_EQ(w.ui().dataInput->text(), megabyte.left(32767));
    EXPECT_EQ(w.ui().characterCount->text(), QStringLiteral("32767"));
  }
}

}  // namespace

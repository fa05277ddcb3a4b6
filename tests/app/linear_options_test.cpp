// The four linear options through the window: each choice redraws the typed
// data with its own generator and sets "Add Check Character" as it needs.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <algorithm>

#include "screen/linear.h"
#include "symbologies/linear/codabar.h"
#include "symbologies/linear/code128.h"
#include "symbologies/linear/code39.h"
#include "symbologies/linear/interleaved2of5.h"
#include "tests/support/settings.h"
#include "tests/support/window.h"

namespace {

using namespace testsupport::settings;

using testsupport::Window;
// What each linear option should draw with, and do to "Add Check Character",
// by option index: expectations, not the window's own table.
struct Option {
  const char* name;
  linear::Encoder encode;
  bool checkTicked;
  bool checkEnabled;
  const char* tooltip;
};

const Option kOptions[] = {
    {"Code 39", &linear::encodeCode39, false, true, "Optional"},
    {"Interleaved 2 of 5", &linear::encodeInterleaved2of5, false, true, "Optional"},
    {"Code 128", &linear::encodeCode128, true, false, "Not optional"},
    {"Codabar", &linear::encodeCodabar, false, false, "Not used"},
};

// The same data drawn directly on a fresh box of Picture1's size and font. A
// refused character leaves the width as the last symbol set it.
QImage expected(const Window& w, linear::Encoder encode, const QString& text,
                linear::Settings settings) {
  surface::PictureBox box;
  box.setTwipsGeometry(1200, 4440, w.ui().linearPicture->WidthTwips(), 1215);
  box.setFont(w.ui().linearPicture->font());
  linear::drawLinear(box, text.toStdU32String(), settings, encode);
  return box.Image();
}

TEST(LinearOptions, EveryChoiceRedrawsTheTypedDataWithItsGenerator) {
  // Data each generator reads differently: "12a" is refused by Interleaved
  // 2 of 5 only, "A1" by Codabar only, "1234" gets a check character only in
  // Code 128.
  const QString inputs[] = {QStringLiteral("1234"), QStringLiteral("12a"), QStringLiteral("A1")};
  for (const QString& input : inputs) {
    for (int from = 0; from < 4; ++from) {
      for (int to = 0; to < 4; ++to) {
        if (from == to) continue;
        SCOPED_TRACE(input.toStdString() + ": " + kOptions[from].name + " -> " + kOptions[to].name);
        Window w;
        w.chooseLinear(from);
        w.type(input);
        w.setCheck(0, from % 2 == 0);  // print spacing is kept across choices
        w.chooseLinear(to);
        const Option& option = kOptions[to];
        const auto& check = *w.ui().settingBoxes[app::kAddCheckCharacter];
        EXPECT_EQ(check.isChecked(), option.checkTicked);
        EXPECT_EQ(check.isEnabled(), option.checkEnabled);
        EXPECT_EQ(check.toolTip(), QString::fromLatin1(option.tooltip));
        const linear::Settings settings{from % 2 == 0 ? 1 : 0, 1, option.checkTicked ? 1 : 0};
        EXPECT_EQ(w.picture(), expected(w, option.encode, input, settings));
      }
    }
  }
}

TEST(LinearOptions, AddCheckCharacterRedrawsInterleaved2of5) {
  Window w;
  w.chooseLinear(1);
  w.type(QStringLiteral("1234"));
  w.setCheck(2, true);
  EXPECT_EQ(w.picture(),
            expected(w, &linear::encodeInterleaved2of5, QStringLiteral("1234"), kSpacedCheck));
  w.setCheck(2, false);
  EXPECT_EQ(w.picture(),
            expected(w, &linear::encodeInterleaved2of5, QStringLiteral("1234"), kSpaced));
}

TEST(LinearOptions, Interleaved2of5WidensTheWindowAt17TwipsAPixel) {
  // 22 pairs with print spacing end at x = 32 + 23 * 22 = 538: 9646 twips at
  // 17 a pixel, where 15 a pixel would stay under 9500.
  Window w;
  const int start = w.window->width();
  w.chooseLinear(1);
  w.type(QString(44, QLatin1Char('1')));
  EXPECT_EQ(w.ui().linearPicture->WidthTwips(), 538 * 17 + 500);
  EXPECT_EQ(w.window->width(), std::max(start, (538 * 17 + 500 + 2000) / 15));
  EXPECT_GT(w.window->width(), start);
}

}  // namespace

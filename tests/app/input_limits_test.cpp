// What a long paste does to the input, the count and the picture; where the
// window opens on small screens.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QPainter>

#include "tests/support/pixels.h"
#include "tests/support/window.h"

namespace {

using testsupport::Window;

// Dark columns anywhere in the image, as one run from the first to the last.
std::pair<int, int> inkSpan(const QImage& image) {
  int left = image.width(), right = -1;
  for (int y = 0; y < image.height(); ++y) {
    const auto columns = testsupport::darkColumns(image, y);
    if (columns.empty()) continue;
    left = std::min(left, columns.front());
    right = std::max(right, columns.back());
  }
  return {left, right};
}

TEST(Paste, IsCutToWhatTheInputHoldsAndThePictureSaysTooLong) {
  const struct {
    const char* name;
    const char* first;  // typed before the paste
    qsizetype pasted;
    qsizetype held;
  } cases[] = {
      {"a paste longer than the input holds is cut there", "", 1'000'000, 32767},
      {"a paste onto typed data is cut at the same place", "1", 40'000, 32767},
      {"a paste that fits is kept whole", "1", 3'000, 3'001},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Window w;
    w.window->show();
    w.type(QString::fromLatin1(c.first));
    w.ui().dataInput->end(false);
    QGuiApplication::clipboard()->setText(QString(c.pasted, QLatin1Char('1')));
    w.ui().dataInput->paste();
    EXPECT_EQ(w.ui().dataInput->text().size(), c.held);
    EXPECT_EQ(w.ui().characterCount->text(), QString::number(c.held));
    // No bars, just the message saying why.
    EXPECT_TRUE(testsupport::darkColumns(w.picture(), 30).empty());
    EXPECT_FALSE(testsupport::isBlank(w.picture()));
  }
}

TEST(Paste, TheTooLongMessageShowsWholeWhateverWasDrawnBefore) {
  // After a narrow symbol ("1") and after none, the message's ink ends
  // inside the picture, as far right as when printed into a wide one.
  surface::PictureBox wide;
  wide.setFont(Window().ui().linearPicture->font());
  wide.setWidthTwips(32767 * 15);
  wide.Print(QStringLiteral("Data too long: the barcode would be wider than 32767 pixels"));
  const int messageEnd = inkSpan(wide.Image()).second;
  for (const char* before : {"", "1"}) {
    SCOPED_TRACE(before);
    Window w;
    w.type(QString::fromLatin1(before));
    w.type(QString(3'000, QLatin1Char('1')));
    const QImage shown = w.picture();
    EXPECT_EQ(inkSpan(shown).second, messageEnd);
    EXPECT_GT(shown.width() - 1, messageEnd);
  }
}

TEST(DigitsBox, ShowsTheWholeCount) {
  for (int count : {7, 999, 9'999, 10'000, 32'767}) {
    SCOPED_TRACE(count);
    Window w;
    w.window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.window.get()));
    w.type(QString(count, QLatin1Char('7')));
    QLineEdit* box = w.ui().characterCount;
    ASSERT_EQ(box->text(), QString::number(count));
    // The count drawn alone in the box's font has the same width of ink as
    // the box shows: nothing scrolled out, nothing cut.
    QImage alone(400, 60, QImage::Format_RGB32);
    alone.fill(Qt::white);
    {
      QPainter painter(&alone);
      painter.setFont(box->font());
      painter.setPen(Qt::black);
      painter.drawText(10, 40, box->text());
    }
    const auto [left, right] = inkSpan(alone);
    const QImage shown = box->grab().toImage().convertToFormat(QImage::Format_RGB32);
    // Only the text area: the frame is dark too.
    const QImage text = shown.copy(shown.rect().adjusted(3, 3, -3, -3));
    const auto [shownLeft, shownRight] = inkSpan(text);
    EXPECT_EQ(shownRight - shownLeft, right - left);
    EXPECT_GT(shownLeft, 0);
    EXPECT_LT(shownRight, text.width() - 1);
    // Up to three digits, as the box always showed them.
    if (count < 1'000) {
      EXPECT_EQ(box->font(), w.ui().dataInput->font());
    }
  }
}

TEST(WindowPlace, CentredWhenItFitsElseItsTopLeftOnTheScreen) {
  const QSize window(729, 480);
  const struct {
    const char* name;
    QRect available;
    QPoint expected;
  } cases[] = {
      {"fits: centred, as it always opened", {0, 0, 1280, 800}, {275, 160}},
      {"a panel at the top: centred in what is left", {0, 40, 1280, 760}, {275, 180}},
      {"too tall: top edge at the top", {0, 0, 1280, 400}, {275, 0}},
      {"too wide and tall at scale 2: top-left corner", {0, 0, 640, 400}, {0, 0}},
      {"a second screen to the right, a panel on its left", {1330, 0, 590, 1080}, {1330, 300}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(app::windowPlace(window, c.available), c.expected) << c.name;
}

}  // namespace

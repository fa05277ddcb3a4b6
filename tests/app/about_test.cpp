// The About window, the web link and its hover look, driven by real mouse
// and key events.

// Mouse events reach widgets through their window, as a person's would.
#define QTEST_QPA_MOUSE_HANDLING

#include "app/about.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDesktopServices>
#include <QFrame>
#include <QLabel>
#include <QScreen>

#include "app/artwork.h"
#include "tests/support/scan.h"
#include "tests/support/window.h"

namespace {

using testsupport::Window;

const QUrl kAddress(QStringLiteral("https://www.gs1.org/standards/barcodes"));

// Every About window that exists, shown or not yet deleted.
int aboutWindows() {
  int count = 0;
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (qobject_cast<app::AboutWindow*>(widget)) ++count;
  return count;
}

// Lets closed windows finish deleting themselves.
void settle() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCoreApplication::processEvents();
}

struct Shown : Window {
  Shown() {
    window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  }
  ~Shown() {
    window.reset();
    settle();
  }
  app::AboutWindow* about() {
    window->controls().aboutAction->trigger();
    app::AboutWindow* splash = window->splash();
    EXPECT_NE(splash, nullptr);
    if (splash) {
      EXPECT_TRUE(QTest::qWaitForWindowExposed(splash));
    }
    return splash;
  }
  QWidget* client() const { return window->centralWidget(); }
};

TEST(About, ShowsOneWindowWithoutBlockingTheMainWindow) {
  Shown w;
  app::AboutWindow* first = w.about();
  app::AboutWindow* second = w.about();
  EXPECT_EQ(first, second);
  EXPECT_EQ(aboutWindows(), 1);
  EXPECT_TRUE(first->isVisible());
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  // The main window still answers while the About window is open.
  w.type(QStringLiteral("ABC"));
  EXPECT_EQ(w.ui().characterCount->text(), QStringLiteral("3"));
}

TEST(About, FrameAndLogoSitWhereTheLayoutPutsThem) {
  Shown w;
  app::AboutWindow* splash = w.about();
  const auto* frame = splash->findChild<QFrame*>(QStringLiteral("Frame1"));
  const auto* logo = splash->findChild<QLabel*>(QStringLiteral("imgLogo"));
  ASSERT_NE(frame, nullptr);
  ASSERT_NE(logo, nullptr);
  // 10305 x 7020 twips; the frame at (240, 120) 9825 x 6675; the logo at
  // (720, 1320) inside it, 8235 x 3870: all at 15 twips a pixel.
  EXPECT_EQ(splash->size(), QSize(687, 468));
  EXPECT_EQ(splash->minimumSize(), splash->maximumSize());
  EXPECT_EQ(frame->geometry(), QRect(16, 8, 655, 445));
  EXPECT_EQ(logo->parentWidget(), frame);
  EXPECT_EQ(logo->geometry(), QRect(48, 88, 549, 258));
  EXPECT_EQ(logo->pixmap().size(), logo->size());

  const QImage shot = splash->grab().toImage();
  EXPECT_EQ(shot.pixelColor(16 + 20, 8 + 20), QColor(Qt::white));
  EXPECT_NE(shot.pixelColor(8, 200), QColor(Qt::white));

  const Qt::WindowFlags flags = splash->windowFlags();
  EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Tool);  // kept out of the task bar
  EXPECT_TRUE(flags & Qt::FramelessWindowHint);
  EXPECT_TRUE(splash->windowTitle().isEmpty());
  EXPECT_EQ(splash->geometry().center(), w.window->screen()->availableGeometry().center());
}

TEST(About, LogoIsOurOwnPictureAndItsSymbolsScan) {
  const QImage logo = app::logoImage();
  EXPECT_EQ(logo.size(), QSize(549, 258));
  EXPECT_EQ(logo.depth(), 24);
  // Read by an independent decoder, one half of the picture at a time.
  const int half = logo.width() / 2;
  EXPECT_EQ(testsupport::scan(logo.copy(0, 0, half, 258), testsupport::Format::Code39), "BARCODE");
  EXPECT_EQ(testsupport::scan(logo.copy(half, 0, half, 258), testsupport::Format::Code39),
            "GENERATOR");
}

enum class Target { Window, Margin, Frame, Logo };

TEST(About, ClosesOnACharacterKeyOrALeftClickOnTheFrameOrLogo) {
  const struct {
    const char* name;
    Target target;  // the window takes the key; the others the click
    Qt::Key key;
    Qt::MouseButton button;
    bool closes;
  } cases[] = {
      {"a letter", Target::Window, Qt::Key_A, {}, true},
      {"a digit", Target::Window, Qt::Key_7, {}, true},
      {"space", Target::Window, Qt::Key_Space, {}, true},
      {"Enter", Target::Window, Qt::Key_Return, {}, true},
      {"Esc", Target::Window, Qt::Key_Escape, {}, true},
      {"Backspace", Target::Window, Qt::Key_Backspace, {}, true},
      {"Tab", Target::Window, Qt::Key_Tab, {}, true},
      {"F1 types nothing", Target::Window, Qt::Key_F1, {}, false},
      {"Shift types nothing", Target::Window, Qt::Key_Shift, {}, false},
      {"an arrow types nothing", Target::Window, Qt::Key_Left, {}, false},
      {"a click on the white frame", Target::Frame, {}, Qt::LeftButton, true},
      {"a click on the logo", Target::Logo, {}, Qt::LeftButton, true},
      {"a click on the margin", Target::Margin, {}, Qt::LeftButton, false},
      {"a right click on the logo", Target::Logo, {}, Qt::RightButton, false},
      {"a middle click on the frame", Target::Frame, {}, Qt::MiddleButton, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Shown w;
    app::AboutWindow* splash = w.about();
    ASSERT_NE(splash, nullptr);
    if (c.target == Target::Window) {
      // As the desktop delivers keys: to the window, then to what has the focus.
      QTest::keyClick(splash->windowHandle(), c.key);
    } else {
      const QPoint at = c.target == Target::Margin  ? QPoint(6, 200)
                        : c.target == Target::Frame ? QPoint(40, 40)
                                                    : QPoint(340, 230);
      QTest::mouseClick(splash, c.button, {}, at);
    }
    settle();
    EXPECT_EQ(w.window->splash() != nullptr, !c.closes);
    EXPECT_EQ(aboutWindows(), c.closes ? 0 : 1);
  }
}

TEST(About, OpensAnewAfterClosingEvenBeforeTheOldOneIsGone) {
  Shown w;
  app::AboutWindow* first = w.about();
  // Handlers run back to back, with no event loop between them to delete
  // the closed window.
  first->Form_KeyPress(27);
  w.window->help_Click();
  app::AboutWindow* second = w.window->splash();
  ASSERT_NE(second, nullptr);
  EXPECT_NE(second, first);
  settle();
  EXPECT_EQ(w.window->splash(), second);
  EXPECT_EQ(aboutWindows(), 1);
  EXPECT_TRUE(second->isVisible());
}

TEST(About, ClosingTheMainWindowClosesIt) {
  Shown w;
  w.about();
  w.window->close();
  settle();
  EXPECT_EQ(aboutWindows(), 0);
  EXPECT_FALSE(w.window->isVisible());
}

TEST(Link, ClicksOpenTheAddressOnce) {
  const struct {
    const char* name;
    void (*gesture)(QWidget* link);
    int opens;
  } cases[] = {
      {"a click", [](QWidget* l) { QTest::mouseClick(l, Qt::LeftButton); }, 1},
      {"a double click", [](QWidget* l) { QTest::mouseDClick(l, Qt::LeftButton); }, 1},
      {"two clicks apart",
       [](QWidget* l) {
         QTest::mouseClick(l, Qt::LeftButton);
         QTest::mouseClick(l, Qt::LeftButton);
       },
       2},
      {"a right click", [](QWidget* l) { QTest::mouseClick(l, Qt::RightButton); }, 0},
      {"a press carried off the link",
       [](QWidget* l) {
         QTest::mousePress(l, Qt::LeftButton);
         QTest::mouseRelease(l, Qt::LeftButton, {}, QPoint(-30, 5));
       },
       0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Shown w;
    c.gesture(w.ui().link);
    EXPECT_EQ(w.platform->opened, std::vector<QUrl>(c.opens, kAddress));
  }
}

// Stands in for the browser the desktop services would start.
class Browser : public QObject {
  Q_OBJECT

 public:
  std::vector<QUrl> opened;

 public slots:
  void open(const QUrl& url) { opened.push_back(url); }
};

TEST(Link, AsksTheDesktopServicesForExactlyTheAddress) {
  Browser browser;
  QDesktopServices::setUrlHandler(QStringLiteral("https"), &browser, "open");
  {
    app::BarcodeGenerator window;  // Qt's own platform services
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(window.controls().link->text(), QStringLiteral("www.gs1.org"));
    QTest::mouseClick(window.controls().link, Qt::LeftButton);
  }
  QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
  ASSERT_EQ(browser.opened.size(), 1u);
  EXPECT_EQ(browser.opened[0].toString(), kAddress.toString());
}

TEST(Link, WithoutABrowserNothingChangesAndNothingShows) {
  Shown w;
  w.type(QStringLiteral("A1"));
  w.platform->openSucceeds = false;
  // The pointer comes to the link before it clicks; the click keeps that look.
  QTest::mouseMove(w.ui().link);
  const QFont font = w.ui().link->font();
  const QPalette palette = w.ui().link->palette();
  const int windows = QApplication::topLevelWidgets().size();
  QTest::mouseClick(w.ui().link, Qt::LeftButton);
  QCoreApplication::processEvents();
  EXPECT_EQ(w.platform->opened.size(), 1u);
  EXPECT_TRUE(w.platform->messages.empty());
  EXPECT_EQ(QApplication::topLevelWidgets().size(), windows);
  EXPECT_EQ(w.ui().dataInput->text(), QStringLiteral("A1"));
  EXPECT_EQ(w.ui().link->font(), font);
  EXPECT_EQ(w.ui().link->palette(), palette);
}

TEST(Link, HoverLookFollowsTheTwoMouseMoves) {
  Shown w;
  const auto& ui = w.ui();
  QLabel* link = ui.link;
  const QColor startColour = link->palette().color(QPalette::WindowText);
  const struct {
    const char* name;
    QWidget* over;  // where the pointer moves; the client area means bare window
    QPoint at;
    bool underline;
    QColor colour;
  } steps[] = {
      {"over Label7 first: nothing yet", ui.linkCaption, {20, 8}, false, startColour},
      {"over the link", link, {100, 8}, true, QColor(0, 0, 255)},
      {"on to Label7: still the hover look", ui.linkCaption, {250, 8}, true, QColor(0, 0, 255)},
      {"on to the rule: still", ui.linkUnderline, {40, 0}, true, QColor(0, 0, 255)},
      {"over the bare window", w.client(), {40, 300}, false, QColor(0, 0, 0)},
      {"back over the link", link, {130, 10}, true, QColor(0, 0, 255)},
      {"over the bare corner", w.client(), {720, 450}, false, QColor(0, 0, 0)},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(s.name);
    QTest::mouseMove(s.over, s.at);
    EXPECT_EQ(link->font().underline(), s.underline);
    EXPECT_FALSE(link->font().bold());
    EXPECT_EQ(link->palette().color(QPalette::WindowText), s.colour);
    // The pointer keeps its ordinary shape throughout.
    EXPECT_EQ(link->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(w.window->cursor().shape(), Qt::ArrowCursor);
  }
}

}  // namespace

#include "about_test.moc"

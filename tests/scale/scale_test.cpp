// The window at a device pixel ratio of 2: on the screen, a whole border,
// crisp bars, and the same files saved as at scale 1.
#include <gtest/gtest.h>

#include <QMenuBar>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>

#include "export/choices.h"
#include "tests/support/window.h"

namespace {

using testsupport::Window;

// Before main starts Qt: this program runs at twice the scale, unless told
// otherwise (it runs itself at scale 1 for the pictures to compare with).
const bool kScaled =
    qEnvironmentVariableIsSet("QT_SCALE_FACTOR") || qputenv("QT_SCALE_FACTOR", "2");
const char* const kPicturesTo = "BG_SCALE_TEST_PICTURES_TO";

struct ScaledWindow : Window {
  ScaledWindow() {
    window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  }
};

bool scaledByTwo() { return kScaled && qApp->devicePixelRatio() == 2.0; }

TEST(ScaleTwo, TheWindowOpensWithItsMenuBarOnTheScreen) {
  if (!scaledByTwo()) GTEST_SKIP() << "run with QT_SCALE_FACTOR=2";
  ScaledWindow w;
  const QRect available = w.window->screen()->availableGeometry();
  const QMenuBar* menu = w.window->menuBar();
  EXPECT_TRUE(available.contains(w.window->frameGeometry().topLeft()));
  EXPECT_TRUE(available.contains(QRect(menu->mapToGlobal(QPoint()), QSize(40, menu->height()))));
}

TEST(ScaleTwo, ThePictureHasAWholeBorderAndEveryPixelIsTwoByTwo) {
  if (!scaledByTwo()) GTEST_SKIP() << "run with QT_SCALE_FACTOR=2";
  ScaledWindow w;
  w.type(QStringLiteral("ABC123"));
  surface::PictureBox* box = w.ui().linearPicture;
  const QImage shot = box->grab().toImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(shot.size(), box->size() * 2);
  const int width = shot.width(), height = shot.height();
  const QRgb grey = qRgb(0x80, 0x80, 0x80), dark = qRgb(0x40, 0x40, 0x40);
  const QRgb light = qRgb(0xd4, 0xd0, 0xc8), white = qRgb(0xff, 0xff, 0xff);
  // Each ring of the border, two device pixels deep on every side; the
  // corners belong to the lighter edges.
  int wrong = 0;
  const auto expect = [&](int x, int y, QRgb colour) { wrong += shot.pixel(x, y) != colour; };
  for (int d = 0; d < 2; ++d) {
    for (int x = 0; x < width - 4; ++x) {
      expect(x, d, grey);
      expect(x, height - 1 - d, white);
    }
    for (int y = 0; y < height - 4; ++y) {
      expect(d, y, grey);
      expect(width - 1 - d, y, white);
    }
    for (int x = 4; x < width - 4; ++x) {
      expect(x, 2 + d, dark);
      expect(x, height - 3 - d, light);
    }
  }
  EXPECT_EQ(wrong, 0);
  // Inside the border, each pixel of the picture as a block of 2 x 2: no
  // smoothing, no stray line, nothing shifted.
  const QImage picture = box->Image();
  const QImage inside = shot.copy(4, 4, width - 8, height - 8);
  ASSERT_EQ(inside.size(), picture.size() * 2);
  int differing = 0;
  for (int y = 0; y < inside.height(); ++y)
    for (int x = 0; x < inside.width(); ++x)
      differing += inside.pixel(x, y) != picture.pixel(x / 2, y / 2);
  EXPECT_EQ(differing, 0);
}

// Data that every choice draws a symbol of.
QString dataFor(const app::Choice& choice) {
  if (choice.key == "upca") return QStringLiteral("03600029145");
  if (choice.key == "jan13") return QStringLiteral("490123456789");
  if (choice.key == "isbn") return QStringLiteral("978030640615");
  return QStringLiteral("590123412345");
}

// Saves the picture of every choice into folder, one file each.
void saveEveryChoice(const QString& folder) {
  for (const app::Choice& choice : app::choices()) {
    if (!app::hasButton(choice)) continue;  // the command line's only
    Window w;
    w.platform->directory = folder;
    w.choose(choice);
    w.type(dataFor(choice));
    w.window->Command4_Click();
    QFile::rename(
        folder + QStringLiteral("/") + app::saveFileName(dataFor(choice)),
        folder + QStringLiteral("/") + QString::fromLatin1(choice.key) + QStringLiteral(".bmp"));
  }
}

TEST(ScaleOne, SavesEveryChoiceForTheScaledRun) {
  if (!qEnvironmentVariableIsSet(kPicturesTo)) GTEST_SKIP() << "run by the scaled run";
  saveEveryChoice(qEnvironmentVariable(kPicturesTo));
}

TEST(ScaleTwo, EveryChoiceSavesTheSameFileAsAtScaleOne) {
  if (!scaledByTwo()) GTEST_SKIP() << "run with QT_SCALE_FACTOR=2";
  QTemporaryDir one, two;
  QProcess run;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("QT_SCALE_FACTOR"), QStringLiteral("1"));
  environment.insert(QString::fromLatin1(kPicturesTo), one.path());
  run.setProcessEnvironment(environment);
  run.start(QCoreApplication::applicationFilePath(),
            {QStringLiteral("--gtest_filter=ScaleOne.SavesEveryChoiceForTheScaledRun")});
  ASSERT_TRUE(run.waitForFinished(60'000));
  ASSERT_EQ(run.exitCode(), 0) << run.readAll().toStdString();
  saveEveryChoice(two.path());
  for (const app::Choice& choice : app::choices()) {
    if (!app::hasButton(choice)) continue;  // the command line's only
    const QString name = QString::fromLatin1(choice.key) + QStringLiteral(".bmp");
    QFile atOne(one.filePath(name)), atTwo(two.filePath(name));
    ASSERT_TRUE(atOne.open(QIODevice::ReadOnly)) << choice.key;
    ASSERT_TRUE(atTwo.open(QIODevice::ReadOnly)) << choice.key;
    EXPECT_TRUE(atOne.readAll() == atTwo.readAll()) << choice.key;
  }
}

}  // namespace

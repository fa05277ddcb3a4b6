// Copy to Clipboard, Enter, File Save and Clear Input.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <csignal>

#include "tests/support/pixels.h"
#include "tests/support/window.h"

namespace {

using testsupport::SavingWindow;
using testsupport::Window;

const QString kTypeFirst = QStringLiteral("Please Type the Barcode Data First");

void resetClipboard() {
  auto* marker = new QMimeData;
  marker->setText(QStringLiteral("before"));
  QGuiApplication::clipboard()->setMimeData(marker);
}

TEST(Copy, PutsExactlyThePictureOnTheClipboardAsImagePngAndBmp) {
  Window w;
  w.type(QStringLiteral("ABC123"));
  QTest::mouseClick(w.ui().copyButton, Qt::LeftButton);
  EXPECT_TRUE(w.platform->messages.empty());
  const QImage picture = w.picture();
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(qvariant_cast<QImage>(data->imageData()).convertToFormat(QImage::Format_RGB32),
            picture);
  for (const char* format : {"image/png", "image/bmp"}) {
    const QImage read = QImage::fromData(data->data(QString::fromLatin1(format)));
    EXPECT_EQ(read.convertToFormat(QImage::Format_RGB32), picture) << format;
  }
}

TEST(Copy, EnterInTheInputCopiesToo) {
  Window w;
  w.type(QStringLiteral("XY"));
  resetClipboard();
  QTest::keyClick(w.ui().dataInput, Qt::Key_Return);
  const QImage copied = QGuiApplication::clipboard()->image();
  EXPECT_EQ(copied.convertToFormat(QImage::Format_RGB32), w.picture());
  EXPECT_EQ(w.ui().dataInput->text(), QStringLiteral("XY"));
}

TEST(Copy, EmptyInputAsksForDataWhetherClickedOrEntered) {
  for (bool enter : {false, true}) {
    Window w;
    resetClipboard();
    if (enter)
      QTest::keyClick(w.ui().dataInput, Qt::Key_Enter);
    else
      w.window->Command1_Click();
    ASSERT_EQ(w.platform->messages.size(), 1u) << enter;
    EXPECT_EQ(w.platform->messages[0].text, kTypeFirst);
    EXPECT_EQ(w.platform->messages[0].title, QStringLiteral("Barcode Generator"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
  }
}

TEST(Save, AsksWithTheDirectoryAndFileNameThenWritesTheBitmap) {
  SavingWindow w;
  w.type(QStringLiteral("ABC123"));
  w.window->Command4_Click();
  ASSERT_EQ(w.platform->questions.size(), 1u);
  EXPECT_EQ(w.platform->questions[0].title, QStringLiteral("File Save"));
  EXPECT_EQ(w.platform->questions[0].text,
            QStringLiteral("Do you want to save the barcode image of ABC123 as ") + w.dir.path() +
                QStringLiteral("/VellB_ABC123.bmp"));
  const QImage saved(w.file(QStringLiteral("VellB_ABC123.bmp")));
  EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), w.picture());
  EXPECT_EQ(w.files(), QStringList{QStringLiteral("VellB_ABC123.bmp")});
  EXPECT_TRUE(w.platform->messages.empty());
  // A 24-bit Windows bitmap.
  QFile file(w.file(QStringLiteral("VellB_ABC123.bmp")));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray header = file.read(30);
  EXPECT_EQ(header.left(2), QByteArray("BM"));
  EXPECT_EQ(static_cast<unsigned char>(header[28]), 24);  // bits per pixel
}

TEST(Save, CancelWritesNothing) {
  SavingWindow w;
  w.platform->answerOk = false;
  w.type(QStringLiteral("ABC"));
  w.window->Command4_Click();
  EXPECT_EQ(w.platform->questions.size(), 1u);
  EXPECT_TRUE(w.files().isEmpty());
  EXPECT_TRUE(w.platform->messages.empty());
}

TEST(Save, SavingAgainReplacesTheFile) {
  SavingWindow w;
  w.type(QStringLiteral("ABC"));
  w.window->Command4_Click();
  w.setCheck(1, false);  // same data, a picture without its label
  w.window->Command4_Click();
  EXPECT_EQ(w.platform->questions.size(), 2u);
  EXPECT_EQ(QImage(w.file(QStringLiteral("VellB_ABC.bmp"))).convertToFormat(QImage::Format_RGB32),
            w.picture());
  EXPECT_EQ(w.files().size(), 1);
}

TEST(Save, NamesStayInTheCurrentDirectory) {
  const struct {
    const char* data;
    const char* file;
  } cases[] = {
      {"A/B", "VellB_A_B.bmp"},
      {"../../X", "VellB_.._.._X.bmp"},
      {"/", "VellB__.bmp"},
      {"A B.$%+", "VellB_A B.$%+.bmp"},
  };
  for (const auto& c : cases) {
    SavingWindow w;
    w.type(QString::fromLatin1(c.data));
    w.window->Command4_Click();
    ASSERT_EQ(w.platform->questions.size(), 1u) << c.data;
    EXPECT_TRUE(w.platform->questions[0].text.endsWith(w.dir.path() + QLatin1Char('/') +
                                                       QString::fromLatin1(c.file)))
        << c.data;
    EXPECT_EQ(w.files(), QStringList{QString::fromLatin1(c.file)}) << c.data;
  }
}

TEST(Save, FailureSaysWhyAndKeepsEverything) {
  const struct {
    const char* name;
    QString data;
    bool missingDirectory;
  } cases[] = {
      {"directory gone", QStringLiteral("ABC"), true},
      {"name too long", QString(300, QLatin1Char('A')), false},
  };
  for (const auto& c : cases) {
    SavingWindow w;
    if (c.missingDirectory) w.platform->directory = w.dir.filePath(QStringLiteral("gone"));
    w.type(c.data);
    const QImage before = w.picture();
    w.window->Command4_Click();
    ASSERT_EQ(w.platform->messages.size(), 1u) << c.name;
    EXPECT_TRUE(
        w.platform->messages[0].text.startsWith(QStringLiteral("The barcode was not saved")))
        << c.name;
    EXPECT_EQ(w.platform->messages[0].title, QStringLiteral("File Save"));
    EXPECT_TRUE(w.files().isEmpty()) << c.name;
    EXPECT_EQ(w.ui().dataInput->text(), c.data);
    EXPECT_EQ(w.picture(), before);
  }
}

// Holds writes to a few bytes, as a full disk would, for as long as it lives.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &m_saved);
    m_handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = m_saved;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &m_saved);
    std::signal(SIGXFSZ, m_handler);
  }

 private:
  rlimit m_saved{};
  void (*m_handler)(int) = nullptr;
};

QByteArray contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(Save, AFailedWriteLeavesTheEarlierFileWholeAndNoScraps) {
  SavingWindow w;
  w.type(QStringLiteral("ABC"));
  w.window->Command4_Click();
  const QString path = w.file(QStringLiteral("VellB_ABC.bmp"));
  const QByteArray first = contents(path);
  ASSERT_FALSE(first.isEmpty());
  w.setCheck(1, false);
  {
    FileSizeLimit full(64);
    w.window->Command4_Click();
  }
  ASSERT_EQ(w.platform->messages.size(), 1u);
  EXPECT_TRUE(w.platform->messages[0].text.startsWith(QStringLiteral("The barcode was not saved")));
  EXPECT_EQ(contents(path), first);
  EXPECT_EQ(w.files(), QStringList{QStringLiteral("VellB_ABC.bmp")});
}

TEST(Save, EmptyInputAsksForDataAndAsksNothingElse) {
  SavingWindow w;
  w.window->Command4_Click();
  ASSERT_EQ(w.platform->messages.size(), 1u);
  EXPECT_EQ(w.platform->messages[0].text, kTypeFirst);
  EXPECT_TRUE(w.platform->questions.empty());
}

TEST(CopyAndSave, RefuseWhileNoBarcodeOfTheDataIsShown) {
  const struct {
    const char* name;
    QString data;
    QRadioButton* app::Controls::*option;
  } cases[] = {
      {"rejected character", QStringLiteral("a#"), nullptr},
      {"too long for a picture", QString(5000, QLatin1Char('A')), nullptr},
      {"EAN-13 not complete", QStringLiteral("123"), &app::Controls::ean13Option},
      {"UPC-A not complete", QStringLiteral("123"), &app::Controls::upcaOption},
  };
  for (const auto& c : cases) {
    SavingWindow w;
    if (c.option) (w.ui().*c.option)->setChecked(true);
    w.type(c.data);
    resetClipboard();
    w.window->Command1_Click();
    w.window->Command4_Click();
    ASSERT_EQ(w.platform->messages.size(), 2u) << c.name;
    EXPECT_TRUE(
        w.platform->messages[0].text.startsWith(QStringLiteral("There is no barcode to copy")));
    EXPECT_TRUE(
        w.platform->messages[1].text.startsWith(QStringLiteral("There is no barcode to save")));
    EXPECT_TRUE(w.platform->questions.empty()) << c.name;
    EXPECT_TRUE(w.files().isEmpty()) << c.name;
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("before")) << c.name;
  }
}

TEST(Clear, EmptiesTheInputAndShowsThePictureOfTheChoice) {
  const struct {
    const char* name;
    QRadioButton* app::Controls::*option;
    int linear;
    surface::PictureBox* app::Controls::*shown;
  } cases[] = {
      {"Code 39", nullptr, 0, &app::Controls::linearPicture},
      {"Code 128", nullptr, 2, &app::Controls::linearPicture},
      {"EAN-13", &app::Controls::ean13Option, -1, &app::Controls::eanPicture},
      {"UPC-A", &app::Controls::upcaOption, -1, &app::Controls::upcPicture},
      {"JAN-13 takes Picture1 here", &app::Controls::jan13Option, -1,
       &app::Controls::linearPicture},
      {"ISBN takes Picture1 here", &app::Controls::isbnOption, -1, &app::Controls::linearPicture},
  };
  for (const auto& c : cases) {
    Window w;
    if (c.option)
      (w.ui().*c.option)->setChecked(true);
    else
      w.chooseLinear(c.linear);
    w.type(QStringLiteral("12345678901"));
    QTest::mouseClick(w.ui().clearButton, Qt::LeftButton);
    const auto& ui = w.ui();
    EXPECT_TRUE(ui.dataInput->text().isEmpty()) << c.name;
    EXPECT_EQ(ui.characterCount->text(), QStringLiteral("0")) << c.name;
    EXPECT_TRUE(ui.upcPrompt->isHidden()) << c.name;
    EXPECT_TRUE(ui.eanPrompt->isHidden()) << c.name;
    for (auto* picture : {ui.linearPicture, ui.upcPicture, ui.eanPicture}) {
      EXPECT_EQ(picture->isHidden(), picture != ui.*c.shown)
          << c.name << " " << picture->objectName().toStdString();
      EXPECT_TRUE(testsupport::isBlank(picture->Image())) << c.name;
    }
  }
}

}  // namespace

// File Save against the real file system: what stands at the name, odd and
// vanished current folders, long names, a full disk, markup in the data.
#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>

#include "app/exportdialog.h"
#include "export/qtwriter.h"
#include "tests/support/pixels.h"
#include "tests/support/window.h"

namespace {

using testsupport::Window;

// Makes folder (bytes, relative or absolute) the current directory while it
// lives, then goes back to the one before, whatever its name.
class InFolder {
 public:
  explicit InFolder(const QByteArray& folder) : m_back(::open(".", O_RDONLY | O_DIRECTORY)) {
    entered = ::chdir(folder.constData()) == 0;
  }
  ~InFolder() {
    if (::fchdir(m_back) != 0) ADD_FAILURE() << "could not return to the earlier folder";
    ::close(m_back);
  }
  bool entered = false;

 private:
  int m_back;
};

bool exists(const QByteArray& path) {
  struct stat s {};
  return ::lstat(path.constData(), &s) == 0;
}

bool isRegularFile(const QByteArray& path) {
  struct stat s {};
  return ::lstat(path.constData(), &s) == 0 && S_ISREG(s.st_mode);
}

// Every entry of a folder, hidden ones included, as bytes.
QList<QByteArray> entries(const QByteArray& folder) {
  QList<QByteArray> names;
  if (DIR* dir = ::opendir(folder.constData())) {
    while (const dirent* entry = ::readdir(dir)) {
      const QByteArray name(entry->d_name);
      if (name != "." && name != "..") names.append(name);
    }
    ::closedir(dir);
  }
  std::sort(names.begin(), names.end());
  return names;
}

// Files by their names' bytes: QFile would convert a name that is not UTF-8.
QByteArray contents(const QByteArray& path) {
  QByteArray bytes;
  const int fd = ::open(path.constData(), O_RDONLY);
  if (fd < 0) return bytes;
  char buffer[65536];
  for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;) bytes.append(buffer, n);
  ::close(fd);
  return bytes;
}

void writeFile(const QByteArray& path, const QByteArray& bytes) {
  const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  ASSERT_GE(fd, 0);
  EXPECT_EQ(::write(fd, bytes.constData(), bytes.size()), bytes.size());
  ::close(fd);
}

// Removes a folder and everything in it, whatever the names.
void removeTree(const QByteArray& path) {
  struct stat s {};
  if (::lstat(path.constData(), &s) != 0) return;
  if (S_ISDIR(s.st_mode)) {
    for (const QByteArray& name : entries(path)) removeTree(path + "/" + name);
    ::rmdir(path.constData());
  } else {
    ::unlink(path.constData());
  }
}

// A file system of 16 KiB, too small for any bitmap of ours, mounted in a
// temporary folder while it lives. Needs root; without it, none is made.
class TinyDisk {
 public:
  explicit TinyDisk(const QByteArray& at) : m_at(at) {
    ::mkdir(at.constData(), 0755);
    mounted = ::mount("tmpfs", at.constData(), "tmpfs", 0, "size=16k") == 0;
  }
  ~TinyDisk() {
    if (mounted) ::umount(m_at.constData());
  }
  bool mounted = false;

 private:
  QByteArray m_at;
};

// One save in a fresh temporary folder: the base holds the folder saved in
// and "elsewhere", the place a link may point to.
struct Scene {
  QTemporaryDir base;
  QByteArray root = QFile::encodeName(base.path());
  QByteArray elsewhere = root + "/elsewhere";
  QByteArray folder;  // the current directory while saving
  // QTemporaryDir cannot remove a name that is not UTF-8.
  ~Scene() { removeTree(root); }
};

struct SaveCase {
  const char* name;
  QString data;
  const char* folder;                   // made in the base, then entered
  bool tinyDisk;                        // the folder is a file system of 16 KiB
  std::function<void(Scene&)> prepare;  // runs in the folder
  int saves;
  QString message;    // part of the one message expected; empty for none
  const char* shown;  // the folder's name in the question; null when none is asked
  std::function<void(const Scene&, const Window&)> check;
};

QString typed(qsizetype n) { return QString(n, QLatin1Char('A')); }

QByteArray fileNameOf(const QString& data) { return QFile::encodeName(app::saveFileName(data)); }

void expectSymbolFile(const QByteArray& path, const Window& w) {
  EXPECT_TRUE(isRegularFile(path)) << path.constData();
  const QImage saved = QImage::fromData(contents(path), "BMP");
  EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), w.picture());
}

void nothing(Scene&) {}

TEST(SaveCases, WriteTheNamedFileInTheCurrentFolderOrSayWhyNot) {
  const SaveCase cases[] = {
      {"a link to a file elsewhere is replaced, the file it points to kept",
       QStringLiteral("S1"),
       "here",
       false,
       [](Scene& s) {
         writeFile(s.elsewhere, "victim");
         ASSERT_EQ(::symlink(s.elsewhere.constData(), "VellB_S1.bmp"), 0);
       },
       1,
       {},
       "here",
       [](const Scene& s, const Window& w) {
         expectSymbolFile(s.folder + "/VellB_S1.bmp", w);
         EXPECT_EQ(contents(s.elsewhere), "victim");
       }},
      {"a dangling link is replaced, nothing made where it pointed",
       QStringLiteral("S1"),
       "here",
       false,
       [](Scene& s) { ASSERT_EQ(::symlink(s.elsewhere.constData(), "VellB_S1.bmp"), 0); },
       1,
       {},
       "here",
       [](const Scene& s, const Window& w) {
         expectSymbolFile(s.folder + "/VellB_S1.bmp", w);
         EXPECT_FALSE(exists(s.elsewhere));
       }},
      {"a folder at the name is refused and left alone", QStringLiteral("S1"), "here", false,
       [](Scene&) { ASSERT_EQ(::mkdir("VellB_S1.bmp", 0755), 0); }, 1,
       QStringLiteral("A folder stands at that name"), "here",
       [](const Scene& s, const Window&) {
         EXPECT_TRUE(entries(s.folder + "/VellB_S1.bmp").isEmpty());
         EXPECT_EQ(entries(s.folder), QList<QByteArray>{"VellB_S1.bmp"});
       }},
      {"a folder name that is not UTF-8 is saved into, not its look-alike",
       QStringLiteral("S1"),
       "bad\xFF",
       false,
       // The look-alike is the name a lossy conversion would make of it.
       [](Scene& s) { ASSERT_EQ(::mkdir((s.root + "/bad\xEF\xBF\xBD").constData(), 0755), 0); },
       1,
       {},
       "bad\\xFF",
       [](const Scene& s, const Window& w) {
         expectSymbolFile(s.folder + "/VellB_S1.bmp", w);
         EXPECT_TRUE(entries(s.root + "/bad\xEF\xBF\xBD").isEmpty());
       }},
      {"a current folder removed since is said to be gone", QStringLiteral("GONE"), "here", false,
       [](Scene& s) { ASSERT_EQ(::rmdir(s.folder.constData()), 0); }, 1,
       QStringLiteral("The current folder no longer exists"), nullptr,
       [](const Scene& s, const Window&) { EXPECT_FALSE(exists(s.folder)); }},
      {"the longest name saves twice, the second replacing the first",
       typed(245),
       "here",
       false,
       nothing,
       2,
       {},
       "here",
       [](const Scene& s, const Window& w) {
         const QByteArray name = fileNameOf(typed(245));
         ASSERT_EQ(name.size(), 255);
         expectSymbolFile(s.folder + "/" + name, w);
         EXPECT_EQ(entries(s.folder), QList<QByteArray>{name});
       }},
      {"a name too long is said before any question", typed(250), "here", false, nothing, 1,
       QStringLiteral("The file name is too long: 260 bytes, at most 255"), nullptr,
       [](const Scene& s, const Window&) { EXPECT_TRUE(entries(s.folder).isEmpty()); }},
      {"a full disk says so and keeps the earlier file", QStringLiteral("S1"), "here", true,
       [](Scene&) { writeFile("VellB_S1.bmp", "earlier"); }, 1,
       QStringLiteral("No space left on device"), "here",
       [](const Scene& s, const Window&) {
         EXPECT_EQ(contents(s.folder + "/VellB_S1.bmp"), "earlier");
         EXPECT_EQ(entries(s.folder), QList<QByteArray>{"VellB_S1.bmp"});
       }},
      {"markup in the data is a file name like any other",
       QStringLiteral("<b></b>X as /home/user/VellB_X.bmp<!--"),
       "here",
       false,
       nothing,
       1,
       {},
       "here",
       [](const Scene& s, const Window& w) {
         const QByteArray name = "VellB_<b><_b>X as _home_user_VellB_X.bmp<!--.bmp";
         expectSymbolFile(s.folder + "/" + name, w);
         EXPECT_EQ(entries(s.folder), QList<QByteArray>{name});
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Scene scene;
    scene.folder = scene.root + "/" + c.folder;
    ASSERT_EQ(::mkdir(scene.folder.constData(), 0755), 0);
    std::optional<TinyDisk> disk;
    if (c.tinyDisk && !disk.emplace(scene.folder).mounted) {
      std::printf("[   NOTE   ] no tmpfs without root: \"%s\" not run\n", c.name);
      continue;
    }
    Window w;
    w.chooseLinear(2);  // Code 128 takes every character of these rows
    {
      InFolder in(scene.folder);
      ASSERT_TRUE(in.entered);
      c.prepare(scene);
      w.type(c.data);
      for (int i = 0; i < c.saves; ++i) w.window->Command4_Click();
    }
    if (c.message.isEmpty()) {
      for (const auto& m : w.platform->messages) ADD_FAILURE() << m.text.toStdString();
    } else {
      ASSERT_EQ(w.platform->messages.size(), 1u);
      EXPECT_TRUE(w.platform->messages[0].text.contains(c.message))
          << w.platform->messages[0].text.toStdString();
      EXPECT_EQ(w.platform->messages[0].title, QStringLiteral("File Save"));
    }
    // The question names the file in the folder it is written to.
    EXPECT_EQ(w.platform->questions.size(), c.shown ? std::size_t(c.saves) : 0u);
    for (const auto& question : w.platform->questions)
      EXPECT_EQ(question.text, QStringLiteral("Do you want to save the barcode image of ") +
                                   c.data + QStringLiteral(" as ") + scene.base.path() +
                                   QLatin1Char('/') + QString::fromLatin1(c.shown) +
                                   QLatin1Char('/') + app::saveFileName(c.data));
    EXPECT_EQ(w.ui().dataInput->text(), c.data);
    EXPECT_FALSE(testsupport::isBlank(w.picture()));
    c.check(scene, w);
  }
}

TEST(AtomicFile, KeepsTheModeOfAReplacedFileAndRefusesOddThingsAtTheName) {
  QTemporaryDir dir;
  const QByteArray root = QFile::encodeName(dir.path());
  const QByteArray file = root + "/file", pipe = root + "/pipe";
  writeFile(file, "old");
  ASSERT_EQ(::chmod(file.constData(), 0640), 0);
  EXPECT_EQ(app::writeAtomically(dir.filePath(QStringLiteral("file")), "new"), QString());
  struct stat s {};
  ASSERT_EQ(::stat(file.constData(), &s), 0);
  EXPECT_EQ(s.st_mode & 07777, 0640u);
  EXPECT_EQ(contents(file), "new");

  ASSERT_EQ(::mkfifo(pipe.constData(), 0600), 0);
  EXPECT_EQ(app::writeAtomically(dir.filePath(QStringLiteral("pipe")), "new"),
            QStringLiteral("A named pipe stands at that name"));
  EXPECT_EQ(app::writeAtomically(dir.filePath(QStringLiteral("missing/file")), "new"),
            QStringLiteral("No such file or directory"));
  EXPECT_EQ(entries(root), (QList<QByteArray>{"file", "pipe"}));
}

// Answers the next modal message box, noting how it shows its text.
struct ModalAnswer {
  Qt::TextFormat format = Qt::AutoText;
  QString text;
  void arm() {
    QTimer::singleShot(0, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      format = box->textFormat();
      text = box->text();
      box->accept();
    });
  }
};

TEST(MessageBoxes, ShowTheDataAsTypedNeverAsMarkup) {
  const QString markup = QStringLiteral("<b></b>X as /home/user/VellB_X.bmp<!--");
  app::QtPlatform platform;
  ModalAnswer answer;
  answer.arm();
  platform.message(nullptr, markup, QStringLiteral("File Save"));
  EXPECT_EQ(answer.format, Qt::PlainText);
  EXPECT_EQ(answer.text, markup);
  answer = {};
  answer.arm();
  platform.confirm(nullptr, markup, QStringLiteral("File Save"));
  EXPECT_EQ(answer.format, Qt::PlainText);
  EXPECT_EQ(answer.text, markup);
}

TEST(CurrentFolder, ANameThatIsNotTextShowsItsOddBytes) {
  QTemporaryDir dir;
  const QByteArray odd = QFile::encodeName(dir.path()) + "/bad\xFF\xC3(";
  ASSERT_EQ(::mkdir(odd.constData(), 0755), 0);
  InFolder in(odd);
  ASSERT_TRUE(in.entered);
  EXPECT_EQ(app::QtPlatform().currentDirectory(), dir.path() + QStringLiteral("/bad\\xFF\\xC3("));
}

TEST(CurrentFolder, TheExportDialogWritesWhereFileSaveWrites) {
  // Named relative to the folder, never rebuilt from the folder's shown name.
  QTemporaryDir dir;
  const QByteArray odd = QFile::encodeName(dir.path()) + "/bad\xFF";
  ASSERT_EQ(::mkdir(odd.constData(), 0755), 0);
  testsupport::Window w;
  w.chooseLinear(2);
  w.type(QStringLiteral("Odd 128"));
  QString proposed;
  {
    InFolder in(odd);
    ASSERT_TRUE(in.entered);
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<app::ExportDialog*>(QApplication::activeModalWidget());
      ASSERT_TRUE(dialog);
      proposed = dialog->filePath();
      dialog->accept();
    });
    w.window->exportBarcode();
  }
  EXPECT_EQ(proposed, QStringLiteral("VellB_Odd 128.png"));
  EXPECT_TRUE(w.platform->messages.empty());
  const QByteArray written = odd + "/VellB_Odd 128.png";
  EXPECT_TRUE(exists(written));
  ::unlink(written.constData());
  ::rmdir(odd.constData());
}

}  // namespace

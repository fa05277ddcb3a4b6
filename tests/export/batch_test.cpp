// Batch export from a list, run as the program itself.
#include "export/batch.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "tests/support/documents.h"
#include "tests/support/scan.h"

namespace {

using testsupport::Format;

struct Outcome {
  int status = -1;
  QString err;
};

Outcome runBatch(const QStringList& arguments, const QByteArray& input = {}) {
  QProcess process;
  process.start(QStringLiteral(BG_PROGRAM), arguments);
  if (!input.isNull()) process.write(input);
  process.closeWriteChannel();
  if (!process.waitForFinished(120000)) return {};
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
          QString::fromUtf8(process.readAllStandardError())};
}

void write(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

// Every type, data with commas and quotes, a CR line end, an empty line, and
// records refused for an unknown type, a bad character and a wrong check digit.
const QByteArray kMixedList =
    "code39,Code-39 x\n"
    "i2of5,1234567\n"
    "code128,\"a,b \"\"q\"\" c\"\n"
    "codabar,123-456$\r\n"
    "\n"
    "ean13,590123412345\n"
    "JAN13,490000000000\n"
    "isbn,978014300723\n"
    "upca,09736339584\n"
    "qr,hello\n"
    "code39,ab#\n"
    "ean13,5901234123458\n"
    "code128\n";

struct Written {
  const char* file;
  Format reader;
  const char* reads;
};

const Written kWritten[] = {
    {"01_Code-39 x.png", Format::Code39, "CODE-39 X"},
    {"02_1234567.png", Format::Interleaved2of5, "01234567"},
    {"03_a,b \"q\" c.png", Format::Code128, "a,b \"q\" c"},
    {"04_123-456$.png", Format::Codabar, "A123-456$A"},
    {"06_590123412345.png", Format::Ean13, "5901234123457"},
    {"07_490000000000.png", Format::Ean13, "4900000000009"},
    {"08_978014300723.png", Format::Ean13, "9780143007234"},
    {"09_09736339584.png", Format::UpcA, "097363395843"},
};

TEST(Batch, MixedListWritesGoodRecordsAndReportsTheOthers) {
  QTemporaryDir dir;
  write(dir.filePath(QStringLiteral("list.csv")), kMixedList);
  const QString out = dir.filePath(QStringLiteral("out"));
  const Outcome result =
      runBatch({QStringLiteral("--batch"), dir.filePath(QStringLiteral("list.csv")),
                QStringLiteral("--output"), out, QStringLiteral("--dots"), QStringLiteral("2")});
  EXPECT_EQ(result.status, 1) << qPrintable(result.err);
  // Two dots of 1/300 inch are below EAN/UPC's smallest X, which is said once,
  // for the first record it concerns.
  EXPECT_EQ(result.err,
            QStringLiteral("line 6: warning: X = 0.169 mm is below the symbology's smallest, "
                           "0.264 mm\n"
                           "line 6: warning: the bars are 11.72 mm high, below the standard's "
                           "18.28 mm\n"
                           "line 10: unknown type \"qr\"\n"
                           "line 11: # is Invalid at position 3\n"
                           "line 12: Wrong check digit 8 at position 13: it should be 7\n"
                           "line 13: expected two fields, type,data\n"));
  QStringList expected;
  for (const Written& w : kWritten) {
    expected << QString::fromUtf8(w.file);
    EXPECT_EQ(testsupport::scan(QImage(QDir(out).filePath(QString::fromUtf8(w.file))), w.reader),
              std::optional<std::string>(w.reads))
        << w.file;
  }
  expected.sort();
  EXPECT_EQ(QDir(out).entryList(QDir::Files | QDir::Hidden, QDir::Name), expected);
}

TEST(Batch, OneJobAndTwoWriteTheSameBytes) {
  QTemporaryDir dir;
  QByteArray list;
  for (int i = 0; i < 300; ++i) list += "Record " + QByteArray::number(i * 7919) + "\n";
  write(dir.filePath(QStringLiteral("list.txt")), list);
  for (const char* format : {"png", "svg"}) {
    QStringList folders;
    for (const char* jobs : {"1", "2"}) {
      const QString out =
          dir.filePath(QStringLiteral("%1-%2").arg(QLatin1String(format), QLatin1String(jobs)));
      const Outcome result =
          runBatch({QStringLiteral("--batch"), dir.filePath(QStringLiteral("list.txt")),
                    QStringLiteral("--type"), QStringLiteral("code128"), QStringLiteral("--format"),
                    QString::fromLatin1(format), QStringLiteral("--jobs"),
                    QString::fromLatin1(jobs), QStringLiteral("--output"), out});
      ASSERT_EQ(result.status, 0) << qPrintable(result.err);
      folders << out;
    }
    const QStringList names = QDir(folders[0]).entryList(QDir::Files);
    ASSERT_EQ(names.size(), 300) << format;
    EXPECT_EQ(QDir(folders[1]).entryList(QDir::Files), names) << format;
    for (const QString& name : names) {
      QFile a{QDir(folders[0]).filePath(name)}, b{QDir(folders[1]).filePath(name)};
      ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
      ASSERT_EQ(a.readAll(), b.readAll()) << format << " " << qPrintable(name);
    }
  }
}

TEST(Batch, StandardInputAndNamesThatCollide) {
  QTemporaryDir dir;
  const QString out = dir.filePath(QStringLiteral("out"));
  const Outcome result =
      runBatch({QStringLiteral("--batch"), QStringLiteral("-"), QStringLiteral("--type"),
                QStringLiteral("code39"), QStringLiteral("--name"), QStringLiteral("{type}"),
                QStringLiteral("--format"), QStringLiteral("svg"), QStringLiteral("--output"), out},
               "ONE\nTWO\nTHREE\n");
  ASSERT_EQ(result.status, 0) << qPrintable(result.err);
  // The first keeps the name; the others get -2, -3 in the order of the list.
  const QStringList names = QDir(out).entryList(QDir::Files | QDir::Hidden, QDir::Name);
  EXPECT_EQ(names, QStringList({QStringLiteral("code39-2.svg"), QStringLiteral("code39-3.svg"),
                                QStringLiteral("code39.svg")}));
  EXPECT_EQ(testsupport::scan(testsupport::picture(
                                  render::Format::Svg,
                                  [&] {
                                    QFile f(QDir(out).filePath(names[0]));
                                    f.open(QIODevice::ReadOnly);
                                    return f.readAll();
                                  }(),
                                  300),
                              Format::Code39),
            std::optional<std::string>("TWO"));
}

TEST(Batch, NamesAreSafeAndFitTheFileSystem) {
  struct Row {
    const char* name;
    QString templ;
    QString data;
    QString expected;  // empty: only checked for length
  };
  const Row rows[] = {
      {"slash and control characters", QStringLiteral("{line}_{data}"), QStringLiteral("a/b\tc"),
       QStringLiteral("007_a_b_c.png")},
      {"a slash in the template stays in the folder", QStringLiteral("../{data}"),
       QStringLiteral("x"), QStringLiteral(".._x.png")},
      {"long data is cut, the line number kept", QStringLiteral("{data}_{line}"),
       QString(300, QChar(0x00e9)), QString()},
  };
  for (const Row& row : rows) {
    const QString name = app::batchFileName(row.templ, 7, 3, row.data, QStringLiteral("code128"),
                                            QStringLiteral("png"));
    if (!row.expected.isEmpty()) {
      EXPECT_EQ(name, row.expected) << row.name;
    }
    EXPECT_LE(name.toUtf8().size(), 255) << row.name;
    EXPECT_TRUE(name.endsWith(QLatin1String("_007.png")) || !row.expected.isEmpty()) << row.name;
  }
}

TEST(Batch, AFileThatCannotBeWrittenStopsAtOnce) {
  QTemporaryDir dir;
  write(dir.filePath(QStringLiteral("list.txt")), "A\nB\nC\nD\n");
  const QString out = dir.filePath(QStringLiteral("out"));
  ASSERT_TRUE(QDir().mkpath(QDir(out).filePath(QStringLiteral("2_B.png"))));
  const Outcome result =
      runBatch({QStringLiteral("--batch"), dir.filePath(QStringLiteral("list.txt")),
                QStringLiteral("--type"), QStringLiteral("code39"), QStringLiteral("--jobs"),
                QStringLiteral("1"), QStringLiteral("--output"), out});
  EXPECT_EQ(result.status, 3);
  EXPECT_TRUE(result.err.startsWith(QStringLiteral("line 2: "))) << qPrintable(result.err);
  EXPECT_TRUE(result.err.contains(QStringLiteral("folder"))) << qPrintable(result.err);
  // The record before it is written, none after it, and no partial file remains.
  EXPECT_EQ(QDir(out).entryList(QDir::Files | QDir::Hidden),
            QStringList{QStringLiteral("1_A.png")});
}

TEST(Batch, UsageErrors) {
  QTemporaryDir dir;
  struct Row {
    const char* name;
    QStringList arguments;
  };
  const Row rows[] = {
      {"list missing",
       {"--batch", dir.filePath(QStringLiteral("none.txt")), "--output", dir.path()}},
      {"bad format", {"--batch", "-", "--format", "gif", "--output", dir.path()}},
      {"jobs zero", {"--batch", "-", "--jobs", "0", "--output", dir.path()}},
      {"data with batch", {"--batch", "-", "--data", "x", "--output", dir.path()}},
  };
  for (const Row& row : rows) EXPECT_EQ(runBatch(row.arguments, "").status, 2) << row.name;
}

TEST(Batch, LinksAndFoldersAtTheNamesChangeNothingOutside) {
  struct Row {
    const char* name;
    const char* target;  // what out/1_A.png links to; null: a folder stands there
    int status;
    const char* says;
  };
  const Row rows[] = {
      {"a link at the name to a file in the folder", "keep.txt", 0, ""},
      {"a link at the name to a file outside the folder", "../outside.txt", 0, ""},
      {"a dangling link pointing outside the folder", "../nowhere.txt", 0, ""},
      {"a folder at the name", nullptr, 3, "1_A.png was not written: A folder stands at that name"},
  };
  for (const Row& row : rows) {
    QTemporaryDir dir;
    const QDir top(dir.path()), out(dir.filePath(QStringLiteral("out")));
    write(top.filePath(QStringLiteral("outside.txt")), "outside");
    write(top.filePath(QStringLiteral("list.txt")), "A\nB\n");
    ASSERT_TRUE(top.mkdir(QStringLiteral("out")));
    write(out.filePath(QStringLiteral("keep.txt")), "keep");
    const QString name = out.filePath(QStringLiteral("1_A.png"));
    ASSERT_TRUE(row.target ? QFile::link(QString::fromUtf8(row.target), name) : out.mkdir(name));
    const Outcome result =
        runBatch({QStringLiteral("--batch"), top.filePath(QStringLiteral("list.txt")),
                  QStringLiteral("--type"), QStringLiteral("code39"), QStringLiteral("--output"),
                  out.path()});
    EXPECT_EQ(result.status, row.status) << row.name << ": " << qPrintable(result.err);
    EXPECT_TRUE(result.err.contains(QString::fromUtf8(row.says))) << row.name;
    // Nothing outside changes (nowhere.txt is not made), nor the file linked to inside.
    EXPECT_EQ(top.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name),
              QStringList({"list.txt", "out", "outside.txt"}))
        << row.name;
    for (const auto& [file, holds] : {std::pair{top.filePath("outside.txt"), "outside"},
                                      std::pair{out.filePath("keep.txt"), "keep"}}) {
      QFile kept(file);
      EXPECT_TRUE(kept.open(QIODevice::ReadOnly) && kept.readAll() == holds) << row.name;
    }
    // No scraps: only the files of the list, the planted folder and keep.txt.
    QStringList expected{QStringLiteral("1_A.png"), QStringLiteral("keep.txt")};
    if (row.status == 0) expected << QStringLiteral("2_B.png");
    expected.sort();
    EXPECT_EQ(out.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                            QDir::Name),
              expected)
        << row.name;
    const QFileInfo written(name);
    EXPECT_EQ(written.isDir(), row.target == nullptr) << row.name;
    if (row.target) {
      EXPECT_FALSE(written.isSymLink()) << row.name;
      EXPECT_EQ(testsupport::scan(QImage(name), Format::Code39), std::optional<std::string>("A"))
          << row.name;
    }
  }
}

}  // namespace

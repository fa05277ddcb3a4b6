// The command line, run as the program itself: exit status, messages,
// what is written and what is not.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include "tests/support/scan.h"

namespace {

struct Outcome {
  int status = -1;
  QString out, err;
};

Outcome run(const QStringList& arguments,
            const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
  QProcess process;
  process.setProcessEnvironment(environment);
  process.start(QStringLiteral(BG_PROGRAM), arguments);
  if (!process.waitForFinished(60000)) return {};
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
          QString::fromUtf8(process.readAllStandardOutput()),
          QString::fromUtf8(process.readAllStandardError())};
}

struct Row {
  const char* name;
  QStringList arguments;  // "OUT" stands for the output file
  int status;
  const char* says;  // on standard error (standard output for status 0); "" for nothing
};

// Check digits: EAN-13 5901234123457 and UPC-A 036000291452 are the GS1 examples.
const Row kRows[] = {
    {"written",
     {"--type", "code128", "--data", "Hi 128", "--output", "OUT.png"},
     0,
     "X = 0.339 mm"},
    {"X in mm is kept exactly in SVG",
     {"--type", "code39", "--data", "A1", "--module", "0.33", "--dpi", "300", "--output",
      "OUT.svg"},
     0,
     "X = 0.330 mm"},
    {"X in mm snaps to whole dots in PNG and says the real X",
     {"--type", "code39", "--data", "A1", "--module", "0.33", "--dpi", "300", "--output",
      "OUT.png"},
     0,
     "X = 0.339 mm (4 dots)"},
    {"EAN-13 with its right check digit",
     {"--type", "ean13", "--data", "5901234123457", "--output", "OUT.pdf"},
     0,
     ""},
    {"UPC-A with its right check digit",
     {"--type", "upca", "--data", "036000291452", "--output", "OUT.bmp"},
     0,
     ""},
    {"Code 39 refuses #, naming it and its place",
     {"--type", "code39", "--data", "ab#c", "--output", "OUT.png"},
     1,
     "# is Invalid at position 3"},
    {"Code 128 names the character the window does not",
     {"--type", "code128", "--data", "ab\u00e9", "--output", "OUT.png"},
     1,
     "\u00e9 at position 3"},
    {"EAN-13 wrong check digit names the right one",
     {"--type", "ean13", "--data", "5901234123458", "--output", "OUT.png"},
     1,
     "it should be 7"},
    {"EAN-13 letter",
     {"--type", "ean13", "--data", "59012341234x", "--output", "OUT.png"},
     1,
     "x is Invalid at position 12"},
    {"EAN-13 too short",
     {"--type", "ean13", "--data", "59012", "--output", "OUT.png"},
     1,
     "Enter 12 digit number for EAN-13"},
    {"JAN-13 must start 45 or 49",
     {"--type", "jan13", "--data", "590123412345", "--output", "OUT.png"},
     1,
     "'45' or '49'"},
    {"ISBN must start 978 or 979",
     {"--type", "isbn", "--data", "590123412345", "--output", "OUT.png"},
     1,
     "'978' or '979'"},
    {"empty data", {"--type", "code39", "--data", "", "--output", "OUT.png"}, 1, "No data"},
    {"no output", {"--type", "code39", "--data", "A"}, 2, "Usage:"},
    {"unknown type", {"--type", "qr", "--data", "A", "--output", "OUT.png"}, 2, "code39, i2of5"},
    {"unknown format", {"--type", "code39", "--data", "A", "--output", "OUT.gif"}, 2, ".png, .svg"},
    {"dots out of range",
     {"--type", "code39", "--data", "A", "--dots", "21", "--output", "OUT.png"},
     2,
     "--dots"},
    {"dots and module",
     {"--type", "code39", "--data", "A", "--dots", "2", "--module", "0.3", "--output", "OUT.png"},
     2,
     "not both"},
    {"module too wide for 20 dots",
     {"--type", "code39", "--data", "A", "--module", "5", "--output", "OUT.png"},
     2,
     "at most 20"},
    {"Codabar has no check character",
     {"--type", "codabar", "--data", "123", "--check", "--output", "OUT.png"},
     2,
     "no check character"},
    {"unknown option",
     {"--type", "code39", "--data", "A", "--colour", "--output", "OUT.png"},
     2,
     "colour"},
    {"folder missing",
     {"--type", "code39", "--data", "A", "--output", "OUT/none/x.png"},
     3,
     "was not written"},
    // X = 4 × 25.4 / 300 = 0.339 mm: over the 0.19 mm the linear symbologies need.
    {"--verify: a symbol that passes",
     {"--type", "code128", "--data", "Hi 128", "--dots", "4", "--optimize", "--verify", "--output",
      "OUT.png"},
     0,
     "at X 0.339 mm, aperture 0.250 mm; C or better from"},
    // 15 mm at 300 dpi is 177.2 dots, drawn as 178: 15.1 mm; GS1 asks 22.85 mm at
    // X 0.330 mm, so 22.85 / 0.330 × 0.3387 = 23.5 mm here.
    {"--verify: EAN-13 typed with its check digit, bars shorter than GS1's",
     {"--type", "ean13", "--data", "5901234123457", "--height", "15", "--verify", "--output",
      "OUT.png"},
     4,
     "bar height 15.1 mm below the minimum 23.5 mm; zxing-cpp and zbar read 5901234123457"},
    // 0.042 mm at 600 dpi is one dot, 25.4 / 600 = 0.042 mm; GS1's least X is 0.264 mm.
    {"--verify: EAN-13 far below its least X",
     {"--type", "ean13", "--data", "590123412345", "--module", "0.042", "--dpi", "600", "--verify",
      "--output", "OUT.png"},
     4,
     "X 0.042 mm below the minimum 0.264 mm"},
    {"--verify: print spacing at one dot per module is written, and said not to scan",
     {"--type", "code128", "--data", "Hi 128", "--dots", "1", "--optimize", "--verify", "--output",
      "OUT.png"},
     4,
     "neither zxing-cpp nor zbar reads it: print spacing at one pixel per module"},
    // Its start and stop letters: the readers read the data between them.
    {"--verify: Codabar letters at both ends are its start and stop",
     {"--type", "codabar", "--data", "a123b", "--verify", "--output", "OUT.svg"},
     0,
     "zxing-cpp and zbar read 123"},
    {"Codabar: a start/stop letter inside the data is refused",
     {"--type", "codabar", "--data", "1a23", "--output", "OUT.svg"},
     1,
     "a is Invalid at position 2"},
    {"--min-grade takes a letter",
     {"--type", "code39", "--data", "A", "--verify", "--min-grade", "1.5", "--output", "OUT.png"},
     2,
     "--min-grade is A, B, C, D or F"},
    {"--min-grade needs something to grade",
     {"--type", "code39", "--data", "A", "--min-grade", "B", "--output", "OUT.png"},
     2,
     "--min-grade goes with --verify or --grade"},
    {"--grade writes nothing",
     {"--grade", "OUT.png", "--output", "OUT.png"},
     2,
     "--output does not go with --grade"},
    {"--grade of a file that is not there", {"--grade", "OUT/none.png"}, 3, "cannot be read"},
    {"help", {"--help"}, 0, "--module MM"},
    {"version", {"--version"}, 0, "barcode-generator 2.2"},
};

TEST(CommandLine, ExitStatusAndMessages) {
  for (const Row& row : kRows) {
    QTemporaryDir dir;
    const QString stem = QDir(dir.path()).filePath(QStringLiteral("out"));
    QStringList arguments;
    QString output;
    for (QString argument : row.arguments) {
      if (argument.startsWith(QLatin1String("OUT"))) {
        argument.replace(0, 3, stem);
        output = argument;
      }
      arguments << argument;
    }
    const Outcome result = run(arguments);
    EXPECT_EQ(result.status, row.status) << row.name << ": " << qPrintable(result.err);
    const QString& said = row.status == 0 ? result.out : result.err;
    EXPECT_TRUE(said.contains(QString::fromUtf8(row.says))) << row.name << ": " << qPrintable(said);
    if (row.status == 1) {
      EXPECT_EQ(result.err.count(QLatin1Char('\n')), 1) << row.name << ": one line";
    }
    // Written on success, and kept when it only fails to scan; nothing otherwise.
    const bool written = (row.status == 0 || row.status == 4) && !output.isEmpty();
    const QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    EXPECT_EQ(left.size(), written ? 1 : 0)
        << row.name << ": " << qPrintable(left.join(QLatin1Char(' ')));
  }
}

TEST(CommandLine, WorksWithoutADisplay) {
  QTemporaryDir dir;
  const QString file = QDir(dir.path()).filePath(QStringLiteral("c.png"));
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.remove(QStringLiteral("DISPLAY"));
  environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
  environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
  const Outcome result =
      run({QStringLiteral("--type"), QStringLiteral("code128"), QStringLiteral("--data"),
           QStringLiteral("no display"), QStringLiteral("--output"), file},
          environment);
  ASSERT_EQ(result.status, 0) << qPrintable(result.err);
  EXPECT_EQ(testsupport::scan(QImage(file), testsupport::Format::Code128),
            std::optional<std::string>("no display"));
  EXPECT_EQ(result.err, QString()) << "nothing on standard error when all went well";
}

TEST(CommandLine, AFolderAtTheNameIsRefusedAndKept) {
  QTemporaryDir dir;
  const QString folder = QDir(dir.path()).filePath(QStringLiteral("taken.png"));
  ASSERT_TRUE(QDir().mkdir(folder));
  const Outcome result =
      run({QStringLiteral("--type"), QStringLiteral("code39"), QStringLiteral("--data"),
           QStringLiteral("A"), QStringLiteral("--output"), folder});
  EXPECT_EQ(result.status, 3);
  EXPECT_TRUE(result.err.contains(QLatin1String("folder"))) << qPrintable(result.err);
  EXPECT_TRUE(QFileInfo(folder).isDir());
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 0);
}

TEST(CommandLine, ReplacesALinkWithoutFollowingIt) {
  QTemporaryDir dir;
  const QString target = QDir(dir.path()).filePath(QStringLiteral("precious.txt"));
  QFile precious(target);
  ASSERT_TRUE(precious.open(QIODevice::WriteOnly));
  precious.write("keep me");
  precious.close();
  const QString link = QDir(dir.path()).filePath(QStringLiteral("out.png"));
  ASSERT_TRUE(QFile::link(target, link));
  const Outcome result =
      run({QStringLiteral("--type"), QStringLiteral("code39"), QStringLiteral("--data"),
           QStringLiteral("A"), QStringLiteral("--output"), link});
  EXPECT_EQ(result.status, 0) << qPrintable(result.err);
  EXPECT_FALSE(QFileInfo(link).isSymLink());
  ASSERT_TRUE(precious.open(QIODevice::ReadOnly));
  EXPECT_EQ(precious.readAll(), QByteArray("keep me"));
}

}  // namespace

namespace {

// Warnings on standard error when the standard is not met, the file written
// and the exit status 0 all the same. The limits are GS1's for EAN/UPC (X
// from 0.264 to 0.660 mm, bars at least 18.28 mm) and the general 6.35 mm
// for the linear types.
TEST(CommandLine, WarningsFollowTheStandard) {
  struct Row {
    const char* name;
    QStringList arguments;
    QStringList warnings;  // in order; none: nothing on standard error
  };
  const Row rows[] = {
      {"EAN-13 at nominal size: nothing to say",
       {"--type", "ean13", "--data", "590123412345", "--module", "0.33", "--output", "OUT.svg"},
       {}},
      {"0.264 mm at 300 dpi is 3 dots, 0.254 mm: under the smallest X, and its bars short",
       {"--type", "ean13", "--data", "590123412345", "--module", "0.264", "--output", "OUT.png"},
       {"X = 0.254 mm is below the symbology's smallest, 0.264 mm",
        "the bars are 17.59 mm high, below the standard's 18.28 mm"}},
      {"X above 200 %",
       {"--type", "upca", "--data", "09736339584", "--module", "0.7", "--output", "OUT.pdf"},
       {"X = 0.700 mm is above the symbology's largest, 0.660 mm"}},
      {"EAN-13 bars cut to 15 mm",
       {"--type", "isbn", "--data", "978014300723", "--height", "15", "--output", "OUT.eps"},
       {"the bars are 15.00 mm high, below the standard's 18.28 mm"}},
      {"Code 128 bars under a quarter inch",
       {"--type", "code128", "--data", "Short", "--height", "5", "--output", "OUT.svg"},
       {"the bars are 5.00 mm high, below the standard's 6.35 mm"}},
      // 34 characters, start and check of 11 modules each, stop 13: 409
      // modules, 15 % of 409 x 0.33 mm = 20.25 mm.
      {"a long Code 128 needs 15 % of its length",
       {"--type", "code128", "--data", "ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGH", "--module", "0.33",
        "--height", "10", "--output", "OUT.svg"},
       {"the bars are 10.00 mm high, below the standard's 20.25 mm"}},
  };
  for (const Row& row : rows) {
    QTemporaryDir dir;
    QStringList arguments;
    for (QString argument : row.arguments)
      arguments << (argument.startsWith(QLatin1String("OUT"))
                        ? argument.replace(0, 3, dir.filePath(QStringLiteral("out")))
                        : argument);
    const Outcome result = run(arguments);
    EXPECT_EQ(result.status, 0) << row.name << ": " << qPrintable(result.err);
    QStringList said = result.err.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (QString& line : said) line.remove(QStringLiteral("barcode-generator: warning: "));
    EXPECT_EQ(said.join(QLatin1Char('|')).toStdString(),
              row.warnings.join(QLatin1Char('|')).toStdString())
        << row.name;
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1) << row.name;
  }
}

TEST(CommandLine, NewOptionsAreReadOrRefused) {
  struct Row {
    const char* name;
    QStringList arguments;
    int status;
    const char* says;
  };
  const Row rows[] = {
      {"X exactly at 2400 dpi in SVG",
       {"--type", "ean13", "--data", "590123412345", "--module", "0.33", "--dpi", "2400",
        "--output", "OUT.svg"},
       0,
       "X = 0.330 mm"},
      {"but 31 dots in PNG are too many",
       {"--type", "ean13", "--data", "590123412345", "--module", "0.33", "--dpi", "2400",
        "--output", "OUT.png"},
       2,
       "at most 20"},
      {"a reduction in mm, exactly in a vector file",
       {"--type", "code128", "--data", "R", "--module", "0.33", "--reduce", "0.03mm", "--output",
        "OUT.pdf"},
       0,
       "bars 0.030 mm narrower"},
      {"a reduction in dots of the resolution",
       {"--type", "code128", "--data", "R", "--dots", "8", "--reduce", "2", "--output", "OUT.png"},
       0,
       "bars 0.169 mm narrower (2 dots)"},
      {"more than a quarter of X",
       {"--type", "code128", "--data", "R", "--dots", "4", "--reduce", "2", "--output", "OUT.png"},
       2,
       "more than a quarter of X"},
      {"optimized below 4 dots: said, not done",
       {"--type", "code128", "--data", "R", "--dots", "3", "--optimize", "--output", "OUT.png"},
       0,
       "no bar reduction below 4 dots per module"},
      {"EAN/UPC are reduced only when asked",
       {"--type", "ean13", "--data", "590123412345", "--optimize", "--output", "OUT.png"},
       0,
       "reduced only when a reduction is given"},
      {"rotation by a quarter",
       {"--type", "code39", "--data", "A", "--rotate", "45", "--output", "OUT.png"},
       2,
       "--rotate is 0, 90, 180 or 270"},
      {"a colour in hex",
       {"--type", "code39", "--data", "A", "--fg", "navy", "--output", "OUT.png"},
       2,
       "--fg is a colour"},
      {"BMP cannot be transparent",
       {"--type", "code39", "--data", "A", "--bg", "none", "--output", "OUT.bmp"},
       2,
       "BMP has no transparency"},
      {"EPS is a format", {"--type", "code39", "--data", "A", "--output", "OUT.eps"}, 0, "mm"},
      {"a height",
       {"--type", "code39", "--data", "A", "--height", "0", "--output", "OUT.png"},
       2,
       "--height"},
  };
  for (const Row& row : rows) {
    QTemporaryDir dir;
    QStringList arguments;
    for (QString argument : row.arguments)
      arguments << (argument.startsWith(QLatin1String("OUT"))
                        ? argument.replace(0, 3, dir.filePath(QStringLiteral("out")))
                        : argument);
    const Outcome result = run(arguments);
    EXPECT_EQ(result.status, row.status) << row.name << ": " << qPrintable(result.err);
    const QString& said = row.status == 0 ? result.out : result.err;
    EXPECT_TRUE(said.contains(QString::fromUtf8(row.says))) << row.name << ": " << qPrintable(said);
  }
}

// What the program opens, as strace sees it.
QString filesOpened(const QStringList& arguments) {
  QTemporaryDir dir;
  const QString log = dir.filePath(QStringLiteral("trace"));
  QProcess process;
  process.start(
      QStringLiteral("strace"),
      QStringList{QStringLiteral("-f"), QStringLiteral("-e"), QStringLiteral("trace=open,openat"),
                  QStringLiteral("-o"), log, QStringLiteral(BG_PROGRAM)} +
          arguments);
  process.waitForFinished(60000);
  QFile file(log);
  file.open(QIODevice::ReadOnly);
  return QString::fromUtf8(file.readAll());
}

TEST(CommandLine, HelpAndExportsWithoutLabelOpenNoFont) {
  QTemporaryDir dir;
  const QString out = dir.filePath(QStringLiteral("x.svg"));
  struct Row {
    const char* name;
    QStringList arguments;
    bool opensFonts;
  };
  const Row rows[] = {
      {"--help", {QStringLiteral("--help")}, false},
      {"no label",
       {QStringLiteral("--type"), QStringLiteral("ean13"), QStringLiteral("--data"),
        QStringLiteral("590123412345"), QStringLiteral("--no-label"), QStringLiteral("--output"),
        out},
       false},
      {"EAN-13 digits: OCR B",
       {QStringLiteral("--type"), QStringLiteral("ean13"), QStringLiteral("--data"),
        QStringLiteral("590123412345"), QStringLiteral("--output"), out},
       true},
  };
  for (const Row& row : rows) {
    const QString opened = filesOpened(row.arguments);
    ASSERT_TRUE(opened.contains(QLatin1String("execve")) || !opened.isEmpty()) << row.name;
    const bool fonts = opened.contains(QLatin1String(".otf")) ||
                       opened.contains(QLatin1String(".ttf")) ||
                       opened.contains(QLatin1String("fontconfig"));
    EXPECT_EQ(fonts, row.opensFonts) << row.name << "\n" << qPrintable(opened);
    if (row.opensFonts) {
      EXPECT_TRUE(opened.contains(QLatin1String("OCRB.otf"))) << row.name;
    }
  }
}

TEST(CommandLine, ASingleExportLoadsNoQt) {
  // The program's own libraries, as the dynamic loader lists them.
  QProcess ldd;
  ldd.start(QStringLiteral("ldd"), {QStringLiteral(BG_PROGRAM)});
  ASSERT_TRUE(ldd.waitForFinished(60000));
  const QString libraries = QString::fromUtf8(ldd.readAllStandardOutput());
  EXPECT_FALSE(libraries.contains(QLatin1String("libQt6"))) << qPrintable(libraries);
  EXPECT_FALSE(libraries.contains(QLatin1String("ZXing"))) << qPrintable(libraries);
}

}  // namespace

// The grade and the readers' verdict at the level of the program: our files beside
// zint's, files other programs made or ImageMagick changed, and the readers' words
// against zbarimg and zxing-cpp run apart on the same files.
#define ZX_USE_UTF8 1
#include <ZXing/ReadBarcode.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "export/choices.h"
#include "export/verdict.h"
#include "tests/support/scan.h"

namespace {

struct Outcome {
  int status = -1;
  QString out, err;
};

Outcome runTool(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(120000)) return {};
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
          QString::fromUtf8(process.readAllStandardOutput()),
          QString::fromUtf8(process.readAllStandardError())};
}

Outcome ours(const QStringList& arguments) {
  return runTool(QStringLiteral(BG_PROGRAM), arguments);
}

bool made(const QString& program, const QStringList& arguments) {
  return runTool(program, arguments).status == 0;
}

// The summary line: the last line --grade or --verify printed.
QString summaryOf(const Outcome& outcome) {
  const QString all = outcome.status == 0 ? outcome.out : outcome.err + outcome.out;
  const QStringList lines = all.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  for (auto line = lines.rbegin(); line != lines.rend(); ++line)
    if (line->contains(QLatin1String("grade "))) return *line;
  return {};
}

// "grade A (4.0)"
QString gradeOf(const QString& summary) {
  const QRegularExpressionMatch m =
      QRegularExpression(QStringLiteral("grade [A-F] \\(\\d\\.\\d\\)")).match(summary);
  return m.hasMatch() ? m.captured(0) : QString();
}

QStringList split(const char* arguments) {
  return QString::fromUtf8(arguments).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

// At 300 dpi, 4 dots a module is zint's --scale=2: X = 4 × 25.4 / 300 = 0.339 mm. Black
// on white at whole dots, with an aperture narrower than the narrowest element (0.150 mm
// = 1.8 dots for EAN/UPC, 0.250 mm = 3.0 dots for the others), every parameter is at its
// best: symbol contrast 100 %, modulation 1, no defects; grade A (4.0) both.
struct Beside {
  const char* name;
  std::string_view key;
  const char* data;
  const char* zint;
  const char* reads;
};

const Beside kBesideZint[] = {
    {"Code39", "code39", "CODE39", "-b 8 -d CODE39", "CODE39"},
    {"Interleaved2of5", "i2of5", "12345678", "-b 3 -d 12345678", "12345678"},
    {"Code128", "code128", "Code 128", "-b 20 -d Code_128", "Code 128"},
    {"Codabar", "codabar", "123456", "-b 18 -d A123456A", "123456"},
    {"Ean13", "ean13", "400638133393", "-b 13 -d 400638133393", "4006381333931"},
    {"Jan13", "jan13", "490123456789", "-b 13 -d 490123456789", "4901234567894"},
    {"Isbn", "isbn", "978030640615", "-b 13 -d 978030640615", "9780306406157"},
    {"UpcA", "upca", "03600029145", "-b 34 -d 03600029145", "036000291452"},
};

void PrintTo(const Beside& c, std::ostream* os) { *os << c.name; }

class BesideZint : public testing::TestWithParam<Beside> {};

TEST_P(BesideZint, OursAndZintsGradeAlike) {
  const Beside& c = GetParam();
  QTemporaryDir dir;
  const QString mine = dir.filePath(QStringLiteral("ours.png"));
  const QString theirs = dir.filePath(QStringLiteral("zint.png"));
  const QString key = QString::fromLatin1(c.key.data(), static_cast<qsizetype>(c.key.size()));
  ASSERT_EQ(ours({"--type", key, "--data", c.data, "--dots", "4", "--output", mine}).status, 0);
  QStringList zint = split(c.zint);
  zint.replaceInStrings(QStringLiteral("_"), QStringLiteral(" "));
  ASSERT_TRUE(
      made(QStringLiteral("zint"), zint + QStringList{"--scale=2", "--quietzones", "-o", theirs}));
  const QString ourLine = summaryOf(ours({"--grade", mine, "--type", key}));
  const QString zintLine = summaryOf(ours({"--grade", theirs, "--type", key}));
  EXPECT_EQ(gradeOf(ourLine), QStringLiteral("grade A (4.0)")) << qPrintable(ourLine);
  EXPECT_EQ(gradeOf(zintLine), QStringLiteral("grade A (4.0)")) << qPrintable(zintLine);
  const QString reads = QStringLiteral("zxing-cpp and zbar read ") + QString::fromUtf8(c.reads);
  EXPECT_TRUE(ourLine.endsWith(reads)) << qPrintable(ourLine);
  EXPECT_TRUE(zintLine.endsWith(reads)) << qPrintable(zintLine);
  EXPECT_TRUE(ourLine.contains(QLatin1String("at X 0.339 mm"))) << qPrintable(ourLine);
  EXPECT_TRUE(zintLine.contains(QLatin1String("at X 0.339 mm"))) << qPrintable(zintLine);
}

INSTANTIATE_TEST_SUITE_P(AllEightTypes, BesideZint, testing::ValuesIn(kBesideZint),
                         [](const auto& info) { return std::string(info.param.name); });

// A file made by zint, or by us and changed by ImageMagick, and what --grade says of it.
struct Made {
  const char* name;
  const char* maker;    // "zint" or "ours"
  const char* makes;    // its arguments; the file is "FILE" with this extension
  const char* ext;      // the file's extension
  const char* convert;  // ImageMagick's change, or ""
  const char* grade;    // --grade's arguments after the file
  int status;
  std::vector<const char*> says;  // all in the output
};

const Made kMade[] = {
    // zint's EAN-13 bars are 50 X high; GS1 asks 22.85 mm at X 0.330 mm, 69.2 X: --height 70.
    {"ZintEan13AtGs1Height",
     "zint",
     "-b 13 -d 400638133393 --scale=2 --height=70",
     "png",
     "",
     "--type ean13 --data 400638133393",
     0,
     {"FILE: EAN-13", "symbol grade 4.0 (A)", "grade A (4.0) at X 0.339 mm, aperture 0.150 mm;",
      "; zxing-cpp and zbar read 4006381333931"}},
    {"ZintEan13ShorterThanGs1",
     "zint",
     "-b 13 -d 400638133393 --scale=2",
     "png",
     "",
     "--type ean13",
     4,
     {"bar height 16.9 mm below the minimum 23.5 mm"}},
    // No resolution in zint's PNG: --dpi says it. X = 4 × 25.4 / 600 = 0.169 mm.
    {"ZintAt600Dpi",
     "zint",
     "-b 13 -d 400638133393 --scale=2 --height=70",
     "png",
     "",
     "--dpi 600",
     4,
     {"FILE: EAN-13", "at X 0.169 mm", "X 0.169 mm below the minimum 0.264 mm"}},
    // zint's vectors at --scale=2 draw a module 4 pt wide: 4 × 25.4 / 72 = 1.411 mm.
    {"ZintEpsThroughGhostscript",
     "zint",
     "-b 13 -d 400638133393 --scale=2",
     "eps",
     "",
     "",
     4,
     {"FILE: EAN-13", "grade A (4.0) at X 1.411 mm", "X 1.411 mm above the maximum 0.660 mm",
      "zxing-cpp and zbar read 4006381333931"}},
    {"ZintSvgThroughLibrsvg",
     "zint",
     "-b 20 -d Hi --scale=2 --quietzones",
     "svg",
     "",
     "--type code128",
     0,
     {"grade A (4.0)", "zxing-cpp and zbar read Hi"}},
    {"ZintCode128WithoutQuietZones",
     "zint",
     "-b 20 -d Hi --scale=2",
     "png",
     "",
     "",
     4,
     {"FILE: Code 128", "left quiet zone 0.0 X below the minimum 10.0 X",
      "right quiet zone 0.0 X below the minimum 10.0 X"}},
    // None of our eight: found by its bars.
    {"ZintEan8FoundWithoutType",
     "zint",
     "-b 13 -d 1234567 --scale=2",
     "png",
     "",
     "",
     4,
     {"FILE: EAN-8", "zxing-cpp and zbar read 12345670"}},
    // +level 20%,80% puts black at 51 and white at 204 of 255: SC = 60 %, B (55 to 70);
    // MOD = EC / SC = 1, Rmin 20 % is under half of Rmax 80 %: every line B, 3.0.
    {"OursMadeGrey",
     "ours",
     "--type code128 --data Hi_128",
     "png",
     "+level 20%,80%",
     "--type code128",
     0,
     {"grade B (3.0)", "symbol grade 3.0 (B), limited by symbol contrast"}},
    {"OursMadeGreyBelowA",
     "ours",
     "--type code128 --data Hi_128",
     "png",
     "+level 20%,80%",
     "--type code128 --min-grade A",
     4,
     {"grade B (3.0)", "below A without ink spread"}},
    // At 660 nm red is as light as the paper: the red channel of red is 255.
    {"OursWithRedBars",
     "ours",
     "--type code128 --data Hi_128",
     "png",
     "-fill red -opaque black",
     "--type code128",
     4,
     {"grade F (0.0): no bars found; neither zxing-cpp nor zbar reads it"}},
    {"OursWithBlueBars",
     "ours",
     "--type code128 --data Hi_128",
     "png",
     "-fill blue -opaque black",
     "--type code128",
     0,
     {"grade A (4.0)"}},
    {"OursWithOtherData",
     "ours",
     "--type code128 --data Hi_128",
     "png",
     "",
     "--type code128 --data Hi_129",
     4,
     {"zxing-cpp and zbar read Hi 128, not Hi 129"}},
    // The resolution each file stores: X = 4 × 25.4 / 150 = 0.677 mm.
    {"OurBmpKeepsItsResolution",
     "ours",
     "--type code128 --data Hi_128 --dpi 150",
     "bmp",
     "",
     "",
     0,
     {"FILE: Code 128", "at X 0.677 mm", "zxing-cpp and zbar read Hi 128"}},
};

void PrintTo(const Made& c, std::ostream* os) { *os << c.name; }

class Graded : public testing::TestWithParam<Made> {};

TEST_P(Graded, SaysWhatTheFileIs) {
  const Made& c = GetParam();
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("made.") + QString::fromLatin1(c.ext));
  QStringList makes = split(c.makes);
  makes.replaceInStrings(QStringLiteral("_"), QStringLiteral(" "));
  if (std::string_view(c.maker) == "zint")
    ASSERT_TRUE(made(QStringLiteral("zint"), makes + QStringList{"-o", file}));
  else
    ASSERT_EQ(ours(makes + QStringList{"--output", file}).status, 0);
  QString graded = file;
  if (*c.convert != '\0') {
    graded = dir.filePath(QStringLiteral("changed.png"));
    ASSERT_TRUE(made(QStringLiteral("convert"),
                     QStringList{file} + split(c.convert) + QStringList{graded}));
  }
  QStringList arguments = split(c.grade);
  arguments.replaceInStrings(QStringLiteral("_"), QStringLiteral(" "));
  const Outcome result = ours(QStringList{"--grade", graded} + arguments);
  EXPECT_EQ(result.status, c.status) << qPrintable(result.out + result.err);
  const QString said = QString(result.out).replace(graded, QStringLiteral("FILE"));
  for (const char* part : c.says)
    EXPECT_TRUE(said.contains(QString::fromUtf8(part))) << part << "\n" << qPrintable(said);
  // A row per scan line, the symbol's grade, a row per physical check and the summary.
  if (result.status == 0) {
    EXPECT_EQ(said.count(QLatin1Char('\n')), 1 + 1 + 10 + 1 + 1 + 4 + 1) << qPrintable(said);
  }
}

INSTANTIATE_TEST_SUITE_P(OtherProgramsAndImageMagick, Graded, testing::ValuesIn(kMade),
                         [](const auto& info) { return std::string(info.param.name); });

// The PDF's page is whole points wide, so its right quiet zone is what pdfinfo's width
// leaves after the left quiet zone (11 X) and the symbol (95 X).
TEST(Pdf, RightQuietZoneIsWhatPdfinfosPageWidthLeaves) {
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("e.pdf"));
  ASSERT_EQ(ours({"--type", "ean13", "--data", "400638133393", "--output", file}).status, 0);
  const Outcome info = runTool(QStringLiteral("pdfinfo"), {file});
  const QRegularExpressionMatch size =
      QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x")).match(info.out);
  ASSERT_TRUE(size.hasMatch()) << qPrintable(info.out);
  const double x = 4 * 25.4 / 300;
  const double expected = (size.captured(1).toDouble() * 25.4 / 72 - (11 + 95) * x) / x;
  const QString line = summaryOf(ours({"--grade", file}));
  const QRegularExpressionMatch quiet =
      QRegularExpression(QStringLiteral("right quiet zone ([\\d.]+) X")).match(line);
  if (expected + 0.05 >= 7) {
    EXPECT_FALSE(quiet.hasMatch()) << qPrintable(line);
    return;
  }
  ASSERT_TRUE(quiet.hasMatch()) << qPrintable(line);
  EXPECT_NEAR(quiet.captured(1).toDouble(), expected, 0.06) << qPrintable(line);
}

// zxing-cpp on the file's own pixels, red channel, no margin added: its text, Codabar's
// start and stop letters off.
std::optional<std::string> zxingOnFile(const QString& file, const app::Choice& choice) {
  const QImage grey = QImage(file).convertToFormat(QImage::Format_Grayscale8);
  if (grey.isNull()) return std::nullopt;
  ZXing::DecodeHints hints;
  hints.setFormats(app::readerSymbology(choice.id).zxing);
  hints.setTryHarder(true);
  hints.setTryRotate(false);
  const ZXing::ImageView view(grey.constBits(), grey.width(), grey.height(),
                              ZXing::ImageFormat::Lum, static_cast<int>(grey.bytesPerLine()));
  const ZXing::Result result = ZXing::ReadBarcode(view, hints);
  if (!result.isValid()) return std::nullopt;
  return result.text();
}

struct Export {
  const char* name;
  std::string_view key;
  QString data;
  int dots;
  bool optimize;
  const char* ext;
};

const Export kExports[] = {
    {"Code39SignsWithPrintSpacing", "code39", "A$B", 4, true, "png"},
    {"Code128AtOneDot", "code128", "Hello world!", 1, false, "png"},
    {"Code128AtOneDotWithPrintSpacing", "code128", "Hi 128", 1, true, "png"},
    {"UpcAAtOneDot", "upca", "03600029145", 1, false, "png"},
    {"Ean13AtThreeDots", "ean13", "400638133393", 3, false, "png"},
    {"CodabarBmp", "codabar", "123-456$", 2, false, "bmp"},
    {"Interleaved2of5Pdf", "i2of5", "1234567", 3, true, "pdf"},
    {"Code128PastZbarsLength", "code128", QString(260, QLatin1Char('A')), 2, false, "png"},
    {"IsbnPdf", "isbn", "978030640615", 4, false, "pdf"},
};

void PrintTo(const Export& c, std::ostream* os) { *os << c.name; }

class Readers : public testing::TestWithParam<Export> {};

// What --verify says each reader read, against zbarimg and zxing-cpp on the file (a PDF
// drawn by pdftoppm at the same resolution first).
TEST_P(Readers, AgreeWithZbarimgAndZxingOnTheFile) {
  const Export& c = GetParam();
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("x.") + QString::fromLatin1(c.ext));
  const QString key = QString::fromLatin1(c.key.data(), static_cast<qsizetype>(c.key.size()));
  QStringList arguments{"--type",   key,        "--data", c.data, "--dots", QString::number(c.dots),
                        "--verify", "--output", file};
  if (c.optimize) arguments << QStringLiteral("--optimize");
  const QString line = summaryOf(ours(arguments));
  ASSERT_FALSE(line.isEmpty());

  QString seen = file;
  if (std::string_view(c.ext) == "pdf") {
    const QString prefix = dir.filePath(QStringLiteral("drawn"));
    ASSERT_TRUE(
        made(QStringLiteral("pdftoppm"), {"-r", "300", "-png", "-singlefile", file, prefix}));
    seen = prefix + QStringLiteral(".png");
  }
  const app::Choice& choice = *app::choiceByKey(c.key);
  const auto carried = app::carriedText(choice, c.data, {.printSpacing = c.optimize});
  ASSERT_TRUE(carried);
  const std::string wanted = carried->toStdString();
  const bool zbarReads = testsupport::zbarimg(seen, c.key) == wanted;
  const bool zxingReads = zxingOnFile(seen, choice) == wanted;

  const bool both = line.contains(QStringLiteral("zxing-cpp and zbar read ") + *carried) &&
                    !line.contains(QLatin1String(", not "));
  EXPECT_EQ(both || line.contains(QStringLiteral("zxing-cpp reads ") + *carried), zxingReads)
      << qPrintable(line);
  EXPECT_EQ(both || line.contains(QStringLiteral("zbar reads ") + *carried), zbarReads)
      << qPrintable(line);
}

INSTANTIATE_TEST_SUITE_P(OurExports, Readers, testing::ValuesIn(kExports),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BatchVerify, GradesEveryFileAndReportsEachThatFails) {
  QTemporaryDir dir;
  const QString list = dir.filePath(QStringLiteral("list.csv"));
  QFile out(list);
  ASSERT_TRUE(out.open(QIODevice::WriteOnly));
  out.write("code128,Hi 128\ncode39,A$B\nean13,590123412345\n");
  out.close();
  const QString folder = dir.filePath(QStringLiteral("out"));
  // Bars of 15 mm are short of GS1's 23.5 mm for the EAN-13, and enough for the others.
  const Outcome result = ours({"--batch", list, "--output", folder, "--dots", "4", "--optimize",
                               "--height", "15", "--verify", "--jobs", "2"});
  EXPECT_EQ(result.status, 4) << qPrintable(result.err);
  EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 3);
  EXPECT_FALSE(result.err.contains(QLatin1String("line 1:"))) << qPrintable(result.err);
  EXPECT_TRUE(result.err.contains(QLatin1String("line 2: 2_A$B.png: grade A (4.0)")))
      << qPrintable(result.err);
  EXPECT_TRUE(result.err.contains(QLatin1String("zxing-cpp does not read it (print spacing")))
      << qPrintable(result.err);
  EXPECT_TRUE(result.err.contains(QLatin1String("line 3: 3_590123412345.png: ")))
      << qPrintable(result.err);
  EXPECT_TRUE(result.err.contains(QLatin1String("bar height 15.1 mm below the minimum 23.5 mm")))
      << qPrintable(result.err);
}

}  // namespace

namespace {

// A turned export is graded as ImageMagick turns it back: the same line, both quiet zones
// on their own sides (EAN-13's 11 X left and 7 X right tell a mirror from a turn).
struct Turned {
  const char* name;
  const char* rotate;
  const char* format;
};

constexpr Turned kTurned[] = {
    {"QuarterPng", "90", "png"},        {"HalfPng", "180", "png"},
    {"ThreeQuartersPng", "270", "png"}, {"QuarterSvg", "90", "svg"},
    {"ThreeQuartersEps", "270", "eps"}, {"HalfPdf", "180", "pdf"},
};

class TurnedExports : public testing::TestWithParam<Turned> {};

TEST_P(TurnedExports, GradeAsTurnedBack) {
  const Turned& c = GetParam();
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("turned.") + QLatin1String(c.format));
  const Outcome verified = ours({"--type", "ean13", "--data", "590123412345", "--rotate", c.rotate,
                                 "--verify", "--output", file});
  ASSERT_EQ(verified.status, 0) << qPrintable(verified.err);
  if (QLatin1String(c.format) != QLatin1String("png")) return;
  const QString back = dir.filePath(QStringLiteral("back.png"));
  ASSERT_TRUE(made(QStringLiteral("convert"),
                   {file, QStringLiteral("-rotate"), QStringLiteral("-") + QLatin1String(c.rotate),
                    QStringLiteral("-units"), QStringLiteral("PixelsPerInch"),
                    QStringLiteral("-density"), QStringLiteral("300"), back}));
  const Outcome graded = ours({"--grade", back, "--type", "ean13", "--data", "590123412345"});
  EXPECT_EQ(graded.status, 0) << qPrintable(graded.out + graded.err);
  EXPECT_EQ(summaryOf(graded), summaryOf(verified));
  EXPECT_TRUE(graded.out.contains(QLatin1String("11.0 / 7.0"))) << qPrintable(graded.out);
}

INSTANTIATE_TEST_SUITE_P(OurExports, TurnedExports, testing::ValuesIn(kTurned),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

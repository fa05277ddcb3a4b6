// The types and options beyond the window's, through the program itself:
// module by module against libzint, read back by zxing-cpp and zbarimg, and
// every refusal one line naming its position.
#include <gtest/gtest.h>
#include <zint.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <map>

#include "export/choices.h"
#include "tests/support/documents.h"
#include "tests/support/pixels.h"
#include "tests/support/scan.h"

namespace {

struct Ran {
  int status = -1;
  QString err;
};

Ran program(const QStringList& arguments) {
  QProcess process;
  process.start(QStringLiteral(BG_PROGRAM), arguments);
  if (!process.waitForFinished(60000)) return {};
  return {process.exitCode(), QString::fromUtf8(process.readAllStandardError())};
}

// Writes the symbol of the arguments into the folder; its file.
QString written(const QTemporaryDir& dir, QStringList arguments, const char* name = "v.png") {
  const QString file = QDir(dir.path()).filePath(QString::fromLatin1(name));
  arguments << QStringLiteral("--output") << file;
  const Ran run = program(arguments);
  EXPECT_EQ(run.status, 0) << qPrintable(arguments.join(' ')) << ": " << qPrintable(run.err);
  return file;
}

// The modules across the middle row of a file drawn at one dot a module,
// first bar to last; a wide Codabar element (3) as libzint draws it (2).
std::string modulesOf(const QImage& image, bool twoToOne = false) {
  const int y = image.height() / 2;
  const auto dark = testsupport::darkColumns(image, y);
  QString modules;
  for (int x = dark.empty() ? 0 : dark.front(); !dark.empty() && x <= dark.back(); ++x)
    modules += testsupport::isDark(image.pixel(x, y)) ? QLatin1Char('1') : QLatin1Char('0');
  if (twoToOne)
    modules.replace(QRegularExpression(QStringLiteral("(?<!1)1(11)(?!1)")), QStringLiteral("\\1"))
        .replace(QRegularExpression(QStringLiteral("(?<!0)0(00)(?!0)")), QStringLiteral("\\1"));
  return modules.toStdString();
}

// libzint's modules for the same data, "1" dark.
std::string zintModules(int symbology, const std::string& data, int inputMode = DATA_MODE,
                        int addOnGap = 0) {
  zint_symbol* symbol = ZBarcode_Create();
  symbol->symbology = symbology;
  symbol->input_mode = inputMode;
  if (addOnGap) symbol->option_2 = addOnGap;
  const int error = ZBarcode_Encode(symbol, reinterpret_cast<const unsigned char*>(data.data()),
                                    static_cast<int>(data.size()));
  std::string modules = error >= ZINT_ERROR ? std::string("zint: ") + symbol->errtxt : "";
  for (int x = 0; error < ZINT_ERROR && x < symbol->width; ++x)
    modules.push_back(symbol->encoded_data[0][x / 8] >> (x % 8) & 1 ? '1' : '0');
  ZBarcode_Delete(symbol);
  while (!modules.empty() && modules.back() == '0') modules.pop_back();
  return modules;
}

struct ModuleCase {
  const char* name;
  QStringList arguments;
  int zint;  // libzint's symbology, given the same data
  std::string zintData;
  int inputMode = DATA_MODE;
  int addOnGap = 0;  // libzint's default unless given
};

// clang-format off
const ModuleCase kModules[] = {
    {"EAN-13 + EAN-2, 7 modules apart", {"--type", "ean13", "--data", "5901234123457+12"}, BARCODE_EANX, "5901234123457+12"},
    {"JAN-13 + EAN-5 given apart", {"--type", "jan13", "--data", "490123456789", "--addon", "12345"}, BARCODE_EANX, "490123456789+12345"},
    {"ISBN-10 with hyphens + EAN-5", {"--type", "isbn", "--data", "0-306-40615-2+51299"}, BARCODE_ISBNX, "0306406152+51299"},
    {"UPC-A + EAN-2, 9 apart", {"--type", "upca", "--data", "03600029145+12"}, BARCODE_UPCA, "03600029145+12"},
    {"UPC-E of 7 + EAN-2, 9 apart as after UPC-A", {"--type", "upce", "--data", "0123456+12"}, BARCODE_UPCE, "0123456+12", DATA_MODE, 9},
    {"UPC-E of UPC-A 0 12000 00345: GS1's 0 X1X2 000 00X3X4X5 is X1X2X3X4X5 0", {"--type", "upce", "--data", "01200000345"}, BARCODE_UPCE, "0123450"},
    {"EAN-8 + EAN-5", {"--type", "ean8", "--data", "9638507+12345"}, BARCODE_EANX, "9638507+12345"},
    {"ITF-14 between its bearer bars", {"--type", "itf14", "--data", "1540014128876", "--bearers", "top-bottom"}, BARCODE_ITF14, "1540014128876"},
    {"GS1-128, FNC1 after the batch", {"--type", "gs1-128", "--data", "(10)ABC(01)09501101530003"}, BARCODE_GS1_128, "(10)ABC(01)09501101530003", GS1_MODE | GS1PARENS_MODE},
    {"GS1-128 of the GS1 example", {"--type", "gs1-128", "--data", "(01)09501101530003(17)250101(10)ABC"}, BARCODE_GS1_128, "(01)09501101530003(17)250101(10)ABC", GS1_MODE | GS1PARENS_MODE},
    {"Code 128 auto: 14 digits in C", {"--type", "code128", "--data", "12345678901234"}, BARCODE_CODE128, "12345678901234"},
    {"Code 128 auto: a run of 6 between letters", {"--type", "code128", "--data", "ABC123456def"}, BARCODE_CODE128, "ABC123456def"},
    {"Code 128 auto: odd run of 5 at the start", {"--type", "code128", "--data", "12345AB"}, BARCODE_CODE128, "12345AB"},
    {"Code 128 auto: a control character in A", {"--type", "code128", "--data", "AB\tCD"}, BARCODE_CODE128, "AB\tCD"},
    {"Codabar ends from the data", {"--type", "codabar", "--data", "B123-45C"}, BARCODE_CODABAR, "B123-45C"},
    {"Codabar ends given", {"--type", "codabar", "--data", "40156", "--codabar-ends", "DA"}, BARCODE_CODABAR, "D40156A"},
};
// clang-format on

TEST(VariantsThroughTheProgram, ModulesAreLibzints) {
  QTemporaryDir dir;
  for (const ModuleCase& c : kModules) {
    QStringList arguments = c.arguments;
    arguments << QStringLiteral("--dots") << QStringLiteral("1") << QStringLiteral("--no-label");
    const QImage image(written(dir, arguments));
    const bool codabar = c.zint == BARCODE_CODABAR;
    EXPECT_EQ(modulesOf(image, codabar), zintModules(c.zint, c.zintData, c.inputMode, c.addOnGap))
        << c.name;
  }
}

// zbarimg's symbols, add-ons on, one "TYPE:data" a line in its order.
std::string zbarReads(const QString& file) {
  QProcess zbar;
  zbar.start(QStringLiteral("zbarimg"), {QStringLiteral("-q"), QStringLiteral("-Sean2.enable"),
                                         QStringLiteral("-Sean5.enable"), file});
  zbar.waitForFinished(30000);
  return zbar.readAllStandardOutput().trimmed().replace('\x1d', "<GS>").toStdString();
}

struct ReadCase {
  const char* name;  // where the digits come from
  QStringList arguments;
  std::string zxing, zbar;
};

// clang-format off
const ReadCase kReads[] = {
    {"EAN-13 + EAN-2: GS1's 590123412345 7", {"--type", "ean13", "--data", "590123412345+12"}, "5901234123457 12|]E3", "EAN-2:12\nEAN-13:5901234123457"},
    {"ISBN-13 with hyphens + EAN-5 price", {"--type", "isbn", "--data", "978-0-306-40615-7", "--addon", "51299"}, "9780306406157 51299|]E3", "EAN-5:51299\nEAN-13:9780306406157"},
    {"ISBN-10 ending X: 978 and a new check, 3", {"--type", "isbn", "--data", "0-8044-2957-X"}, "9780804429573|]E0", "EAN-13:9780804429573"},
    {"UPC-A + EAN-5", {"--type", "upca", "--data", "03600029145+52495"}, "036000291452 52495|]E3", "EAN-5:52495\nEAN-13:0036000291452"},
    {"UPC-E 123456: UPC-A 0 12345 0000 6, check 5", {"--type", "upce", "--data", "123456"}, "01234565|]E0", "EAN-13:0012345000065"},
    {"UPC-E + EAN-2", {"--type", "upce", "--data", "123456+07"}, "01234565 07|]E3", "EAN-2:07\nEAN-13:0012345000065"},
    {"EAN-8: GS1's 9638507 4", {"--type", "ean8", "--data", "9638507"}, "96385074|]E4", "EAN-8:96385074"},
    {"EAN-8 + EAN-2", {"--type", "ean8", "--data", "96385074+12"}, "96385074 12|]E4", "EAN-2:12\nEAN-8:96385074"},
    {"ITF-14 in its frame: GS1's 1540014128876 3", {"--type", "itf14", "--data", "1540014128876"}, "15400141288763|]I1", "I2/5:15400141288763"},
    {"GS1-128: the AIs, GS after the batch", {"--type", "gs1-128", "--data", "(10)ABC(01)09501101530003"}, "10ABC\x1d" "0109501101530003|]C1", "CODE-128:10ABC<GS>0109501101530003"},
    {"Code 128 in code set C", {"--type", "code128", "--data", "123456", "--code-set", "C"}, "123456|]C0", "CODE-128:123456"},
    {"Codabar D ... A", {"--type", "codabar", "--data", "40156", "--codabar-ends", "DA"}, "40156|]F0", "Codabar:D40156A"},
};
// clang-format on

TEST(VariantsThroughTheProgram, BothReadersReadEveryVariant) {
  QTemporaryDir dir;
  for (const ReadCase& c : kReads) {
    QStringList arguments = c.arguments;
    arguments << QStringLiteral("--dots") << QStringLiteral("3");
    const QString file = written(dir, arguments);
    const bool addOn = c.zxing.find(' ') != std::string::npos;
    EXPECT_EQ(testsupport::scanAny(QImage(file), addOn), c.zxing) << c.name;
    EXPECT_EQ(zbarReads(file), c.zbar) << c.name;
    // --verify's readers read what zxing-cpp read above. X = 3 × 25.4 / 300 = 0.254 mm is
    // under GS1's least (0.264 mm, ITF-14 and GS1-128 0.495 mm), so the checks may fail it.
    QProcess verify;
    verify.start(QStringLiteral(BG_PROGRAM),
                 arguments << QStringLiteral("--verify") << QStringLiteral("--output") << file);
    ASSERT_TRUE(verify.waitForFinished(60000));
    const QString said = QString::fromUtf8(verify.readAll() + verify.readAllStandardError());
    const std::string text = c.zxing.substr(0, c.zxing.find('|'));
    EXPECT_TRUE(
        said.contains(QStringLiteral("zxing-cpp and zbar read ") +
                      QString::fromStdString(text).replace(QChar(0x1d), QStringLiteral("<GS>"))))
        << c.name << ": " << qPrintable(said);
  }
}

struct RefusalCase {
  const char* name;
  QStringList arguments;
  const char* says;  // the whole line, positions from 1
};

// clang-format off
const RefusalCase kRefusals[] = {
    {"AI check digit: (01)09501101530003 ends 3", {"--type", "gs1-128", "--data", "(01)09501101530004"}, "Wrong check digit 4 at position 18 in (01): it should be 3"},
    {"unknown AI", {"--type", "gs1-128", "--data", "(23)12"}, "Unknown AI (23) at position 2"},
    {"bad date: month 13", {"--type", "gs1-128", "--data", "(01)09501101530003(17)251301"}, "Bad date in (17): no month 13 at position 25"},
    {"bad date: 30 February", {"--type", "gs1-128", "--data", "(17)250230"}, "Bad date in (17): no day 30 at position 9"},
    {"batch (10) of 21 characters", {"--type", "gs1-128", "--data", "(10)ABCDEFGHIJKLMNOPQRSTU"}, "(10) takes at most 20 characters: U at position 25 is one too many"},
    {"UPC-E: 0 12300 00145 has an item past 99", {"--type", "upce", "--data", "01230000145"}, "The UPC-A number does not compress to UPC-E: 1 at position 9; after a manufacturer code ending in 00 the item is 0 to 99"},
    {"ISBN-10 0-306-40615-2 checks 2, not 3", {"--type", "isbn", "--data", "0-306-40615-3"}, "Wrong check character 3 at position 13: it should be 2"},
    {"ISBN-10 080442957X checks X", {"--type", "isbn", "--data", "0804429571"}, "Wrong check character 1 at position 10: it should be X"},
    {"EAN-8 9638507 checks 4", {"--type", "ean8", "--data", "96385075"}, "Wrong check digit 5 at position 8: it should be 4"},
    {"ITF-14 checks 3", {"--type", "itf14", "--data", "15400141288764"}, "Wrong check digit 4 at position 14: it should be 3"},
    {"add-on of 3", {"--type", "ean13", "--data", "590123412345+123"}, "The add-on after the + at position 13 takes 2 or 5 digits: 3 given"},
    {"two add-ons", {"--type", "ean13", "--data", "590123412345+12", "--addon", "34"}, "Two add-ons: one after the + in the data, one given apart"},
    {"Codabar letter inside", {"--type", "codabar", "--data", "12a3"}, "a is Invalid at position 3: A to D only start and stop Codabar, as its first and last characters"},
    {"Codabar start letter without a stop", {"--type", "codabar", "--data", "B123"}, "3 is Invalid at position 4: a start letter needs a stop letter, A to D"},
    {"code set C, odd digits", {"--type", "code128", "--data", "123", "--code-set", "C"}, "Code set C takes digits in pairs: the digit at position 3 has none"},
};
// clang-format on

TEST(VariantsThroughTheProgram, RefusalsAreOneLineNamingThePosition) {
  for (const RefusalCase& c : kRefusals) {
    QTemporaryDir dir;
    QStringList arguments = c.arguments;
    arguments << QStringLiteral("--output") << QDir(dir.path()).filePath(QStringLiteral("r.png"));
    const Ran run = program(arguments);
    EXPECT_EQ(run.status, 1) << c.name;
    EXPECT_EQ(run.err, QStringLiteral("barcode-generator: ") + QString::fromUtf8(c.says) + '\n')
        << c.name;
    EXPECT_TRUE(QDir(dir.path()).isEmpty()) << c.name;
  }
}

TEST(VariantsThroughTheProgram, Code128CodeSetsAsAsked) {
  // 14 digits: start, 7 pairs in C or 14 characters in A or B, check; 11 modules
  // each, the stop 13.
  QTemporaryDir dir;
  for (const auto& [set, characters] : {std::pair{"auto", 9}, {"C", 9}, {"B", 16}, {"A", 16}}) {
    const QImage image(written(dir, {"--type", "code128", "--data", "12345678901234", "--code-set",
                                     set, "--dots", "1", "--no-label"}));
    EXPECT_EQ(modulesOf(image).size(), characters * 11u + 13) << set;
  }
}

// The texts of an SVG with their baselines, and the bars' top and bottom.
// Where a PDF's text lines stand (pdftotext's boxes, their middles) and its
// bars (poppler's rendering), in points from the top.
struct Page {
  std::vector<std::pair<QString, double>> texts;
  double barsTop = 1e9, barsBottom = 0, lastBarTop = 0;
};

Page readPdf(const QString& file) {
  Page page;
  // Words of a line, left to right, joined into its text.
  const QString words = QString::fromUtf8(testsupport::runProgram(
      QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), file, QStringLiteral("-")}));
  const QRegularExpression word(QStringLiteral(
      "<word xMin=\"([-0-9.]+)\" yMin=\"([-0-9.]+)\" xMax=\"[-0-9.]+\" yMax=\"([-0-9.]+)\">"
      "([^<]*)</word>"));
  std::map<double, std::vector<std::pair<double, QString>>> lines;
  for (const auto& match : word.globalMatch(words)) {
    const double middle = (match.captured(2).toDouble() + match.captured(3).toDouble()) / 2;
    lines[middle].emplace_back(match.captured(1).toDouble(), match.captured(4));
  }
  for (auto& [middle, parts] : lines) {
    std::sort(parts.begin(), parts.end());
    QStringList text;
    for (const auto& part : parts) text << part.second;
    page.texts.emplace_back(text.join(QLatin1Char(' ')), middle);
  }
  constexpr int kDpi = 300;
  QFile in(file);
  EXPECT_TRUE(in.open(QIODevice::ReadOnly));
  const QImage image = testsupport::picture(render::Format::Pdf, in.readAll(), kDpi);
  const auto across = testsupport::darkColumns(image, image.height() / 2);
  if (across.empty()) return page;
  const auto down = [&](int x) {
    std::vector<std::pair<int, int>> runs;  // [first, end) rows
    for (int y = 0; y < image.height(); ++y) {
      if (!testsupport::isDark(image.pixel(x, y))) continue;
      if (!runs.empty() && runs.back().second == y)
        ++runs.back().second;
      else
        runs.push_back({y, y + 1});
    }
    return runs;
  };
  const auto first = down(across.front()), last = down(across.back());
  const double points = 72.0 / kDpi;
  page.barsTop = first.front().first * points;
  page.barsBottom = first.front().second * points;
  page.lastBarTop = last.front().first * points;
  return page;
}

enum class Where { OverTheBars, OverTheAddOn, UnderTheBars, Nowhere };

struct TextCase {
  const char* name;
  QStringList arguments;
  const char* text;
  Where where;
};

// clang-format off
const TextCase kTexts[] = {
    {"ISBN typed with hyphens: the line over the bars, as typed", {"--type", "isbn", "--data", "978-0-306-40615-7"}, "ISBN 978-0-306-40615-7", Where::OverTheBars},
    {"ISBN-10 0-306-40615-2: 978, its groups, the new check 7", {"--type", "isbn", "--data", "0-306-40615-2"}, "ISBN 978-0-306-40615-7", Where::OverTheBars},
    {"ISBN without hyphens: no line", {"--type", "isbn", "--data", "9780306406157"}, "ISBN 9780306406157", Where::Nowhere},
    {"no label, no line", {"--type", "isbn", "--data", "978-0-306-40615-7", "--no-label"}, "ISBN 978-0-306-40615-7", Where::Nowhere},
    {"add-on digits over the add-on", {"--type", "ean13", "--data", "590123412345+86104"}, "86104", Where::OverTheAddOn},
    {"GS1-128: AIs in parentheses", {"--type", "gs1-128", "--data", "(01)09501101530003(17)250101(10)ABC"}, "(01)09501101530003(17)250101(10)ABC", Where::UnderTheBars},
};
// clang-format on

TEST(VariantsThroughTheProgram, HumanReadableTextWhereGs1PutsIt) {
  QTemporaryDir dir;
  for (const TextCase& c : kTexts) {
    // SVG and EPS carry their text as outlines; the PDF as text, which poppler reads.
    const Page svg = readPdf(written(dir, c.arguments, "t.pdf"));
    const auto found = std::find_if(svg.texts.begin(), svg.texts.end(),
                                    [&](const auto& t) { return t.first == c.text; });
    ASSERT_EQ(found != svg.texts.end(), c.where != Where::Nowhere) << c.name;
    if (c.where == Where::Nowhere) continue;
    const double limit = c.where == Where::OverTheBars    ? svg.barsTop
                         : c.where == Where::OverTheAddOn ? svg.lastBarTop
                                                          : svg.barsBottom;
    EXPECT_EQ(found->second < limit, c.where != Where::UnderTheBars) << c.name;
  }
}

// Dark runs down a column: [first, end) rows.
std::vector<std::pair<int, int>> darkRuns(const QImage& image, int x) {
  std::vector<std::pair<int, int>> runs;
  for (int y = 0; y < image.height(); ++y) {
    if (!testsupport::isDark(image.pixel(x, y))) continue;
    if (!runs.empty() && runs.back().second == y)
      ++runs.back().second;
    else
      runs.push_back({y, y + 1});
  }
  return runs;
}

TEST(VariantsThroughTheProgram, Itf14BearerBarsAndQuietZones) {
  QTemporaryDir dir;
  const QStringList itf14 = {"--type", "itf14", "--data",    "1540014128876",
                             "--dots", "1",     "--no-label"};
  const QImage frame(written(dir, itf14 + QStringList{"--bearers", "frame"}, "f.png"));
  const QImage bars(written(dir, itf14 + QStringList{"--bearers", "top-bottom"}, "b.png"));
  // Across the middle: the frame's side 5 modules (GS1: at least 2), then a
  // quiet zone of 10 before the first bar; without a frame, the quiet zone alone.
  const auto across = testsupport::darkColumns(frame, frame.height() / 2);
  ASSERT_GE(across.size(), 6u);
  EXPECT_EQ(across[4], 4);
  EXPECT_EQ(across[5], 15);
  EXPECT_EQ(frame.width() - 1 - across.back(), 0);
  EXPECT_EQ(testsupport::darkColumns(bars, bars.height() / 2).front(), 10);
  // Down a quiet zone: the top and bottom bearer bars, 5 rows each, and the
  // frame's side is dark all the way.
  const auto down = darkRuns(frame, 10);
  ASSERT_EQ(down.size(), 2u);
  EXPECT_EQ(down[0].second - down[0].first, 5);
  EXPECT_EQ(down[1].second - down[1].first, 5);
  EXPECT_EQ(darkRuns(frame, 2).size(), 1u);
  EXPECT_EQ(darkRuns(bars, 2), down);
}

TEST(VariantsThroughTheProgram, Itf14OutsideGs1sRangeOfXIsWarned) {
  // GS1: X from 0.495 to 1.016 mm for ITF-14; 0.33 mm is 4 dots at 300 dpi, 0.339 mm.
  for (const auto& [module, warned] : {std::pair{"0.33", true}, {"0.5", false}}) {
    QTemporaryDir dir;
    const Ran run = program({"--type", "itf14", "--data", "1540014128876", "--module", module,
                             "--output", QDir(dir.path()).filePath(QStringLiteral("w.png"))});
    EXPECT_EQ(run.status, 0) << module;
    EXPECT_EQ(run.err, warned ? QStringLiteral("barcode-generator: warning: X = 0.339 mm is below "
                                               "the symbology's smallest, 0.495 mm\n")
                              : QString())
        << module;
  }
}

TEST(VariantsThroughTheProgram, BatchListsTakeTheNewTypesAndAddOns) {
  QTemporaryDir dir;
  QFile list(QDir(dir.path()).filePath(QStringLiteral("list.csv")));
  ASSERT_TRUE(list.open(QIODevice::WriteOnly));
  list.write(
      "upce,123456+07\nisbn,0-306-40615-2+51299\nitf14,1540014128876\n"
      "gs1-128,(01)09501101530003(17)250101(10)ABC\nean8,9638507\n");
  list.close();
  const QString out = QDir(dir.path()).filePath(QStringLiteral("out"));
  const Ran run =
      program({"--batch", list.fileName(), "--output", out, "--name", "{line}", "--module", "0.5"});
  ASSERT_EQ(run.status, 0) << qPrintable(run.err);
  const std::string reads[] = {"01234565 07|]E3", "9780306406157 51299|]E3", "15400141288763|]I1",
                               "01095011015300031725010110ABC|]C1", "96385074|]E4"};
  for (int line = 1; line <= 5; ++line) {
    const QImage image(QDir(out).filePath(QStringLiteral("%1.png").arg(line)));
    const std::string& wanted = reads[line - 1];
    EXPECT_EQ(testsupport::scanAny(image, wanted.find(' ') != std::string::npos), wanted) << line;
  }
}

TEST(VariantsThroughTheProgram, HelpListsEveryTypeOfTheTable) {
  QProcess help;
  help.start(QStringLiteral(BG_PROGRAM), {QStringLiteral("--help")});
  ASSERT_TRUE(help.waitForFinished(60000));
  const QString text = QString::fromUtf8(help.readAllStandardOutput());
  for (const app::Choice& choice : app::choices())
    EXPECT_TRUE(text.contains(QLatin1String(choice.key.data(), choice.key.size()))) << choice.key;
  for (const char* option : {"--addon", "--code-set", "--codabar-ends", "--bearers"})
    EXPECT_TRUE(text.contains(QLatin1String(option))) << option;
}

}  // namespace

#include "cli/commandline.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTextStream>
#include <cmath>
#include <csignal>
#include <cstring>
#include <span>

#include "cli/gradefile.h"
#include "cli/labelscommand.h"
#include "export/batch.h"
#include "export/choices.h"
#include "export/exportoptions.h"
#include "export/grading.h"
#include "export/interruption.h"
#include "export/limits.h"
#include "export/names.h"
#include "export/product.h"
#include "export/symbollayout.h"
#include "export/verdict.h"
#include "export/writer.h"
#include "render/devices.h"
#include "render/fonts.h"

namespace cli {

using namespace app;

namespace {

// The long options that ask for the command line.
constexpr const char* kOptionNames[] = {
    "type",     "data",  "output",   "dots",         "module",  "dpi",    "no-label", "check",
    "optimize", "font",  "help",     "version",      "batch",   "format", "name",     "jobs",
    "verify",   "addon", "code-set", "codabar-ends", "bearers", "grade",  "min-grade"};

QString keyOf(const Choice& choice) {
  return QString::fromLatin1(choice.key.data(), static_cast<qsizetype>(choice.key.size()));
}

QString typeList() {
  QStringList keys;
  for (const Choice& choice : choices()) keys << keyOf(choice);
  return keys.join(QStringLiteral(", "));
}

// Every type of the table, key and name, two to a line under the option.
QString typeTable() {
  QString table;
  int column = 0;
  for (const Choice& choice : choices()) {
    const QString name = QString::fromLatin1(choice.shortName);
    table +=
        column == 0
            ? QStringLiteral("\n                      %1 %2").arg(keyOf(choice), -9).arg(name, -20)
            : QStringLiteral("%1 %2").arg(keyOf(choice), -9).arg(name);
    column = (column + 1) % 2;
  }
  return table;
}

QString usage() {
  return QStringLiteral(
             "Usage: barcode-generator --type TYPE --data TEXT --output FILE [--dots N | --module "
             "MM]\n"
             "                         [--dpi N] [--no-label] [--check] [--optimize] [--font "
             "FAMILY]\n"
             "                         [--addon DIGITS] [--code-set SET] [--codabar-ends AB]\n"
             "                         [--bearers KIND] [--verify [--min-grade G]]\n"
             "       barcode-generator --batch LIST --output DIR [--type TYPE] [--format FORMAT]\n"
             "                         [--name TEMPLATE] [--jobs N] [size and settings as above]\n"
             "       barcode-generator --grade FILE [--type TYPE] [--data TEXT] [--dpi N]\n"
             "                         [--min-grade G]\n"
             "       barcode-generator            (no options: the window opens)\n"
             "\n"
             "Writes one barcode as PNG, SVG, PDF or BMP; the format follows FILE's extension.\n"
             "\n"
             "  --type TYPE       one of:%1\n"
             "  --data TEXT       the data; the window's rules hold. EAN-13, JAN-13 and ISBN take\n"
             "                    12 digits, UPC-A 11; one more is accepted when it is the right\n"
             "                    check digit. JAN-13 starts with 45 or 49, ISBN with 978 or 979;\n"
             "                    ISBN also takes an ISBN-10 (X included) or ISBN-13 with hyphens\n"
             "                    or spaces, and prints it over the bars as typed. UPC-E takes 6\n"
             "                    digits, 7 or 8 with number system 0 or 1 first, or a UPC-A\n"
             "                    number that compresses; EAN-8 7 digits, ITF-14 13 (or one more,\n"
             "                    the check digit). GS1-128 takes AIs in parentheses:\n"
             "                    (01)09501101530003(17)250101(10)ABC. EAN/UPC data may end in\n"
             "                    +DIGITS, an add-on; Codabar data may start and end with its\n"
             "                    start and stop letters, A to D.\n"
             "  --output FILE     .png, .svg, .pdf or .bmp; written whole or not at all\n"
             "  --dots N          dots per module, %2 to %3 (default %4)\n"
             "  --module MM       module width X in mm instead: dots = round(X * DPI / 25.4)\n"
             "  --dpi N           dots per inch, %5 to %6 (default %7); stored in PNG and BMP\n"
             "  --no-label        leave out the human-readable text (default: label on)\n"
             "  --check           add the optional check character (Code 39, Interleaved 2 of 5;\n"
             "                    default off; Code 128 and EAN/UPC always have theirs)\n"
             "  --optimize        \"Optimize for Printing\" (default off): in PNG and BMP every\n"
             "                    space one dot wider; in SVG and PDF every bar one dot narrower\n"
             "                    (from 3 dots per module). Linear types only, as on screen.\n"
             "  --font FAMILY     the label's font (default Tahoma)\n"
             "  --addon DIGITS    EAN-2 or EAN-5 add-on for EAN-13, JAN-13, ISBN, UPC-A, UPC-E\n"
             "                    and EAN-8 (or +DIGITS after the data)\n"
             "  --code-set SET    Code 128: auto (the shortest symbol; default), A, B or C\n"
             "  --codabar-ends AB Codabar's start and stop letters, each A to D (default: the\n"
             "                    data's own, else A and A)\n"
             "  --bearers KIND    ITF-14's bearer bars: frame (default) or top-bottom\n"
             "  --verify          grade the written file as a verifier does (ISO/IEC 15416: ten\n"
             "                    scan lines, symbol contrast, modulation, defects,\n"
             "                    decodability, quiet zones), check X, bar height and quiet\n"
             "                    zones against the symbology's rules, and read it with\n"
             "                    zxing-cpp and zbar; one line says the grade, the ink spread\n"
             "                    it tolerates and what the readers read. Exit 4 when a reader\n"
             "                    does not read the data, a check fails or the grade is below\n"
             "                    --min-grade. With --batch every file is graded.\n"
             "  --min-grade G     the lowest passing grade: A, B, C, D or F (default C: 1.5)\n"
             "  --help, --version\n"
             "\n"
             "Batch (one file per line of LIST: a file, a pipe, a FIFO, \"-\" for standard "
             "input):\n"
             "  --batch LIST      with --type each line is the data; without it each line is\n"
             "                    two CSV fields: type,data (quotes as in RFC 4180). Streamed;\n"
             "                    only when --name has {line} are its lines counted first: a\n"
             "                    file is then read twice, anything else kept meanwhile in a\n"
             "                    nameless file in DIR. A line over %8 characters is refused.\n"
             "  --format FORMAT   png, svg, pdf or bmp (default png)\n"
             "  --name TEMPLATE   file name from {line}, {data} and {type} (default "
             "{line}_{data});\n"
             "                    the format's extension is added. A name already written in this\n"
             "                    run, ignoring case and Unicode normal form, gets \"-2\", "
             "\"-3\",\n"
             "                    ... before the extension.\n"
             "  --jobs N          parallel workers (default: the number of cores); the files are\n"
             "                    the same for any N\n"
             "\n"
             "Grading a file, ours or another program's (PNG, BMP and other pictures from\n"
             "their dots; SVG by librsvg, PDF by Poppler, EPS by Ghostscript at the DPI):\n"
             "  --grade FILE      prints a row per scan line and the summary line\n"
             "  --type TYPE       the symbology (default: the one the bars decode as)\n"
             "  --data TEXT       what the readers must read, typed as for an export (default:\n"
             "                    what they agree on)\n"
             "  --dpi N           the resolution of a vector file, or of a picture that stores\n"
             "                    none (default: the file's, else 300)\n"
             "\n")
             .arg(typeTable())
             .arg(render::kMinDots)
             .arg(render::kMaxDots)
             .arg(render::kDefaultDots)
             .arg(render::kMinDpi)
             .arg(render::kMaxDpi)
             .arg(render::kDefaultDpi)
             .arg(kMaxInputLength) +
         labelsUsage() +
         QStringLiteral(
             "Images over %1 dots, BMP files over %2 bytes and PDF pages over\n"
             "%3/72 inch a side are refused before anything is written (in a batch, by line).\n"
             "SIGINT, SIGTERM and SIGHUP stop a batch between two files, nothing half made.\n"
             "\n"
             "Exit status: 0 written (or graded and passing), 1 data refused, 2 usage error,\n"
             "3 file not written (or, with --grade, not readable), 4 written or graded but\n"
             "it does not pass (--verify, --grade), 130, 143, 129 stopped by a signal.\n")
             .arg(limits().filePixels)
             .arg(limits().bmpBytes)
             .arg(limits().pdfUnits);
}

void warn(QTextStream& err, const QString& warning) {
  if (warning.isEmpty()) return;
  err << "barcode-generator: warning: " << warning << "\n";
  err.flush();
}

int usageError(QTextStream& err, const QString& message) {
  err << "barcode-generator: " << oneLine(message) << "\n\n" << usage();
  err.flush();
  return kUsageError;
}

}  // namespace

bool wantsCommandLine(int argc, char* argv[]) {
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (std::strcmp(arg, "-h") == 0 || std::strcmp(arg, "-v") == 0) return true;
    if (arg[0] != '-') continue;
    // One dash or two: the parser reads "-type" as "--type".
    const char* option = arg + (arg[1] == '-' ? 2 : 1);
    for (const auto names : {std::span<const char* const>(kOptionNames), labelOptionNames()})
      for (const char* name : names) {
        const std::size_t length = std::strlen(name);
        if (std::strncmp(option, name, length) == 0 &&
            (option[length] == 0 || option[length] == '='))
          return true;
      }
  }
  return false;
}

int runCommandLine(int argc, char* argv[]) {
  // No display is needed to export: the offscreen platform draws text too.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // A file over the size limit (ulimit -f) is a write that fails, reported
  // as such with the old file kept, not a signal that ends the program.
  std::signal(SIGXFSZ, SIG_IGN);
  // Without a desktop session Qt warns about its runtime folder, which the
  // command line never uses; standard error is kept for our own messages.
  if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
    static const QtMessageHandler qtHandler = qInstallMessageHandler(nullptr);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context,
                              const QString& text) {
      if (type == QtWarningMsg && text.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR")))
        return;
      qtHandler(type, context, text);
    });
  }
  QGuiApplication application(argc, argv);
  QGuiApplication::setApplicationName(QString::fromLatin1(kAppTitle));
  render::loadFallbackFonts();
  QTextStream out(stdout);
  QTextStream err(stderr);
  // The arguments Qt left, as their bytes: a name that is not UTF-8 is kept as given.
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << fromNativeBytes(argv[i]);
  return runCommandLine(arguments, out, err);
}

int runCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& err) {
  const Interruption interruption;
  QCommandLineParser parser;
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const auto valued = [](const char* name, const char* valueName) {
    return QCommandLineOption(QString::fromLatin1(name), QString(), QString::fromLatin1(valueName));
  };
  const QCommandLineOption type = valued("type", "TYPE"), data = valued("data", "TEXT"),
                           output = valued("output", "FILE"), dots = valued("dots", "N"),
                           module = valued("module", "MM"), dpi = valued("dpi", "N"),
                           font = valued("font", "FAMILY"), batch = valued("batch", "LIST"),
                           format = valued("format", "FORMAT"), name = valued("name", "TEMPLATE"),
                           jobs = valued("jobs", "N"), addOn = valued("addon", "DIGITS"),
                           codeSet = valued("code-set", "SET"),
                           codabarEnds = valued("codabar-ends", "AB"),
                           bearers = valued("bearers", "KIND"), grade = valued("grade", "FILE"),
                           minGrade = valued("min-grade", "G");
  const QCommandLineOption noLabel(QStringLiteral("no-label")), check(QStringLiteral("check")),
      optimize(QStringLiteral("optimize")), verify(QStringLiteral("verify")),
      help(QStringList{"help", "h"}), version(QStringList{"version", "v"});
  parser.addOptions({type,   data,     output, dots,  module,  dpi,         font,    batch,
                     format, name,     jobs,   addOn, codeSet, codabarEnds, bearers, noLabel,
                     check,  optimize, verify, help,  version, grade,       minGrade});
  parser.addOptions(labelOptions());
  if (!parser.parse(arguments)) return usageError(err, parser.errorText());
  if (parser.isSet(help)) {
    out << usage();
    return kWritten;
  }
  if (parser.isSet(version)) {
    out << "barcode-generator " << BG_VERSION << "\n";
    return kWritten;
  }
  if (!parser.positionalArguments().isEmpty())
    return usageError(
        err, QStringLiteral("unexpected argument: ") + parser.positionalArguments().constFirst());
  for (const QCommandLineOption& single :
       {type, data, output, dots, module, dpi, font, batch, format, name, jobs, addOn, codeSet,
        codabarEnds, bearers, grade, minGrade}) {
    if (parser.values(single).size() > 1)
      return usageError(err, QStringLiteral("--%1 given twice").arg(single.names().constFirst()));
  }

  ExportOptions options;
  const auto given = [&parser](const QCommandLineOption& option) {
    return parser.isSet(option) ? std::optional(parser.value(option)) : std::nullopt;
  };
  if (const QString problem = readExportOptions({.dots = given(dots),
                                                 .module = given(module),
                                                 .dpi = given(dpi),
                                                 .font = given(font),
                                                 .noLabel = parser.isSet(noLabel),
                                                 .check = parser.isSet(check),
                                                 .optimize = parser.isSet(optimize),
                                                 .addOn = given(addOn),
                                                 .codeSet = given(codeSet),
                                                 .codabarEnds = given(codabarEnds),
                                                 .bearers = given(bearers)},
                                                options);
      !problem.isEmpty())
    return usageError(err, problem);

  const Choice* choice = nullptr;
  if (parser.isSet(type)) {
    choice = choiceByKey(parser.value(type).toStdString());
    if (!choice)
      return usageError(err, QStringLiteral("unknown type \"%1\"; the types are %2")
                                 .arg(parser.value(type), typeList()));
  }
  if (wantsLabels(parser))
    return runLabels(parser, options, choice, out, err,
                     [&err](const QString& message) { return usageError(err, message); });
  if (const QString misplaced = misplacedLabelOption(parser); !misplaced.isEmpty())
    return usageError(err, misplaced);
  char required = 'C';
  if (parser.isSet(minGrade)) {
    if (!parser.isSet(verify) && !parser.isSet(grade))
      return usageError(err, QStringLiteral("--min-grade goes with --verify or --grade"));
    const auto named = gradeNamed(parser.value(minGrade));
    if (!named) return usageError(err, QStringLiteral("--min-grade is A, B, C, D or F"));
    required = *named;
  }
  if (parser.isSet(grade)) {
    for (const QCommandLineOption& other :
         {output, dots, module, font, batch, format, name, jobs, noLabel, check, optimize, verify})
      if (parser.isSet(other))
        return usageError(
            err, QStringLiteral("--%1 does not go with --grade").arg(other.names().constFirst()));
    return runGrade(
        {.file = parser.value(grade),
         .choice = choice,
         .data = given(data),
         .options = options,
         .dpi = parser.isSet(dpi) ? std::optional(options.resolution.dpi) : std::nullopt,
         .minGrade = required},
        out, err);
  }
  if (!parser.isSet(output)) return usageError(err, QStringLiteral("--output is missing"));
  if (parser.isSet(batch)) {
    if (parser.isSet(data))
      return usageError(err, QStringLiteral("--data and --batch cannot go together"));
    render::Format batchFormat = render::Format::Png;
    if (parser.isSet(format)) {
      const auto named = render::formatNamed(parser.value(format));
      if (!named) return usageError(err, QStringLiteral("--format is png, svg, pdf or bmp"));
      batchFormat = *named;
    }
    BatchRequest request{
        .list = nativeBytes(parser.value(batch)),
        .folder = nativeBytes(parser.value(output)),
        .choice = choice,
        .format = batchFormat,
        .options = options,
        .nameTemplate = parser.isSet(name) ? parser.value(name) : QStringLiteral("{line}_{data}"),
        .jobs = 0,
        .interruption = &interruption,
        .verify = parser.isSet(verify),
        .minGrade = required};
    if (parser.isSet(jobs)) {
      bool ok = false;
      request.jobs = parser.value(jobs).toInt(&ok);
      if (!ok || request.jobs < 1 || request.jobs > 256)
        return usageError(err, QStringLiteral("--jobs is a number from 1 to 256"));
    }
    if (choice) warn(err, sizeWarning(*choice, options.resolution));
    switch (runBatch(request, err)) {
      case BatchResult::AllWritten:
        return kWritten;
      case BatchResult::SomeRefused:
        return kRefused;
      case BatchResult::BadRequest:
        return kUsageError;
      case BatchResult::Interrupted:
        return interruption.exitStatus();
      case BatchResult::SomeDoNotPass:
        return kDoesNotScan;
      case BatchResult::NotWritten:
        break;
    }
    return kNotWritten;
  }
  for (const QCommandLineOption& batchOnly : {format, name, jobs})
    if (parser.isSet(batchOnly))
      return usageError(
          err, QStringLiteral("--%1 belongs to --batch").arg(batchOnly.names().constFirst()));

  if (!choice) return usageError(err, QStringLiteral("--type is missing"));
  if (!parser.isSet(data)) return usageError(err, QStringLiteral("--data is missing"));
  const QString file = parser.value(output);
  const auto fileFormat = render::formatNamed(QFileInfo(file).suffix());
  if (!fileFormat)
    return usageError(err, QStringLiteral("the output file must end in .png, .svg, .pdf or .bmp"));
  if (const QString problem = checkOptionsFor(*choice, options); !problem.isEmpty())
    return usageError(err, problem);

  const QString typed = parser.value(data);
  if (typed.size() > kMaxInputLength) {
    err << "barcode-generator: the data is " << typed.size() << " characters, more than the "
        << kMaxInputLength << " an input may have\n";
    return kRefused;
  }
  const SymbolRequest request = requestFor(*choice, typed, options);
  const auto layout = layoutSymbol(request);
  if (const auto* refused = std::get_if<QString>(&layout)) {
    err << "barcode-generator: " << oneLine(*refused) << "\n";
    return kRefused;
  }
  warn(err, sizeWarning(*choice, options.resolution));
  const render::Layout& symbol = std::get<render::Layout>(layout);
  const auto notWritten = [&](const QString& problem) {
    err << "barcode-generator: " << oneLine(file) << " was not written: " << oneLine(problem)
        << "\n";
    return kNotWritten;
  };
  // Whatever cannot be done is said before anything at the name is touched.
  if (parser.isSet(verify))
    if (const QString problem =
            proofRefusal(*fileFormat, symbol, options.resolution, options.optimize, DrawnFor::File);
        !problem.isEmpty())
      return notWritten(QStringLiteral("to read it back, ") + problem);
  const auto made =
      fileBytes(*fileFormat, symbol, options.resolution, options.optimize, DrawnFor::File);
  if (const auto* problem = std::get_if<QString>(&made)) return notWritten(*problem);
  const QByteArray& bytes = std::get<QByteArray>(made);
  if (interruption.signal() != 0) {
    err << "barcode-generator: interrupted by " << interruption.signalName() << "; "
        << oneLine(file) << " was not written\n";
    return interruption.exitStatus();
  }
  if (const QString problem = writeAtomically(nativeBytes(file), bytes); !problem.isEmpty())
    return notWritten(problem);
  const QString size = describeSize(*fileFormat, symbol, options.resolution, options.optimize);
  if (parser.isSet(verify)) {
    const auto graded = gradeExport(bytes, request, options.resolution, required);
    if (const auto* why = std::get_if<QString>(&graded)) {
      err << "barcode-generator: " << oneLine(file)
          << " was written but cannot be graded: " << oneLine(*why) << "\n";
      return kDoesNotScan;
    }
    const FileGrade& verdict = std::get<FileGrade>(graded);
    if (!verdict.passes) {
      err << "barcode-generator: " << oneLine(file) << ": " << verdict.line << "\n";
      return kDoesNotScan;
    }
    out << oneLine(file) << ": " << size << "\n" << verdict.line << "\n";
    return kWritten;
  }
  out << oneLine(file) << ": " << size << "\n";
  return kWritten;
}

}  // namespace cli

#include "cli/commandline.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <ostream>
#include <string_view>

#include "cli/labeloptions.h"
#include "export/choices.h"
#include "export/exportoptions.h"
#include "export/interruption.h"
#include "export/limits.h"
#include "export/symbollayout.h"
#include "export/utf8.h"
#include "export/writer.h"
#include "render/devices.h"

namespace cli {

using namespace app;

namespace {

struct OptionName {
  const char* name;
  bool valued;
};

// Every long option, and whether it takes a value.
constexpr OptionName kOptions[] = {
    {"type", true},         {"data", true},     {"output", true},    {"dots", true},
    {"module", true},       {"dpi", true},      {"height", true},    {"reduce", true},
    {"rotate", true},       {"fg", true},       {"bg", true},        {"font", true},
    {"batch", true},        {"format", true},   {"name", true},      {"jobs", true},
    {"no-label", false},    {"check", false},   {"optimize", false}, {"verify", false},
    {"help", false},        {"version", false}, {"addon", true},     {"code-set", true},
    {"codabar-ends", true}, {"bearers", true},  {"grade", true},     {"min-grade", true},
};

// An option of the table, or a label's (those run in barcode-generator-full).
std::optional<OptionName> optionNamed(std::string_view name) {
  if (name == "h") name = "help";
  if (name == "v") name = "version";
  for (const OptionName& option : kOptions)
    if (name == option.name) return option;
  for (const LabelOption& option : labelOptions())
    if (name == option.name) return OptionName{option.name, option.valueName != nullptr};
  return std::nullopt;
}

bool isLabelOption(std::string_view name) {
  for (const LabelOption& option : labelOptions())
    if (name == option.name) return true;
  return false;
}

// The arguments read: each option's values in order, the rest.
struct Parsed {
  Arguments arguments;
  std::vector<std::string> positional;
  std::string error;

  bool isSet(std::string_view name) const { return arguments.isSet(name); }
  const std::string& value(std::string_view name) const { return arguments.value(name); }
  std::optional<std::string> optional(std::string_view name) const {
    return isSet(name) ? std::optional(value(name)) : std::nullopt;
  }
};

// "--name value", "--name=value" and "-name" alike, as Qt's parser reads them.
Parsed parse(const std::vector<std::string>& arguments) {
  Parsed parsed;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument.size() < 2 || argument[0] != '-') {
      parsed.positional.push_back(argument);
      continue;
    }
    std::string_view text(argument);
    text.remove_prefix(text.starts_with("--") ? 2 : 1);
    const std::size_t equals = text.find('=');
    const std::string_view name = text.substr(0, equals);
    const auto option = optionNamed(name);
    if (!option) {
      parsed.error = "Unknown option '" + std::string(name) + "'.";
      return parsed;
    }
    auto& entries = parsed.arguments.values;
    auto entry = std::find_if(entries.begin(), entries.end(),
                              [&](const auto& e) { return e.first == option->name; });
    if (entry == entries.end()) entry = entries.insert(entries.end(), {option->name, {}});
    std::vector<std::string>& values = entry->second;
    if (!option->valued) {
      if (equals != std::string_view::npos) {
        parsed.error = "Unexpected value after '" + argument.substr(0, argument.find('=')) + "'.";
        return parsed;
      }
      values.emplace_back();
    } else if (equals != std::string_view::npos) {
      values.emplace_back(text.substr(equals + 1));
    } else if (i + 1 < arguments.size()) {
      values.push_back(arguments[++i]);
    } else {
      parsed.error = "Missing value after '" + argument + "'.";
      return parsed;
    }
  }
  return parsed;
}

std::string typeList() {
  std::string keys;
  for (const Choice& choice : choices()) {
    if (!keys.empty()) keys += ", ";
    keys += choice.key;
  }
  return keys;
}

// Every type of the table, key and name, two to a line under the option.
std::string typeTable() {
  std::string table;
  const auto padded = [](std::string text, std::size_t width) {
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text;
  };
  int column = 0;
  for (const Choice& choice : choices()) {
    const std::string key(choice.key), name = choice.shortName;
    table += column == 0 ? "\n                      " + padded(key, 9) + " " + padded(name, 20)
                         : padded(key, 9) + " " + name;
    column = (column + 1) % 2;
  }
  // No spaces after the last column.
  while (!table.empty() && table.back() == ' ') table.pop_back();
  return table;
}

std::string usage() {
  return "Usage: barcode-generator --type TYPE --data TEXT --output FILE [--dots N | --module MM]\n"
         "                         [--dpi N] [--height MM] [--reduce R] [--optimize]\n"
         "                         [--rotate DEG] [--fg RRGGBB] [--bg RRGGBB|none]\n"
         "                         [--no-label] [--check] [--font FAMILY] [--addon DIGITS]\n"
         "                         [--code-set SET] [--codabar-ends AB] [--bearers KIND]\n"
         "                         [--verify [--min-grade G]]\n"
         "       barcode-generator --batch LIST --output DIR [--type TYPE] [--format FORMAT]\n"
         "                         [--name TEMPLATE] [--jobs N] [size and settings as above]\n"
         "       barcode-generator --grade FILE [--type TYPE] [--data TEXT] [--dpi N]\n"
         "                         [--min-grade G]\n"
         "       barcode-generator            (no options: the window opens)\n"
         "\n"
         "Writes one barcode as PNG, SVG, PDF, EPS or BMP; the format follows FILE's extension.\n"
         "\n"
         "  --type TYPE       one of" +
         typeTable() +
         "\n"
         "  --data TEXT       the data; the window's rules hold. EAN-13, JAN-13 and ISBN take\n"
         "                    12 digits, UPC-A 11; one more is accepted when it is the right\n"
         "                    check digit. JAN-13 starts with 45 or 49, ISBN with 978 or 979.\n"
         "  --output FILE     .png, .svg, .pdf, .eps or .bmp; written whole or not at all\n"
         "  --dots N          dots per module, " +
         std::to_string(render::kMinDots) + " to " + std::to_string(render::kMaxDots) +
         " (default " + std::to_string(render::kDefaultDots) +
         ")\n"
         "  --module MM       module width X in mm instead: SVG, PDF and EPS use it exactly\n"
         "                    (0.01 to 10 mm); PNG and BMP take the nearest whole number of\n"
         "                    dots, round(X * DPI / 25.4), and say the real X\n"
         "  --dpi N           dots per inch, " +
         std::to_string(render::kMinDpi) + " to " + std::to_string(render::kMaxDpi) + " (default " +
         std::to_string(render::kDefaultDpi) +
         "): the resolution of PNG and\n"
         "                    BMP, and the dot of --dots and --reduce\n"
         "  --height MM       the bars' height in mm, text not counted (default: the\n"
         "                    standard's; EAN/UPC 69.24 X, guards 5 X longer; the other types\n"
         "                    15 % of the symbol's width or 6.35 mm, whichever is more)\n"
         "  --reduce R        every bar R narrower and every space R wider, the module pitch\n"
         "                    and the width unchanged; R in dots (1) or mm (0.03mm), at most\n"
         "                    a quarter of X; any type (default: none)\n"
         "  --optimize        \"Optimize for Printing\" (default off): without --reduce, bars\n"
         "                    one dot narrower from 4 dots per module up, none below; at 1 dot\n"
         "                    per module PNG and BMP widen every space a dot, as on screen.\n"
         "                    Linear types only: EAN/UPC bars are reduced only by --reduce\n"
         "  --rotate DEG      0, 90, 180 or 270 degrees clockwise (default 0)\n"
         "  --fg RRGGBB       the colour of bars and text, in hex (default 000000)\n"
         "  --bg RRGGBB       the background's colour (default ffffff), or none: transparent\n"
         "                    in PNG and SVG, unpainted in PDF and EPS (not for BMP)\n"
         "  --no-label        leave out the human-readable text (default: label on)\n"
         "  --check           add the optional check character (Code 39, Interleaved 2 of 5;\n"
         "                    default off; Code 128 and EAN/UPC always have theirs)\n"
         "  --font FAMILY     the text's font (default Tahoma; EAN/UPC digits OCR B)\n"
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
         "A warning goes to standard error, and the file is still written, when X, the bars'\n"
         "height or a quiet zone falls outside the standard (EAN/UPC X 0.264 to 0.660 mm,\n"
         "ITF-14 0.495 to 1.016 mm).\n"
         "\n"
         "Batch (one file per line of LIST: a file, a pipe, a FIFO, \"-\" for standard input):\n"
         "  --batch LIST      with --type each line is the data; without it each line is\n"
         "                    two CSV fields: type,data (quotes as in RFC 4180). Streamed;\n"
         "                    only when --name has {line} are its lines counted first: a\n"
         "                    file is then read twice, anything else kept meanwhile in a\n"
         "                    nameless file in DIR. A line over " +
         std::to_string(kMaxInputLength) +
         " characters is refused.\n"
         "  --format FORMAT   png, svg, pdf, eps or bmp (default png)\n"
         "  --name TEMPLATE   file name from {line}, {data} and {type} (default {line}_{data});\n"
         "                    the format's extension is added. A name already written in this\n"
         "                    run, ignoring case and Unicode normal form, gets \"-2\", \"-3\",\n"
         "                    ... before the extension.\n"
         "  --jobs N          parallel workers (default: the number of cores); the files are\n"
         "                    the same for any N\n"
         "\n"
         "Grading a file, ours or another program's (PNG, BMP and other pictures from\n"
         "their dots; SVG by librsvg, PDF by Poppler, EPS by Ghostscript at the DPI):\n"
         "  --grade FILE      prints a row per scan line, a row per physical check (X, bar\n"
         "                    height, quiet zones) and the summary line\n"
         "  --type TYPE       the symbology (default: the one the bars decode as)\n"
         "  --data TEXT       what the readers must read, typed as for an export (default:\n"
         "                    what they agree on)\n"
         "  --dpi N           the resolution of a vector file, or of a picture that stores\n"
         "                    none (default: the file's, else 300)\n"
         "\n" +
         labelsUsage() + "BMP files over " + std::to_string(limits().bmpBytes) +
         " bytes, PNG sides over " + std::to_string(limits().pngSide) +
         " dots and PDF pages over " + std::to_string(static_cast<long long>(limits().pdfUnits)) +
         "/72 inch a side\nare refused before anything is written (in a batch, by line); so is "
         "reading back\n(--verify) a picture of more than " +
         std::to_string(limits().filePixels) +
         " dots. PNG and BMP are written a row at a\ntime, whatever their size.\n"
         "SIGINT, SIGTERM and SIGHUP stop a batch between two files, nothing half made.\n"
         "\n"
         "Exit status: 0 written (or graded and passing), 1 data refused, 2 usage error,\n"
         "3 file not written (or, with --grade, not readable), 4 written or graded but\n"
         "it does not pass (--verify, --grade), 130, 143, 129 stopped by a signal.\n";
}

int usageError(std::ostream& err, const std::string& message) {
  err << "barcode-generator: " << utf8::oneLine(message) << "\n\n" << usage();
  err.flush();
  return kUsageError;
}

std::string extensionOf(const std::string& file) {
  const std::size_t slash = file.rfind('/');
  const std::size_t dot = file.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  return file.substr(dot + 1);
}

// "A", "B", "C", "D" or "F" in either case; nothing for anything else.
std::optional<char> gradeNamed(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  if (text.size() != 1) return std::nullopt;
  const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
  if (std::string_view("ABCDF").find(letter) == std::string_view::npos) return std::nullopt;
  return letter;
}

// The folder this program was started from.
std::string ownFolder() {
  char path[4096];
  const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0) return ".";
  const std::string self(path, static_cast<std::size_t>(length));
  return self.substr(0, self.rfind('/'));
}

}  // namespace

bool Arguments::isSet(std::string_view name) const {
  return std::any_of(values.begin(), values.end(), [&](const auto& e) { return e.first == name; });
}

const std::string& Arguments::value(std::string_view name) const {
  return std::find_if(values.begin(), values.end(), [&](const auto& e) { return e.first == name; })
      ->second.back();
}

std::vector<std::string> Arguments::all(std::string_view name) const {
  for (const auto& [option, given] : values)
    if (option == name) return given;
  return {};
}

bool wantsCommandLine(int argc, char* argv[]) {
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (std::strcmp(arg, "-h") == 0 || std::strcmp(arg, "-v") == 0) return true;
    if (arg[0] != '-') continue;
    // One dash or two: "-type" reads as "--type".
    std::string_view option(arg + (arg[1] == '-' ? 2 : 1));
    option = option.substr(0, option.find('='));
    if (optionNamed(option) && option != "h" && option != "v") return true;
  }
  return false;
}

bool wantsFullProgram(int argc, char* argv[]) {
  const Parsed parsed = parse(std::vector<std::string>(argv, argv + argc));
  // A usage error is said here, without starting anything else.
  if (!parsed.error.empty() || parsed.isSet("help") || parsed.isSet("version")) return false;
  if (parsed.isSet("batch") || parsed.isSet("verify") || parsed.isSet("grade")) return true;
  for (const LabelOption& option : labelOptions())
    if (parsed.isSet(option.name)) return true;
  return false;
}

int startBeside(const char* name, const char* installed, char* argv[]) {
  const std::string folder = ownFolder();
  int error = 0;
  for (const std::string& program : {folder + "/" + name, folder + "/" + installed}) {
    ::execv(program.c_str(), argv);
    if (error == 0 || errno != ENOENT) error = errno;
  }
  std::fprintf(stderr, "barcode-generator: %s cannot be started: %s\n", name, std::strerror(error));
  return 127;
}

int runCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                   const FullProgram* full) {
  const Interruption interruption;
  const Parsed parsed = parse(arguments);
  if (!parsed.error.empty()) return usageError(err, parsed.error);
  if (parsed.isSet("help")) {
    out << usage();
    return kWritten;
  }
  if (parsed.isSet("version")) {
    out << "barcode-generator " << BG_VERSION << "\n";
    return kWritten;
  }
  if (!parsed.positional.empty())
    return usageError(err, "unexpected argument: " + parsed.positional.front());
  for (const auto& [name, values] : parsed.arguments.values) {
    const bool repeatable = name == "text-above" || name == "text-below";
    if (optionNamed(name)->valued && !repeatable && values.size() > 1)
      return usageError(err, "--" + name + " given twice");
  }

  // The format first: what X means depends on it. Labels are PDF pages
  // whose symbols are drawn at the printer's dots.
  const bool labels = parsed.isSet("labels") || parsed.isSet("sheet") || parsed.isSet("templates");
  ExportOptions options;
  const bool batch = parsed.isSet("batch") && !labels;
  std::optional<render::Format> format;
  if (labels) {
    format = render::Format::Png;
  } else if (batch) {
    format = parsed.isSet("format") ? render::formatNamed(parsed.value("format"))
                                    : std::optional(render::Format::Png);
    if (!format) return usageError(err, "--format is png, svg, pdf, eps or bmp");
  } else if (parsed.isSet("output")) {
    format = render::formatNamed(extensionOf(parsed.value("output")));
  }
  options.format = format.value_or(render::Format::Png);
  if (const std::string problem = readExportOptions({.dots = parsed.optional("dots"),
                                                     .module = parsed.optional("module"),
                                                     .dpi = parsed.optional("dpi"),
                                                     .font = parsed.optional("font"),
                                                     .height = parsed.optional("height"),
                                                     .reduce = parsed.optional("reduce"),
                                                     .rotate = parsed.optional("rotate"),
                                                     .fg = parsed.optional("fg"),
                                                     .bg = parsed.optional("bg"),
                                                     .addOn = parsed.optional("addon"),
                                                     .codeSet = parsed.optional("code-set"),
                                                     .codabarEnds = parsed.optional("codabar-ends"),
                                                     .bearers = parsed.optional("bearers"),
                                                     .noLabel = parsed.isSet("no-label"),
                                                     .check = parsed.isSet("check"),
                                                     .optimize = parsed.isSet("optimize")},
                                                    options);
      !problem.empty())
    return usageError(err, problem);

  const Choice* choice = nullptr;
  if (parsed.isSet("type")) {
    choice = choiceByKey(parsed.value("type"));
    if (!choice)
      return usageError(
          err, "unknown type \"" + parsed.value("type") + "\"; the types are " + typeList());
  }
  if (labels) {
    if (!full || !full->labels) return usageError(err, "labels run in barcode-generator-full");
    return full->labels(parsed.arguments, options, choice,
                        [&err](const std::string& message) { return usageError(err, message); });
  }
  for (const auto& [name, values] : parsed.arguments.values)
    if (isLabelOption(name))
      return usageError(err, "--" + name + " belongs to --labels or --sheet");
  char required = 'C';
  if (parsed.isSet("min-grade")) {
    if (!parsed.isSet("verify") && !parsed.isSet("grade"))
      return usageError(err, "--min-grade goes with --verify or --grade");
    const auto named = gradeNamed(parsed.value("min-grade"));
    if (!named) return usageError(err, "--min-grade is A, B, C, D or F");
    required = *named;
  }
  if (parsed.isSet("grade")) {
    for (const char* other :
         {"output", "dots", "module", "font", "batch", "format", "name", "jobs", "no-label",
          "check", "optimize", "verify", "height", "reduce", "rotate", "fg", "bg"})
      if (parsed.isSet(other))
        return usageError(err, std::string("--") + other + " does not go with --grade");
    if (!full || !full->grade) return usageError(err, "--grade runs in barcode-generator-full");
    return full->grade(
        {.file = parsed.value("grade"),
         .choice = choice,
         .data = parsed.optional("data"),
         .options = options,
         .dpi = parsed.isSet("dpi") ? std::optional(options.resolution.dpi) : std::nullopt,
         .minGrade = required});
  }
  if (!parsed.isSet("output")) return usageError(err, "--output is missing");

  if (batch) {
    if (parsed.isSet("data")) return usageError(err, "--data and --batch cannot go together");
    BatchArguments request{
        .list = parsed.value("batch"),
        .folder = parsed.value("output"),
        .choice = choice,
        .options = options,
        .nameTemplate = parsed.isSet("name") ? parsed.value("name") : std::string("{line}_{data}"),
        .jobs = 0,
        .interruption = &interruption,
        .verify = parsed.isSet("verify"),
        .minGrade = required};
    if (parsed.isSet("jobs")) {
      const std::string& jobs = parsed.value("jobs");
      char* end = nullptr;
      const long value = std::strtol(jobs.c_str(), &end, 10);
      if (jobs.empty() || *end != 0 || value < 1 || value > 256)
        return usageError(err, "--jobs is a number from 1 to 256");
      request.jobs = static_cast<int>(value);
    }
    if (!full || !full->batch) return usageError(err, "a batch runs in barcode-generator-full");
    return full->batch(request);
  }
  for (const char* batchOnly : {"format", "name", "jobs"})
    if (parsed.isSet(batchOnly))
      return usageError(err, std::string("--") + batchOnly + " belongs to --batch");

  if (!choice) return usageError(err, "--type is missing");
  if (!parsed.isSet("data")) return usageError(err, "--data is missing");
  const std::string file = parsed.value("output");
  if (!format) return usageError(err, "the output file must end in .png, .svg, .pdf, .eps or .bmp");
  if (const std::string problem = checkOptionsFor(*choice, options); !problem.empty())
    return usageError(err, problem);
  if (parsed.isSet("verify") && (!full || !full->verify))
    return usageError(err, "--verify runs in barcode-generator-full");

  const std::string& typed = parsed.value("data");
  if (const std::size_t characters = utf8::decode(typed).size(); characters > kMaxInputLength) {
    err << "barcode-generator: the data is " << characters << " characters, more than the "
        << kMaxInputLength << " an input may have\n";
    return kRefused;
  }
  const SymbolRequest request = requestFor(*choice, typed, options);
  const auto layout = layoutSymbol(request);
  if (const auto* refused = std::get_if<std::string>(&layout)) {
    err << "barcode-generator: " << utf8::oneLine(*refused) << "\n";
    return kRefused;
  }
  const render::Layout& symbol = std::get<render::Layout>(layout);
  const ExportPlan plan = planExport(options, symbol);
  const auto notWritten = [&](const std::string& problem) {
    err << "barcode-generator: " << utf8::oneLine(file)
        << " was not written: " << utf8::oneLine(problem) << "\n";
    return kNotWritten;
  };
  const auto interrupted = [&] {
    err << "barcode-generator: interrupted by " << interruption.signalName() << "; "
        << utf8::oneLine(file) << " was not written\n";
    return interruption.exitStatus();
  };
  // Whatever cannot be done is said before anything at the name is touched.
  if (parsed.isSet("verify"))
    if (const std::string problem = proofRefusal(symbol, plan, DrawnFor::File); !problem.empty())
      return notWritten("to read it back, " + problem);
  if (const std::string problem = sizeRefusal(symbol, plan, DrawnFor::File); !problem.empty())
    return notWritten(problem);
  // A signal stops the writing between two blocks; the name keeps what it had.
  const std::string problem = writeAtomically(file, [&](const ByteSink& sink) {
    return render::write(symbol, plan.output, [&](const char* data, std::size_t size) {
      return interruption.signal() == 0 && sink(data, size);
    });
  });
  if (interruption.signal() != 0) return interrupted();
  if (!problem.empty()) return notWritten(problem);
  for (const Warning& warning : warningsFor(symbol, plan))
    err << "barcode-generator: warning: " << warningText(warning) << "\n";
  const std::string size = describeSize(symbol, plan);
  if (parsed.isSet("verify")) {
    const Verified verified = full->verify({choice, request, &symbol, plan, file, required});
    if (!verified.graded) {
      err << "barcode-generator: " << utf8::oneLine(file)
          << " was written but cannot be graded: " << utf8::oneLine(verified.line) << "\n";
      return kDoesNotScan;
    }
    if (!verified.passes) {
      err << "barcode-generator: " << utf8::oneLine(file) << ": " << verified.line << "\n";
      return kDoesNotScan;
    }
    out << utf8::oneLine(file) << ": " << size << "\n" << verified.line << "\n";
    return kWritten;
  }
  out << utf8::oneLine(file) << ": " << size << "\n";
  return kWritten;
}

}  // namespace cli

#include "cli/commandline.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <ostream>
#include <string_view>

#include "export/choices.h"
#include "export/exportoptions.h"
#include "export/symbollayout.h"
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
    {"type", true},  {"data", true},      {"output", true}, {"dots", true},      {"module", true},
    {"dpi", true},   {"height", true},    {"reduce", true}, {"rotate", true},    {"fg", true},
    {"bg", true},    {"font", true},      {"batch", true},  {"format", true},    {"name", true},
    {"jobs", true},  {"no-label", false}, {"check", false}, {"optimize", false}, {"verify", false},
    {"help", false}, {"version", false},
};

const OptionName* optionNamed(std::string_view name) {
  if (name == "h") name = "help";
  if (name == "v") name = "version";
  for (const OptionName& option : kOptions)
    if (name == option.name) return &option;
  return nullptr;
}

// The arguments read: each option's values in order, the rest.
struct Parsed {
  std::map<std::string, std::vector<std::string>, std::less<>> values;
  std::vector<std::string> positional;
  std::string error;

  bool isSet(std::string_view name) const { return values.find(name) != values.end(); }
  const std::string& value(std::string_view name) const { return values.find(name)->second.back(); }
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
    const OptionName* option = optionNamed(name);
    if (!option) {
      parsed.error = "Unknown option '" + std::string(name) + "'.";
      return parsed;
    }
    std::vector<std::string>& values = parsed.values[option->name];
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

std::string usage() {
  return "Usage: barcode-generator --type TYPE --data TEXT --output FILE [--dots N | --module MM]\n"
         "                         [--dpi N] [--height MM] [--reduce R] [--optimize]\n"
         "                         [--rotate DEG] [--fg RRGGBB] [--bg RRGGBB|none]\n"
         "                         [--no-label] [--check] [--font FAMILY] [--verify]\n"
         "       barcode-generator --batch LIST --output DIR [--type TYPE] [--format FORMAT]\n"
         "                         [--name TEMPLATE] [--jobs N] [size and settings as above]\n"
         "       barcode-generator            (no options: the window opens)\n"
         "\n"
         "Writes one barcode as PNG, SVG, PDF, EPS or BMP; the format follows FILE's extension.\n"
         "\n"
         "  --type TYPE       " +
         typeList() +
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
         "  --verify          read the written symbol back with a barcode reader; exit 4\n"
         "                    and say why when it does not decode to its data\n"
         "  --help, --version\n"
         "\n"
         "A warning goes to standard error, and the file is still written, when X, the bars'\n"
         "height or a quiet zone falls outside the standard (EAN/UPC X 0.264 to 0.660 mm).\n"
         "\n"
         "Batch (one file per line of LIST, \"-\" for standard input):\n"
         "  --batch LIST      with --type each line is the data; without it each line is\n"
         "                    two CSV fields: type,data (quotes as in RFC 4180)\n"
         "  --format FORMAT   png, svg, pdf, eps or bmp (default png)\n"
         "  --name TEMPLATE   file name from {line}, {data} and {type} (default {line}_{data});\n"
         "                    the format's extension is added. A name already written in this\n"
         "                    run gets \"-2\", \"-3\", ... before the extension.\n"
         "  --jobs N          parallel workers (default: the number of cores); the files are\n"
         "                    the same for any N\n"
         "\n"
         "Exit status: 0 written, 1 data refused, 2 usage error, 3 file not written,\n"
         "4 written but does not scan (--verify).\n";
}

int usageError(std::ostream& err, const std::string& message) {
  err << "barcode-generator: " << message << "\n\n" << usage();
  err.flush();
  return kUsageError;
}

std::string extensionOf(const std::string& file) {
  const std::size_t slash = file.rfind('/');
  const std::size_t dot = file.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  return file.substr(dot + 1);
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

bool wantsCommandLine(int argc, char* argv[]) {
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (std::strcmp(arg, "-h") == 0 || std::strcmp(arg, "-v") == 0) return true;
    if (std::strncmp(arg, "--", 2) != 0) continue;
    for (const OptionName& option : kOptions) {
      const std::size_t length = std::strlen(option.name);
      if (std::strncmp(arg + 2, option.name, length) == 0 &&
          (arg[2 + length] == 0 || arg[2 + length] == '='))
        return true;
    }
  }
  return false;
}

bool wantsFullProgram(int argc, char* argv[]) {
  std::vector<std::string> arguments(argv, argv + argc);
  const Parsed parsed = parse(arguments);
  // A usage error is said here, without starting anything else.
  return parsed.error.empty() && !parsed.isSet("help") && !parsed.isSet("version") &&
         (parsed.isSet("batch") || parsed.isSet("verify"));
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
  for (const auto& [name, values] : parsed.values) {
    const OptionName* option = optionNamed(name);
    if (option->valued && values.size() > 1) return usageError(err, "--" + name + " given twice");
  }

  // The format first: what X means depends on it.
  ExportOptions options;
  const bool batch = parsed.isSet("batch");
  std::optional<render::Format> format;
  if (batch) {
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
  if (!parsed.isSet("output")) return usageError(err, "--output is missing");

  if (parsed.isSet("verify") && batch) return usageError(err, "--verify goes with a single export");
  if (batch) {
    if (parsed.isSet("data")) return usageError(err, "--data and --batch cannot go together");
    BatchArguments request{
        .list = parsed.value("batch"),
        .folder = parsed.value("output"),
        .choice = choice,
        .options = options,
        .nameTemplate = parsed.isSet("name") ? parsed.value("name") : std::string("{line}_{data}"),
        .jobs = 0};
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

  const SymbolRequest request = requestFor(*choice, parsed.value("data"), options);
  const auto layout = layoutSymbol(request);
  if (const auto* refused = std::get_if<std::string>(&layout)) {
    err << "barcode-generator: " << *refused << "\n";
    return kRefused;
  }
  const render::Layout& symbol = std::get<render::Layout>(layout);
  const ExportPlan plan = planExport(options, symbol);
  const std::string problem = writeAtomically(
      file, [&](const ByteSink& sink) { return render::write(symbol, plan.output, sink); });
  if (!problem.empty()) {
    err << "barcode-generator: " << file << " was not written: " << problem << "\n";
    return kNotWritten;
  }
  for (const Warning& warning : warningsFor(symbol, plan))
    err << "barcode-generator: warning: " << warningText(warning) << "\n";
  if (parsed.isSet("verify")) {
    const std::string why = full->verify({choice, request, &symbol, plan, file});
    if (!why.empty()) {
      err << "barcode-generator: " << file << ": " << why << "\n";
      return kDoesNotScan;
    }
  }
  out << file << ": " << describeSize(symbol, plan) << "\n";
  return kWritten;
}

}  // namespace cli

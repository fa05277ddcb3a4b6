#include "export/exportoptions.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "export/choices.h"
#include "render/scene.h"
#include "render/units.h"

namespace app {

namespace {

std::string trimmed(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
    text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
    text.remove_suffix(1);
  return std::string(text);
}

// A whole number in [low, high] or nothing.
std::optional<int> wholeNumber(const std::string& text, int low, int high) {
  const std::string number = trimmed(text);
  int value = 0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (error != std::errc() || end != number.data() + number.size() || value < low || value > high)
    return std::nullopt;
  return value;
}

// A finite decimal number, such as 0.33 (no exponent, no hex), or nothing.
std::optional<double> decimal(std::string_view text) {
  const std::string number = trimmed(text);
  if (number.empty() || number.find_first_not_of("0123456789.+-") != std::string::npos)
    return std::nullopt;
  double value = 0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (error != std::errc() || end != number.data() + number.size() || !std::isfinite(value))
    return std::nullopt;
  return value;
}

std::optional<render::Colour> colourNamed(std::string text) {
  text = trimmed(text);
  if (!text.empty() && text.front() == '#') text.erase(0, 1);
  if (text.size() != 6 || text.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
    return std::nullopt;
  const auto channel = [&text](std::size_t at) {
    return static_cast<std::uint8_t>(std::stoi(text.substr(at, 2), nullptr, 16));
  };
  return render::Colour{channel(0), channel(2), channel(4)};
}

std::string fixed(double value, int places) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", places, value);
  return text;
}

// A reduction in the output's units: whole dots on a raster.
double reductionOn(const Reduction& reduction, const ExportOptions& options) {
  const bool raster = render::isRaster(options.format);
  if (reduction.inDots)
    return raster ? reduction.amount
                  : render::units::dotsToMm(reduction.amount, options.resolution.dpi);
  return raster ? std::round(render::units::mmToDots(reduction.amount, options.resolution.dpi))
                : reduction.amount;
}

}  // namespace

std::string readExportOptions(const TypedOptions& typed, ExportOptions& options) {
  const bool raster = render::isRaster(options.format);
  if (typed.dpi) {
    const auto dpi = wholeNumber(*typed.dpi, render::kMinDpi, render::kMaxDpi);
    if (!dpi)
      return "--dpi is a whole number from " + std::to_string(render::kMinDpi) + " to " +
             std::to_string(render::kMaxDpi);
    options.resolution.dpi = *dpi;
  }
  if (typed.dots && typed.module) return "give either --dots or --module, not both";
  if (typed.dots) {
    const auto dots = wholeNumber(*typed.dots, render::kMinDots, render::kMaxDots);
    if (!dots)
      return "--dots is a whole number from " + std::to_string(render::kMinDots) + " to " +
             std::to_string(render::kMaxDots);
    options.resolution.dots = *dots;
  }
  if (typed.module) {
    const auto mm = decimal(*typed.module);
    if (!mm || *mm <= 0) return "--module is a width in millimetres, such as 0.33";
    if (!raster && (*mm < kMinModuleMm || *mm > kMaxModuleMm))
      return "--module is from " + fixed(kMinModuleMm, 2) + " to " + fixed(kMaxModuleMm, 0) + " mm";
    options.moduleMm = *mm;
    const int dots = moduleSize(options).dots;
    if (raster && dots > render::kMaxDots)
      return "--module " + *typed.module + " is " + std::to_string(dots) + " dots at " +
             std::to_string(options.resolution.dpi) + " dpi; at most " +
             std::to_string(render::kMaxDots) + " are possible";
  }
  if (typed.height) {
    const auto mm = decimal(*typed.height);
    if (!mm || *mm <= 0 || *mm > kMaxHeightMm)
      return "--height is the bars' height in millimetres, more than 0 and at most " +
             fixed(kMaxHeightMm, 0);
    options.heightMm = *mm;
  }
  if (typed.reduce) {
    std::string text = trimmed(*typed.reduce);
    Reduction reduction;
    if (text.size() > 2 && text.ends_with("mm")) {
      text.resize(text.size() - 2);
      reduction.inDots = false;
    }
    const auto amount = decimal(text);
    if (!amount || *amount < 0 || (reduction.inDots && *amount != std::floor(*amount)))
      return "--reduce is whole dots (such as 1) or millimetres (such as 0.03mm)";
    reduction.amount = *amount;
    const ModuleSize module = moduleSize(options);
    const double x = raster ? module.dots : module.mm;
    const double most = kMaxReductionShare * x;
    if (reductionOn(reduction, options) > most + 1e-9)
      return "--reduce " + *typed.reduce + " is more than a quarter of X (" +
             (raster ? std::to_string(static_cast<int>(most)) +
                           (static_cast<int>(most) == 1 ? " dot" : " dots")
                     : fixed(most, 3) + " mm") +
             " at most)";
    options.reduction = reduction;
  }
  if (typed.rotate) {
    const auto degrees = wholeNumber(*typed.rotate, 0, 270);
    if (!degrees || *degrees % 90 != 0) return "--rotate is 0, 90, 180 or 270";
    options.style.rotation = *degrees;
  }
  if (typed.fg) {
    const auto colour = colourNamed(*typed.fg);
    if (!colour) return "--fg is a colour as RRGGBB in hex, such as 000000";
    options.style.foreground = *colour;
  }
  if (typed.bg) {
    if (trimmed(*typed.bg) == "none") {
      options.style.background.reset();
    } else {
      const auto colour = colourNamed(*typed.bg);
      if (!colour) return "--bg is a colour as RRGGBB in hex, such as ffffff, or none";
      options.style.background = *colour;
    }
  }
  if (typed.font) {
    if (trimmed(*typed.font).empty()) return "--font needs a font's name";
    options.fontFamily = *typed.font;
  }
  options.label = !typed.noLabel;
  options.check = typed.check;
  options.optimize = typed.optimize;
  if (typed.addOn) options.addOn = *typed.addOn;
  if (typed.codeSet) {
    std::string set = trimmed(*typed.codeSet);
    for (char& c : set) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (set == "auto")
      options.codeSet = linear::CodeSet::Auto;
    else if (set == "a")
      options.codeSet = linear::CodeSet::A;
    else if (set == "b")
      options.codeSet = linear::CodeSet::B;
    else if (set == "c")
      options.codeSet = linear::CodeSet::C;
    else
      return "--code-set is auto, A, B or C";
    options.codeSetGiven = true;
  }
  if (typed.codabarEnds) {
    std::string ends = trimmed(*typed.codabarEnds);
    for (char& c : ends) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const auto isEnd = [](char c) { return c >= 'A' && c <= 'D'; };
    if (ends.size() != 2 || !isEnd(ends[0]) || !isEnd(ends[1]))
      return "--codabar-ends is two letters from A to D, start and stop, such as AB";
    options.codabarEnds = std::pair{static_cast<char32_t>(ends[0]), static_cast<char32_t>(ends[1])};
  }
  if (typed.bearers) {
    const std::string bearers = trimmed(*typed.bearers);
    if (bearers == "frame")
      options.bearers = render::Bearers::Frame;
    else if (bearers == "top-bottom")
      options.bearers = render::Bearers::TopAndBottom;
    else
      return "--bearers is frame or top-bottom";
    options.bearersGiven = true;
  }
  return checkFormatOptions(options);
}

std::string checkOptionsFor(const Choice& choice, const ExportOptions& options) {
  const std::string caption = choice.caption;
  if (options.check && choice.boxes[kAddCheckCharacter] == BoxRule::NotUsed)
    return caption + " has no check character to add";
  if (!options.addOn.empty() && !takesAddOn(choice))
    return "--addon goes with EAN-13, JAN-13, ISBN, UPC-A, UPC-E and EAN-8, not " + caption;
  if (options.codeSetGiven && choice.form != Form::Code128)
    return "--code-set goes with Code 128, not " + caption;
  if (options.codabarEnds && choice.form != Form::Codabar)
    return "--codabar-ends goes with Codabar, not " + caption;
  if (options.bearersGiven && choice.form != Form::Itf14)
    return "--bearers goes with ITF-14, not " + caption;
  return {};
}

std::string checkFormatOptions(const ExportOptions& options) {
  if (!options.style.background && options.format == render::Format::Bmp)
    return "BMP has no transparency: --bg none goes with PNG, SVG, PDF or EPS";
  return {};
}

ModuleSize moduleSize(const ExportOptions& options) {
  if (!render::isRaster(options.format))
    return {options.moduleMm
                ? *options.moduleMm
                : render::units::dotsToMm(options.resolution.dots, options.resolution.dpi),
            0};
  const int dots = options.moduleMm
                       ? render::dotsForModule(*options.moduleMm, options.resolution.dpi)
                       : options.resolution.dots;
  return {render::units::dotsToMm(dots, options.resolution.dpi), dots};
}

SymbolRequest requestFor(const Choice& choice, const std::string& data,
                         const ExportOptions& options) {
  const BoxRule checkRule = choice.boxes[kAddCheckCharacter];
  const bool check =
      checkRule == BoxRule::Locked || (checkRule == BoxRule::Optional && options.check);
  return {.choice = &choice,
          .data = data,
          .settings = {.printSpacing = options.optimize ? 1 : 0,
                       .label = options.label ? 1 : 0,
                       .checkCharacter = check ? 1 : 0},
          .fontFamily = options.fontFamily,
          .acceptCheckDigit = true,
          .moduleMm = moduleSize(options).mm,
          .heightMm = options.heightMm,
          .addOn = options.addOn,
          .codeSet = options.codeSet,
          .codabarEnds = options.codabarEnds,
          .codabarEndsInData = true,
          .bearers = options.bearers};
}

ExportPlan planExport(const ExportOptions& options, const render::Layout& layout) {
  ExportPlan plan;
  plan.module = moduleSize(options);
  const bool raster = render::isRaster(options.format);
  render::Output& output = plan.output;
  output.format = options.format;
  output.dpi = options.resolution.dpi;
  output.module = raster ? plan.module.dots : plan.module.mm;
  output.style = options.style;
  using Reduce = ExportPlan::Reduce;
  if (options.reduction) {
    output.reduction = reductionOn(*options.reduction, options);
    plan.reduce = output.reduction > 0 ? Reduce::Asked : Reduce::None;
  } else if (options.optimize && !layout.followsPrintSpacing) {
    plan.reduce = Reduce::OnlyWhenAsked;
  } else if (options.optimize && raster && plan.module.dots == 1) {
    output.screenSpacing = true;
    plan.reduce = Reduce::ScreenSpacing;
  } else if (options.optimize) {
    const double dotsPerModule =
        raster ? plan.module.dots : render::units::mmToDots(plan.module.mm, options.resolution.dpi);
    if (dotsPerModule + 1e-9 >= kDotsToReduce) {
      output.reduction = raster ? 1 : render::units::dotsToMm(1, options.resolution.dpi);
      plan.reduce = Reduce::Default;
    } else {
      plan.reduce = Reduce::TooFewDots;
    }
  }
  plan.reductionMm =
      raster ? render::units::dotsToMm(output.reduction, options.resolution.dpi) : output.reduction;
  return plan;
}

QuietZones quietZonesOf(const render::Layout& layout, const render::Output& output) {
  render::Output upright = output;
  upright.style.rotation = 0;
  // The symbol's own bars; a frame of bearer bars bounds the quiet zones
  // instead of the page's edges.
  render::Layout symbol = layout;
  double frameLeft = 0, frameRight = 0;  // modules
  for (const render::Bar& bar : layout.bars) {
    if (!bar.bearer || bar.width >= layout.symbolModules) continue;
    if (bar.x < 0)
      frameLeft = std::max(frameLeft, static_cast<double>(layout.quietLeft + bar.x + bar.width));
    else
      frameRight = std::max(
          frameRight, static_cast<double>(layout.quietRight - (bar.x - layout.symbolModules)));
  }
  std::erase_if(symbol.bars, [](const render::Bar& bar) { return bar.bearer; });
  const render::Scene scene = render::makeScene(symbol, upright, 1, 0);
  QuietZones zones;
  if (scene.bars.empty()) return zones;
  double first = scene.width, last = 0;
  for (const render::Rect& bar : scene.bars) {
    first = std::min(first, bar.x0);
    last = std::max(last, bar.x1);
  }
  // A page a device rounds up only adds to both.
  const render::PageSize page = render::pageSize(symbol, upright);
  const double extra = (page.width - scene.width) / 2;
  zones.left = (first + extra) / output.module - frameLeft;
  zones.right = (scene.width - last + extra) / output.module - frameRight;
  return zones;
}

std::vector<Warning> warningsFor(const render::Layout& layout, const ExportPlan& plan) {
  std::vector<Warning> warnings;
  const render::Minimums& least = layout.minimums;
  const double x = plan.module.mm;
  // Within a thousandth of a millimetre the standard's figures are met.
  constexpr double kSlack = 1e-3;
  if (least.moduleMm && x < *least.moduleMm - kSlack)
    warnings.push_back({Warning::Kind::ModuleBelow, x, *least.moduleMm});
  if (least.maxModuleMm && x > *least.maxModuleMm + kSlack)
    warnings.push_back({Warning::Kind::ModuleAbove, x, *least.maxModuleMm});
  const double barsMm = layout.barHeight * x;
  if (barsMm < least.barHeightMm - kSlack)
    warnings.push_back({Warning::Kind::HeightBelow, barsMm, least.barHeightMm});
  const QuietZones zones = quietZonesOf(layout, plan.output);
  if (zones.left < least.quietLeft - kSlack)
    warnings.push_back({Warning::Kind::QuietLeftBelow, zones.left, double(least.quietLeft)});
  if (zones.right < least.quietRight - kSlack)
    warnings.push_back({Warning::Kind::QuietRightBelow, zones.right, double(least.quietRight)});
  return warnings;
}

std::string warningText(const Warning& warning) {
  switch (warning.kind) {
    case Warning::Kind::ModuleBelow:
      return "X = " + fixed(warning.value, 3) + " mm is below the symbology's smallest, " +
             fixed(warning.limit, 3) + " mm";
    case Warning::Kind::ModuleAbove:
      return "X = " + fixed(warning.value, 3) + " mm is above the symbology's largest, " +
             fixed(warning.limit, 3) + " mm";
    case Warning::Kind::HeightBelow:
      return "the bars are " + fixed(warning.value, 2) + " mm high, below the standard's " +
             fixed(warning.limit, 2) + " mm";
    case Warning::Kind::QuietLeftBelow:
      return "the left quiet zone is " + fixed(warning.value, 2) + " modules, below " +
             fixed(warning.limit, 0);
    case Warning::Kind::QuietRightBelow:
      return "the right quiet zone is " + fixed(warning.value, 2) + " modules, below " +
             fixed(warning.limit, 0);
  }
  return {};
}

std::string describeSize(const render::Layout& layout, const ExportPlan& plan) {
  const render::Output& output = plan.output;
  const bool raster = render::isRaster(output.format);
  const render::PageSize page = render::pageSize(layout, output);
  std::string text;
  if (raster) {
    const double mmPerDot = render::units::dotsToMm(1, output.dpi);
    text = fixed(page.width * mmPerDot, 2) + " x " + fixed(page.height * mmPerDot, 2) + " mm, " +
           std::to_string(static_cast<long long>(page.width)) + " x " +
           std::to_string(static_cast<long long>(page.height)) + " dots at " +
           std::to_string(output.dpi) + " dpi, X = " + fixed(plan.module.mm, 3) + " mm (" +
           std::to_string(plan.module.dots) + (plan.module.dots == 1 ? " dot)" : " dots)");
  } else {
    text = fixed(page.width, 2) + " x " + fixed(page.height, 2) +
           " mm, X = " + fixed(plan.module.mm, 3) + " mm";
  }
  text += ", bars " + fixed(layout.barHeight * plan.module.mm, 2) + " mm high";
  using Reduce = ExportPlan::Reduce;
  switch (plan.reduce) {
    case Reduce::Asked:
    case Reduce::Default:
      text += ", bars " + fixed(plan.reductionMm, 3) + " mm narrower";
      if (raster)
        text += " (" + std::to_string(static_cast<int>(output.reduction)) +
                (output.reduction == 1 ? " dot)" : " dots)");
      break;
    case Reduce::TooFewDots:
      text += ", no bar reduction below " + std::to_string(kDotsToReduce) + " dots per module";
      break;
    case Reduce::ScreenSpacing:
      text += ", spaces a dot wider, as on screen";
      break;
    case Reduce::OnlyWhenAsked:
      text += ", EAN/UPC bars are reduced only when a reduction is given";
      break;
    case Reduce::None:
      break;
  }
  return text;
}

}  // namespace app

#include "export/exportoptions.h"

#include <cmath>

#include "export/choices.h"

namespace app {

namespace {

// A whole number in [low, high] or nothing.
std::optional<int> wholeNumber(const QString& text, int low, int high) {
  bool ok = false;
  const int value = text.trimmed().toInt(&ok);
  if (!ok || value < low || value > high) return std::nullopt;
  return value;
}

}  // namespace

QString readExportOptions(const TypedOptions& typed, ExportOptions& options) {
  if (typed.dpi) {
    const auto dpi = wholeNumber(*typed.dpi, render::kMinDpi, render::kMaxDpi);
    if (!dpi)
      return QStringLiteral("--dpi is a whole number from %1 to %2")
          .arg(render::kMinDpi)
          .arg(render::kMaxDpi);
    options.resolution.dpi = *dpi;
  }
  if (typed.dots && typed.module) return QStringLiteral("give either --dots or --module, not both");
  if (typed.dots) {
    const auto dots = wholeNumber(*typed.dots, render::kMinDots, render::kMaxDots);
    if (!dots)
      return QStringLiteral("--dots is a whole number from %1 to %2")
          .arg(render::kMinDots)
          .arg(render::kMaxDots);
    options.resolution.dots = *dots;
  }
  if (typed.module) {
    bool ok = false;
    const double mm = typed.module->trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(mm) || mm <= 0)
      return QStringLiteral("--module is a width in millimetres, such as 0.33");
    const int dots = render::dotsForModule(mm, options.resolution.dpi);
    if (dots > render::kMaxDots)
      return QStringLiteral("--module %1 is %2 dots at %3 dpi; at most %4 are possible")
          .arg(*typed.module)
          .arg(dots)
          .arg(options.resolution.dpi)
          .arg(render::kMaxDots);
    options.resolution.dots = dots;
  }
  if (typed.font) {
    if (typed.font->trimmed().isEmpty()) return QStringLiteral("--font needs a font's name");
    options.fontFamily = *typed.font;
  }
  options.label = !typed.noLabel;
  options.check = typed.check;
  options.optimize = typed.optimize;
  if (typed.addOn) options.addOn = *typed.addOn;
  if (typed.codeSet) {
    const QString set = typed.codeSet->trimmed().toLower();
    if (set == QLatin1String("auto"))
      options.codeSet = linear::CodeSet::Auto;
    else if (set == QLatin1String("a"))
      options.codeSet = linear::CodeSet::A;
    else if (set == QLatin1String("b"))
      options.codeSet = linear::CodeSet::B;
    else if (set == QLatin1String("c"))
      options.codeSet = linear::CodeSet::C;
    else
      return QStringLiteral("--code-set is auto, A, B or C");
    options.codeSetGiven = true;
  }
  if (typed.codabarEnds) {
    const std::u32string ends = typed.codabarEnds->trimmed().toUpper().toStdU32String();
    const auto isEnd = [](char32_t c) { return c >= U'A' && c <= U'D'; };
    if (ends.size() != 2 || !isEnd(ends[0]) || !isEnd(ends[1]))
      return QStringLiteral(
          "--codabar-ends is two letters from A to D, start and stop, such as AB");
    options.codabarEnds = std::pair{ends[0], ends[1]};
  }
  if (typed.bearers) {
    const QString bearers = typed.bearers->trimmed().toLower();
    if (bearers == QLatin1String("frame"))
      options.bearers = render::Bearers::Frame;
    else if (bearers == QLatin1String("top-bottom"))
      options.bearers = render::Bearers::TopAndBottom;
    else
      return QStringLiteral("--bearers is frame or top-bottom");
    options.bearersGiven = true;
  }
  return {};
}

QString checkOptionsFor(const Choice& choice, const ExportOptions& options) {
  const QLatin1String caption(choice.caption);
  if (options.check && choice.boxes[kAddCheckCharacter] == BoxRule::NotUsed)
    return QStringLiteral("%1 has no check character to add").arg(caption);
  if (!options.addOn.isEmpty() && !takesAddOn(choice))
    return QStringLiteral("--addon goes with EAN-13, JAN-13, ISBN, UPC-A, UPC-E and EAN-8, not %1")
        .arg(caption);
  if (options.codeSetGiven && choice.form != Form::Code128)
    return QStringLiteral("--code-set goes with Code 128, not %1").arg(caption);
  if (options.codabarEnds && choice.form != Form::Codabar)
    return QStringLiteral("--codabar-ends goes with Codabar, not %1").arg(caption);
  if (options.bearersGiven && choice.form != Form::Itf14)
    return QStringLiteral("--bearers goes with ITF-14, not %1").arg(caption);
  return {};
}

QString sizeWarning(const Choice& choice, const render::Resolution& resolution) {
  const double x = resolution.moduleMm();
  if (choice.form != Form::Itf14 ||
      (x >= kItf14MinModuleMm - 5e-4 && x <= kItf14MaxModuleMm + 5e-4))
    return {};
  return QStringLiteral("ITF-14 is printed with X from %1 to %2 mm (GS1); this X is %3 mm")
      .arg(kItf14MinModuleMm, 0, 'f', 3)
      .arg(kItf14MaxModuleMm, 0, 'f', 3)
      .arg(x, 0, 'f', 3);
}

SymbolRequest requestFor(const Choice& choice, const QString& data, const ExportOptions& options) {
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
          .addOn = options.addOn,
          .codeSet = options.codeSet,
          .codabarEnds = options.codabarEnds,
          .codabarEndsInData = true,
          .bearers = options.bearers};
}

ExportSize exportSize(render::Format format, const render::Layout& layout,
                      const render::Resolution& resolution, bool optimize) {
  const bool raster = format == render::Format::Png || format == render::Format::Bmp;
  const render::Scale dots = render::rasterScale(layout, resolution.dots, raster && optimize);
  ExportSize size;
  size.widthDots = static_cast<int>(std::lround(dots.width(layout)));
  size.heightDots = static_cast<int>(std::ceil(dots.height(layout) - 1e-9));
  size.widthMm =
      raster ? size.widthDots * resolution.dotMm() : layout.widthModules() * resolution.moduleMm();
  size.heightMm =
      raster ? size.heightDots * resolution.dotMm() : layout.height() * resolution.moduleMm();
  return size;
}

QString describeSize(render::Format format, const render::Layout& layout,
                     const render::Resolution& resolution, bool optimize) {
  const ExportSize size = exportSize(format, layout, resolution, optimize);
  return QStringLiteral("%1 x %2 mm, %3 x %4 dots at %5 dpi, X = %6 mm (%7 dots)")
      .arg(size.widthMm, 0, 'f', 2)
      .arg(size.heightMm, 0, 'f', 2)
      .arg(size.widthDots)
      .arg(size.heightDots)
      .arg(resolution.dpi)
      .arg(resolution.moduleMm(), 0, 'f', 3)
      .arg(resolution.dots);
}

}  // namespace app

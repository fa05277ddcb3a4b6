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
  return {};
}

QString checkOptionsFor(const Choice& choice, const ExportOptions& options) {
  if (options.check && choice.boxes[kAddCheckCharacter] == BoxRule::NotUsed)
    return QStringLiteral("%1 has no check character to add").arg(QLatin1String(choice.caption));
  return {};
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
          .acceptCheckDigit = true};
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

#include "render/devices.h"

#include <cctype>
#include <cmath>

#include "render/numbers.h"
#include "render/scene.h"
#include "render/units.h"

namespace render {

namespace {

// Each format's file extension, MIME type, and page: the units of a unit of
// output.module and the step its page size is written in.
struct FormatFacts {
  Format format;
  const char* extension;
  const char* mimeType;
  bool raster;
  double unit;
  double step;
};
constexpr FormatFacts kFormats[] = {
    {Format::Png, "png", "image/png", true, 1, 0},
    {Format::Svg, "svg", "image/svg+xml", false, 1, kWrittenStep},
    {Format::Pdf, "pdf", "application/pdf", false, units::kPointsPerMm, kWrittenStep},
    {Format::Bmp, "bmp", "image/bmp", true, 1, 0},
    // The DSC bounding box is in whole points.
    {Format::Eps, "eps", "application/postscript", false, units::kPointsPerMm, 1},
};

constexpr bool factsInFormatOrder() {
  for (std::size_t i = 0; i < std::size(kFormats); ++i)
    if (static_cast<std::size_t>(kFormats[i].format) != i) return false;
  return true;
}
static_assert(factsInFormatOrder());

const FormatFacts& factsOf(Format format) { return kFormats[static_cast<std::size_t>(format)]; }

Scene sceneFor(const Layout& layout, const Output& output) {
  const FormatFacts& facts = factsOf(output.format);
  return makeScene(layout, output, facts.unit, facts.step);
}

}  // namespace

std::optional<Format> formatNamed(std::string_view name) {
  for (const FormatFacts& facts : kFormats) {
    const std::string_view extension(facts.extension);
    if (name.size() != extension.size()) continue;
    bool same = true;
    for (std::size_t i = 0; i < name.size() && same; ++i)
      same = std::tolower(static_cast<unsigned char>(name[i])) == extension[i];
    if (same) return facts.format;
  }
  return std::nullopt;
}

std::string_view extensionOf(Format format) { return factsOf(format).extension; }

std::string_view mimeTypeOf(Format format) { return factsOf(format).mimeType; }

bool isRaster(Format format) { return factsOf(format).raster; }

int dotsForModule(double moduleMm, int dpi) {
  const double dots = std::round(units::mmToDots(moduleMm, dpi));
  return dots < 1 ? 1 : dots > 1e6 ? 1000000 : static_cast<int>(dots);
}

PageSize exactSize(const Layout& layout, const Output& output) {
  const Scene scene = makeScene(layout, output, 1, 0);
  return {scene.width, scene.height};
}

PageSize pageSize(const Layout& layout, const Output& output) {
  const Scene scene = sceneFor(layout, output);
  const double unit = factsOf(output.format).unit;
  return {scene.width / unit, scene.height / unit};
}

bool write(const Layout& layout, const Output& output, const Sink& sink) {
  const Scene scene = sceneFor(layout, output);
  switch (output.format) {
    case Format::Png:
      return writePng(scene, output.dpi, sink);
    case Format::Bmp:
      return writeBmp(scene, output.dpi, sink);
    case Format::Svg:
      return writeSvg(scene, sink);
    case Format::Pdf:
      return writePdf(scene, sink);
    case Format::Eps: {
      const PageSize exact = exactSize(layout, output);
      return writeEps(scene, units::mmToPoints(exact.width), units::mmToPoints(exact.height), sink);
    }
  }
  return false;
}

std::string document(const Layout& layout, const Output& output) {
  std::string bytes;
  write(layout, output, [&bytes](const char* data, std::size_t size) {
    bytes.append(data, size);
    return true;
  });
  return bytes;
}

Picture picture(const Layout& layout, const Output& output) {
  Rows rows(dotScene(layout, output));
  Picture picture;
  picture.width = rows.width();
  picture.height = rows.height();
  picture.dpi = output.dpi;
  picture.grey.resize(static_cast<std::size_t>(picture.width) *
                      static_cast<std::size_t>(std::max(picture.height, 0)));
  auto* out = picture.grey.data();
  for (int y = 0; y < picture.height; ++y) {
    for (const std::uint8_t ink : rows.next()) *out++ = ink ? 0 : 255;
  }
  return picture;
}

}  // namespace render

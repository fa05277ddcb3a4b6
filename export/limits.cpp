#include "export/limits.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "render/devices.h"
#include "render/units.h"

namespace app {

namespace {

Limits fromEnvironment() {
  Limits limits;
  const char* setting = std::getenv("BG_LIMITS");
  std::string_view rest = setting ? setting : "";
  while (!rest.empty()) {
    const std::size_t comma = rest.find(',');
    const std::string item(rest.substr(0, comma));
    rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
    const std::size_t equals = item.find('=');
    if (equals == std::string::npos) continue;
    std::string key = item.substr(0, equals);
    std::erase(key, ' ');
    char* end = nullptr;
    const double value = std::strtod(item.c_str() + equals + 1, &end);
    if (end == item.c_str() + equals + 1 || !(value > 0)) continue;
    const auto whole = static_cast<std::int64_t>(value);
    if (key == "file-pixels") limits.filePixels = whole;
    if (key == "window-pixels") limits.windowPixels = whole;
    if (key == "bmp-bytes") limits.bmpBytes = whole;
    if (key == "png-side") limits.pngSide = whole;
    if (key == "pdf-units") limits.pdfUnits = value;
  }
  return limits;
}

Limits& current() {
  static Limits limits = fromEnvironment();
  return limits;
}

std::string number(double value, int places) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", places, value);
  return text;
}

std::string pixelRefusal(std::int64_t width, std::int64_t height, DrawnFor where) {
  const std::int64_t pixels = width * height;
  const std::int64_t limit =
      where == DrawnFor::File ? current().filePixels : current().windowPixels;
  if (pixels <= limit) return {};
  return std::to_string(width) + " x " + std::to_string(height) + " dots is " +
         std::to_string(pixels) + " dots, more than the " + std::to_string(limit) +
         (where == DrawnFor::File ? " an image may have" : " the window draws at once");
}

// Bytes of a BMP of a bit a dot: the headers and palette, then rows padded to four bytes.
std::int64_t bmpSize(std::int64_t width, std::int64_t height) {
  return 62 + (width + 31) / 32 * 4 * height;
}

}  // namespace

const Limits& limits() { return current(); }

void setLimitsForTest(const Limits& limits) { current() = limits; }

std::string sizeRefusal(const render::Layout& layout, const ExportPlan& plan, DrawnFor where) {
  const render::Output& output = plan.output;
  const render::PageSize page = render::pageSize(layout, output);
  const Limits& limit = current();
  if (output.format == render::Format::Pdf) {
    const double width = render::units::mmToPoints(page.width);
    const double height = render::units::mmToPoints(page.height);
    if (std::max(width, height) > limit.pdfUnits)
      return "the page would be " + number(std::ceil(width), 0) + " x " +
             number(std::ceil(height), 0) + " units of 1/72 inch (" + number(page.width, 1) +
             " x " + number(page.height, 1) + " mm); PDF pages have at most " +
             number(limit.pdfUnits, 0) + " a side";
  }
  if (!render::isRaster(output.format)) return {};
  const auto width = static_cast<std::int64_t>(page.width);
  const auto height = static_cast<std::int64_t>(page.height);
  if (where == DrawnFor::Window)
    if (std::string pixels = pixelRefusal(width, height, where); !pixels.empty()) return pixels;
  if (output.format == render::Format::Png && std::max(width, height) > limit.pngSide)
    return std::to_string(width) + " x " + std::to_string(height) + " dots: PNG takes at most " +
           std::to_string(limit.pngSide) + " a side";
  if (output.format == render::Format::Bmp) {
    const std::int64_t bytes = bmpSize(width, height);
    if (bytes > limit.bmpBytes)
      return "a BMP of " + std::to_string(width) + " x " + std::to_string(height) +
             " dots would be " + std::to_string(bytes) + " bytes; BMP holds at most " +
             std::to_string(limit.bmpBytes);
  }
  return {};
}

std::string proofRefusal(const render::Layout& layout, const ExportPlan& plan, DrawnFor where) {
  const render::Output& output = plan.output;
  double width = 0, height = 0;
  if (render::isRaster(output.format)) {
    const render::PageSize page = render::pageSize(layout, output);
    width = page.width, height = page.height;
  } else {
    const render::PageSize page = render::exactSize(layout, output);
    width = std::ceil(render::units::mmToDots(page.width, output.dpi));
    height = std::ceil(render::units::mmToDots(page.height, output.dpi));
  }
  return pixelRefusal(static_cast<std::int64_t>(width), static_cast<std::int64_t>(height), where);
}

}  // namespace app

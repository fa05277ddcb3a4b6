// SVG in millimetres: bars as rectangles, text as the font's outlines, so
// that every viewer shows the same glyphs: each glyph used is defined once
// and placed with a transform.
#include <algorithm>
#include <cmath>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "render/numbers.h"
#include "render/scene.h"
#include "render/vectorpaths.h"

namespace render {

namespace {

// A glyph's outline as SVG path data in the font's own units, y up, each
// point relative to the one before (curves as the font has them): made once
// per font and run, then copied into every file that uses it.
const std::string& glyphPath(const Font& font, char32_t c) {
  static std::mutex mutex;
  static std::map<std::pair<const Font*, char32_t>, std::string> made;
  const std::lock_guard lock(mutex);
  std::string& out = made[{&font, c}];
  if (!out.empty()) return out;
  const double units = font.unitsPerEm();
  // Whole units, each step from the last point as written, so nothing drifts.
  long long atX = 0, atY = 0, startX = 0, startY = 0;
  const auto relative = [&](double x, double y) {
    const long long toX = std::llround(x * units), toY = std::llround(y * units);
    out += std::to_string(toX - atX);
    const long long dy = toY - atY;
    if (dy >= 0) out += ' ';
    out += std::to_string(dy);
    return std::pair(toX, toY);
  };
  for (const PathOp& op : font.glyph(c).outline) {
    switch (op.kind) {
      case PathOp::Move:
        out += 'm';
        std::tie(atX, atY) = relative(op.x[0], op.y[0]);
        startX = atX, startY = atY;
        break;
      case PathOp::Line: {
        // Straight across or down in one number.
        const long long toX = std::llround(op.x[0] * units), toY = std::llround(op.y[0] * units);
        if (toY == atY) {
          out += 'h', out += std::to_string(toX - atX);
        } else if (toX == atX) {
          out += 'v', out += std::to_string(toY - atY);
        } else {
          out += 'l';
          relative(op.x[0], op.y[0]);
        }
        atX = toX, atY = toY;
        break;
      }
      case PathOp::Quad:
      case PathOp::Cubic: {
        // Every control point relative to the step's start.
        const long long fromX = atX, fromY = atY;
        out += op.kind == PathOp::Quad ? 'q' : 'c';
        const int points = op.kind == PathOp::Quad ? 2 : 3;
        for (int i = 0; i < points; ++i) {
          if (i > 0) out += ' ';
          atX = fromX, atY = fromY;
          const auto to = relative(op.x[i], op.y[i]);
          if (i == points - 1) std::tie(atX, atY) = to;
        }
        break;
      }
      case PathOp::Close:
        // The pen goes back to where the contour began.
        out += 'z';
        atX = startX, atY = startY;
        break;
    }
  }
  if (out.empty()) out = "m0 0";  // a space: nothing to draw
  return out;
}

}  // namespace

bool writeSvg(const Scene& scene, const Sink& sink) {
  std::string out;
  out.reserve(400 + scene.bars.size() * 64 + scene.glyphs.size() * 600);
  out.append(
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
      "version=\"1.1\" width=\"");
  appendNumber(out, scene.width);
  out.append("mm\" height=\"");
  appendNumber(out, scene.height);
  out.append("mm\" viewBox=\"0 0 ");
  appendNumber(out, scene.width);
  out += ' ';
  appendNumber(out, scene.height);
  out.append("\">\n");
  if (scene.style.background) {
    out.append("<rect width=\"");
    appendNumber(out, scene.width);
    out.append("\" height=\"");
    appendNumber(out, scene.height);
    out.append("\" fill=\"");
    appendHexColour(out, *scene.style.background);
    out.append("\"/>\n");
  }
  out.append("<g fill=\"");
  appendHexColour(out, scene.style.foreground);
  out.append("\">\n");
  // The bars as one path of rectangles.
  if (!scene.bars.empty()) {
    out.append("<path shape-rendering=\"crispEdges\" d=\"");
    // Each from the one before: after "z" the pen is at the last bar's corner.
    double atX = 0, atY = 0;
    for (const Rect& bar : scene.bars) {
      const double width = bar.x1 - bar.x0;
      out += &bar == &scene.bars.front() ? 'M' : 'm';
      // From the corner as written, so that rounding never adds up.
      const double x = std::round(bar.x0 / kWrittenStep) * kWrittenStep;
      const double y = std::round(bar.y0 / kWrittenStep) * kWrittenStep;
      appendNumber(out, x - atX);
      out += ' ';
      appendNumber(out, y - atY);
      atX = x, atY = y;
      out += 'h';
      appendNumber(out, width);
      out += 'v';
      appendNumber(out, bar.y1 - bar.y0);
      out.append("h-");
      appendNumber(out, width);
      out += 'z';
    }
    out.append("\"/>\n");
  }
  if (!scene.glyphs.empty() && scene.font) {
    // Each glyph drawn once, in the font's units, and placed where it is used.
    std::vector<char32_t> used;
    out.append("<defs>\n");
    for (const PlacedGlyph& glyph : scene.glyphs) {
      if (std::find(used.begin(), used.end(), glyph.c) != used.end()) continue;
      used.push_back(glyph.c);
      out.append("<path id=\"g");
      out.append(std::to_string(used.size()));
      out.append("\" d=\"");
      out.append(glyphPath(*scene.font, glyph.c));
      out.append("\"/>\n");
    }
    out.append("</defs>\n");
    // A run of glyphs of one size on one baseline shares its transform; each
    // is placed by its advance along the baseline, in the font's units.
    const double units = scene.font->unitsPerEm();
    const PlacedGlyph* first = nullptr;
    for (const PlacedGlyph& glyph : scene.glyphs) {
      double along = 0;
      if (first && glyph.size == first->size) {
        const double dx = glyph.x - first->x, dy = glyph.y - first->y;
        // The turn's matrix is its own inverse's transpose.
        along = (scene.m[0] * dx + scene.m[2] * dy) / glyph.size;
        const double across = (scene.m[1] * dx + scene.m[3] * dy) / glyph.size;
        if (std::abs(across) > 1e-6) first = nullptr;
      } else {
        first = nullptr;
      }
      if (!first) {
        if (&glyph != &scene.glyphs.front()) out.append("</g>\n");
        first = &glyph;
        out.append("<g transform=\"matrix(");
        const double s = glyph.size / units;
        for (const double v : {s * scene.m[0], s * scene.m[2], s * scene.m[1], s * scene.m[3]}) {
          appendNumber(out, v, 9);
          out += ' ';
        }
        appendNumber(out, glyph.x);
        out += ' ';
        appendNumber(out, glyph.y);
        out.append(")\">\n");
      }
      const auto index = std::find(used.begin(), used.end(), glyph.c) - used.begin() + 1;
      out.append("<use xlink:href=\"#g");
      out.append(std::to_string(index));
      if (along != 0) {
        out.append("\" x=\"");
        appendNumber(out, along * units, 1);
      }
      out.append("\"/>\n");
    }
    out.append("</g>\n");
  }
  out.append("</g>\n</svg>\n");
  return sink(out.data(), out.size());
}

}  // namespace render

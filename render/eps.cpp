// Encapsulated PostScript in points: the bounding box in whole points,
// rounded up with the rest added to the quiet zones (the scene's padding),
// the exact box beside it; text as the font's outlines.
#include <string>

#include "render/numbers.h"
#include "render/scene.h"
#include "render/vectorpaths.h"

namespace render {

namespace {

void appendColour(std::string& out, const Colour& colour) {
  appendNumber(out, colour.r / 255.0);
  out += ' ';
  appendNumber(out, colour.g / 255.0);
  out += ' ';
  appendNumber(out, colour.b / 255.0);
  out.append(" setrgbcolor\n");
}

}  // namespace

bool writeEps(const Scene& scene, double exactWidth, double exactHeight, const Sink& sink) {
  // PostScript's y goes up: a point y of the page is height - y.
  const double height = scene.height;
  const double padX = (scene.width - exactWidth) / 2, padY = (scene.height - exactHeight) / 2;
  std::string out;
  out.reserve(600 + scene.bars.size() * 40 + scene.glyphs.size() * 500);
  out.append("%!PS-Adobe-3.0 EPSF-3.0\n%%Creator: Barcode Generator\n%%BoundingBox: 0 0 ");
  appendNumber(out, scene.width);
  out += ' ';
  appendNumber(out, scene.height);
  out.append("\n%%HiResBoundingBox: ");
  for (const double v : {padX, padY, padX + exactWidth}) {
    appendNumber(out, v);
    out += ' ';
  }
  appendNumber(out, padY + exactHeight);
  out += '\n';
  out.append(
      "%%LanguageLevel: 2\n%%Pages: 1\n%%EndComments\n%%Page: 1 1\n"
      "save\n/m {moveto} bind def /l {lineto} bind def /c {curveto} bind def\n"
      "/h {closepath} bind def /r {rectfill} bind def\n");
  if (scene.style.background) {
    appendColour(out, *scene.style.background);
    out.append("0 0 ");
    appendNumber(out, scene.width);
    out += ' ';
    appendNumber(out, scene.height);
    out.append(" r\n");
  }
  appendColour(out, scene.style.foreground);
  for (const Rect& bar : scene.bars) {
    appendNumber(out, bar.x0);
    out += ' ';
    appendNumber(out, height - bar.y1);
    out += ' ';
    appendNumber(out, bar.x1 - bar.x0);
    out += ' ';
    appendNumber(out, bar.y1 - bar.y0);
    out.append(" r\n");
  }
  if (!scene.glyphs.empty()) {
    const auto point = [&](double x, double y) {
      appendNumber(out, x);
      out += ' ';
      appendNumber(out, height - y);
      out += ' ';
    };
    forEachGlyphPath(
        scene, [&](double x, double y) { point(x, y), out.append("m\n"); },
        [&](double x, double y) { point(x, y), out.append("l\n"); },
        [&](double x1, double y1, double x2, double y2, double x, double y) {
          point(x1, y1), point(x2, y2), point(x, y), out.append("c\n");
        },
        [&] { out.append("h\n"); });
    out.append("fill\n");
  }
  out.append("restore\nshowpage\n%%Trailer\n%%EOF\n");
  return sink(out.data(), out.size());
}

}  // namespace render

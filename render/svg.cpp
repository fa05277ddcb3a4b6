// SVG in millimetres: bars as rectangles, text as the font's outlines, so
// that every viewer shows the same glyphs.
#include <string>

#include "render/numbers.h"
#include "render/scene.h"
#include "render/vectorpaths.h"

namespace render {

bool writeSvg(const Scene& scene, const Sink& sink) {
  std::string out;
  out.reserve(400 + scene.bars.size() * 64 + scene.glyphs.size() * 600);
  out.append(
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"");
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
  out.append("\">\n<g shape-rendering=\"crispEdges\">\n");
  for (const Rect& bar : scene.bars) {
    out.append("<rect x=\"");
    appendNumber(out, bar.x0);
    out.append("\" y=\"");
    appendNumber(out, bar.y0);
    out.append("\" width=\"");
    appendNumber(out, bar.x1 - bar.x0);
    out.append("\" height=\"");
    appendNumber(out, bar.y1 - bar.y0);
    out.append("\"/>\n");
  }
  out.append("</g>\n");
  if (!scene.glyphs.empty() && scene.font) {
    out.append("<path d=\"");
    const auto point = [&out](double x, double y) {
      appendNumber(out, x);
      out += ' ';
      appendNumber(out, y);
    };
    forEachGlyphPath(
        scene, [&](double x, double y) { out += 'M', point(x, y); },
        [&](double x, double y) { out += 'L', point(x, y); },
        [&](double x1, double y1, double x2, double y2, double x, double y) {
          out += 'C', point(x1, y1), out += ' ', point(x2, y2), out += ' ', point(x, y);
        },
        [&] { out += 'Z'; });
    out.append("\"/>\n");
  }
  out.append("</g>\n</svg>\n");
  return sink(out.data(), out.size());
}

}  // namespace render

#pragma once

// The one intermediate form every device draws: a layout placed on its page
// in the device's units (y down, after rotation), with bar width reduction,
// quiet zones and padding worked out once here for every symbology.

#include <vector>

#include "render/devices.h"

namespace render {

struct Rect {
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

// A glyph's pen on the page; its ems reach the page through the scene's turn.
struct PlacedGlyph {
  char32_t c = 0;
  double x = 0, y = 0;  // the pen on the baseline
  double size = 0;      // an em, in page units
};

struct Scene {
  double width = 0, height = 0;  // the page
  int quarterTurns = 0;          // clockwise
  std::vector<Rect> bars;
  std::vector<PlacedGlyph> glyphs;
  const Font* font = nullptr;
  Style style;
  // The page's step for an em's step (u right, v up) of a glyph:
  // dx = size * (m[0] u + m[1] v), dy = size * (m[2] u + m[3] v).
  double m[4] = {1, 0, 0, -1};

  double glyphX(const PlacedGlyph& g, double u, double v) const {
    return g.x + g.size * (m[0] * u + m[1] * v);
  }
  double glyphY(const PlacedGlyph& g, double u, double v) const {
    return g.y + g.size * (m[2] * u + m[3] * v);
  }
};

// The layout in page units: `unit` of them a unit of output.module (1 for
// dots and SVG's millimetres, points for PDF and EPS). The page is padded to
// `step` (0: none), the padding split between both sides. Rasters keep bars,
// heights and the reduction in whole dots.
Scene makeScene(const Layout& layout, const Output& output, double unit, double step);

// The same scene in dots at a resolution, for the proof picture of a vector file.
Scene dotScene(const Layout& layout, const Output& output);

// Writers of each format, from the scene.
bool writePng(const Scene& scene, int dpi, const Sink& sink);
bool writeBmp(const Scene& scene, int dpi, const Sink& sink);
bool writeSvg(const Scene& scene, const Sink& sink);
bool writeEps(const Scene& scene, double exactWidth, double exactHeight, const Sink& sink);
bool writePdf(const Scene& scene, const Sink& sink);

// Rows of a scene in dots, top to bottom, 1 for ink: one row in memory.
class Rows {
 public:
  explicit Rows(const Scene& scene);
  int width() const { return m_width; }
  int height() const { return m_height; }
  // The next row; rows come in order, from 0 to height() - 1.
  const std::vector<std::uint8_t>& next();
  // Whether the row next() gave is the one before it again.
  bool repeated() const { return m_repeated; }

 private:
  struct Span {
    int y0, y1, x0, x1;
  };
  struct Dots {
    const GlyphDots* dots;
    int x, y;  // the first dot of its first row
  };
  int m_width = 0, m_height = 0;
  int m_y = 0;
  std::vector<Span> m_spans;   // by y0
  std::vector<Dots> m_glyphs;  // by y
  std::size_t m_nextSpan = 0, m_nextGlyph = 0;
  std::vector<Span> m_activeSpans;
  std::vector<Dots> m_activeGlyphs;
  std::vector<int> m_changes;  // rows where what covers a row changes
  std::size_t m_nextChange = 0;
  bool m_valid = false;
  bool m_repeated = false;
  std::vector<std::uint8_t> m_row;
};

}  // namespace render

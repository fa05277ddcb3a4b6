#pragma once

// Fonts for every device, through FreeType: advances and heights in ems,
// outlines for the vector files and the printer, black-and-white dots for
// the rasters. Nothing is opened until a label is drawn.

#include <array>
#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <unordered_map>
#include <vector>

namespace render {

// One step of a glyph's outline, in ems, y up from the pen on the baseline:
// TrueType's curves are quadratic (a control point and the end), CFF's cubic.
struct PathOp {
  enum Kind : std::uint8_t { Move, Line, Quad, Cubic, Close } kind = Move;
  double x[3] = {}, y[3] = {};  // Move and Line use the first point, Quad two
};
using Outline = std::vector<PathOp>;

// A quadratic step from (x0, y0) as the cubic that draws the same curve:
// its controls two thirds of the way to the quadratic's.
inline PathOp asCubic(const PathOp& quad, double x0, double y0) {
  const double cx = quad.x[0], cy = quad.y[0], x = quad.x[1], y = quad.y[1];
  return {PathOp::Cubic,
          {x0 + 2 * (cx - x0) / 3, x + 2 * (cx - x) / 3, x},
          {y0 + 2 * (cy - y0) / 3, y + 2 * (cy - y) / 3, y}};
}

struct Glyph {
  unsigned index = 0;          // in the font; 0 when the font has no glyph for it
  double advance = 0;          // ems
  double top = 0;              // ems above the baseline: the outline's highest point
  double bottom = 0;           // and its lowest, negative below the baseline
  double left = 0, right = 0;  // ems from the pen
  Outline outline;
};

// A glyph's dots at one size and turn: rows top to bottom, 1 for ink, placed
// from the pen's dot (x right, y down).
struct GlyphDots {
  int left = 0, top = 0;  // of the first dot of the first row
  int width = 0, height = 0;
  std::vector<std::uint8_t> dots;
};

class Font {
 public:
  // The font a family names: Debian's files of the two families the program
  // defaults to (OCR B and Tahoma) are opened directly, any other family is
  // asked of fontconfig, which answers with its nearest font. Fonts are kept
  // for the run; null when no font file can be opened at all.
  static std::shared_ptr<const Font> named(const std::string& family);

  ~Font();
  Font(const Font&) = delete;
  Font& operator=(const Font&) = delete;

  const std::string& family() const { return m_family; }
  int unitsPerEm() const { return m_unitsPerEm; }
  double ascent() const { return m_ascent; }    // ems
  double descent() const { return m_descent; }  // ems, positive

  // Thread-safe; each glyph is read from the file once.
  const Glyph& glyph(char32_t c) const;
  double advance(std::u32string_view text) const;
  // The glyph's dots at pixelSize dots an em, turned quarterTurns clockwise.
  const GlyphDots& dots(char32_t c, double pixelSize, int quarterTurns) const;

 private:
  struct Face;
  Font(std::string family, std::unique_ptr<Face> face);
  const Glyph& glyphLocked(char32_t c) const;

  std::string m_family;
  std::unique_ptr<Face> m_face;
  int m_unitsPerEm = 1000;
  double m_ascent = 0, m_descent = 0;
  mutable std::mutex m_mutex;
  mutable std::unordered_map<char32_t, std::unique_ptr<Glyph>> m_glyphs;
  // ASCII glyphs once read, for lookups without the lock: labels are mostly ASCII.
  mutable std::array<std::atomic<const Glyph*>, 128> m_ascii{};
  mutable std::map<std::tuple<char32_t, long, int>, std::unique_ptr<GlyphDots>> m_dots;
};

}  // namespace render

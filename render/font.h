#pragma once

// Fonts for every device, through FreeType: advances and heights in ems,
// outlines for the vector files and the printer, black-and-white dots for
// the rasters. Nothing is opened until a label is drawn.

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

// One step of a glyph's outline, in ems, y up from the pen on the baseline.
struct PathOp {
  enum Kind : std::uint8_t { Move, Line, Cubic, Close } kind = Move;
  double x[3] = {}, y[3] = {};  // Move and Line use the first point
};
using Outline = std::vector<PathOp>;

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
  double m_ascent = 0, m_descent = 0;
  mutable std::mutex m_mutex;
  mutable std::unordered_map<char32_t, std::unique_ptr<Glyph>> m_glyphs;
  mutable std::map<std::tuple<char32_t, long, int>, std::unique_ptr<GlyphDots>> m_dots;
};

}  // namespace render

#include "render/font.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cctype>
#include <cmath>

namespace render {

namespace {

// Debian's files of the program's default families. Opening them directly
// spares a label the start of fontconfig, which alone costs several times
// a whole export.
struct KnownFile {
  const char* family;
  const char* path;
};
constexpr KnownFile kKnownFiles[] = {
    {"ocr b", "/usr/share/fonts/opentype/ocr-b/OCRB.otf"},
    {"ocr-b", "/usr/share/fonts/opentype/ocr-b/OCRB.otf"},
    {"tahoma", "/usr/share/wine/fonts/tahoma.ttf"},
};

std::string lowered(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// fontconfig's nearest font file for a family, and the face's index in it.
std::optional<std::pair<std::string, int>> askFontconfig(const std::string& family) {
  static FcConfig* const config = FcInitLoadConfigAndFonts();
  if (!config) return std::nullopt;
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcConfigSubstitute(config, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(config, pattern, &result);
  FcPatternDestroy(pattern);
  if (!match) return std::nullopt;
  std::optional<std::pair<std::string, int>> found;
  FcChar8* file = nullptr;
  int index = 0;
  if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
    FcPatternGetInteger(match, FC_INDEX, 0, &index);
    found.emplace(reinterpret_cast<const char*>(file), index);
  }
  FcPatternDestroy(match);
  return found;
}

// Collects an outline in ems.
struct OutlineSink {
  Outline* out;
  double scale;
  double lastX = 0, lastY = 0;
  bool open = false;
};

int moveTo(const FT_Vector* to, void* user) {
  auto& sink = *static_cast<OutlineSink*>(user);
  if (sink.open) sink.out->push_back({PathOp::Close, {}, {}});
  sink.lastX = to->x * sink.scale;
  sink.lastY = to->y * sink.scale;
  sink.out->push_back({PathOp::Move, {sink.lastX}, {sink.lastY}});
  sink.open = true;
  return 0;
}

int lineTo(const FT_Vector* to, void* user) {
  auto& sink = *static_cast<OutlineSink*>(user);
  sink.lastX = to->x * sink.scale;
  sink.lastY = to->y * sink.scale;
  sink.out->push_back({PathOp::Line, {sink.lastX}, {sink.lastY}});
  return 0;
}

int cubicTo(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* user) {
  auto& sink = *static_cast<OutlineSink*>(user);
  const double s = sink.scale;
  sink.out->push_back(
      {PathOp::Cubic, {c1->x * s, c2->x * s, to->x * s}, {c1->y * s, c2->y * s, to->y * s}});
  sink.lastX = to->x * s;
  sink.lastY = to->y * s;
  return 0;
}

int conicTo(const FT_Vector* control, const FT_Vector* to, void* user) {
  auto& sink = *static_cast<OutlineSink*>(user);
  const double s = sink.scale;
  sink.out->push_back({PathOp::Quad, {control->x * s, to->x * s}, {control->y * s, to->y * s}});
  sink.lastX = to->x * s;
  sink.lastY = to->y * s;
  return 0;
}

}  // namespace

struct Font::Face {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  ~Face() {
    if (face) FT_Done_Face(face);
    if (library) FT_Done_FreeType(library);
  }
};

Font::Font(std::string family, std::unique_ptr<Face> face)
    : m_family(std::move(family)), m_face(std::move(face)) {
  const FT_Face f = m_face->face;
  const double em = f->units_per_EM > 0 ? f->units_per_EM : 1000;
  m_unitsPerEm = static_cast<int>(em);
  m_ascent = f->ascender / em;
  m_descent = -f->descender / em;
}

Font::~Font() = default;

std::shared_ptr<const Font> Font::named(const std::string& family) {
  static std::mutex mutex;
  static std::map<std::string, std::shared_ptr<const Font>> known;
  const std::lock_guard lock(mutex);
  const std::string key = lowered(family);
  if (const auto found = known.find(key); found != known.end()) return found->second;

  const auto open = [&family](const std::string& path, int index) -> std::shared_ptr<const Font> {
    auto face = std::make_unique<Face>();
    if (FT_Init_FreeType(&face->library) != 0) return nullptr;
    if (FT_New_Face(face->library, path.c_str(), index, &face->face) != 0) {
      face->face = nullptr;
      return nullptr;
    }
    return std::shared_ptr<const Font>(new Font(family, std::move(face)));
  };
  std::shared_ptr<const Font> font;
  for (const KnownFile& file : kKnownFiles)
    if (!font && key == file.family) font = open(file.path, 0);
  if (!font)
    if (const auto asked = askFontconfig(family)) font = open(asked->first, asked->second);
  known.emplace(key, font);
  return font;
}

const Glyph& Font::glyphLocked(char32_t c) const {
  auto& slot = m_glyphs[c];
  if (slot) return *slot;
  slot = std::make_unique<Glyph>();
  Glyph& glyph = *slot;
  const FT_Face f = m_face->face;
  glyph.index = FT_Get_Char_Index(f, c);
  if (FT_Load_Glyph(f, glyph.index, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0)
    return glyph;
  const double scale = 1.0 / (f->units_per_EM > 0 ? f->units_per_EM : 1000);
  glyph.advance = f->glyph->advance.x * scale;
  if (f->glyph->format != FT_GLYPH_FORMAT_OUTLINE) return glyph;
  OutlineSink sink{&glyph.outline, scale};
  const FT_Outline_Funcs funcs{moveTo, lineTo, conicTo, cubicTo, 0, 0};
  FT_Outline_Decompose(&f->glyph->outline, &funcs, &sink);
  if (sink.open) glyph.outline.push_back({PathOp::Close, {}, {}});
  FT_BBox box;
  FT_Outline_Get_CBox(&f->glyph->outline, &box);
  if (!glyph.outline.empty()) {
    glyph.top = box.yMax * scale;
    glyph.bottom = box.yMin * scale;
    glyph.left = box.xMin * scale;
    glyph.right = box.xMax * scale;
  }
  return glyph;
}

const Glyph& Font::glyph(char32_t c) const {
  if (c < m_ascii.size())
    if (const Glyph* known = m_ascii[c].load(std::memory_order_acquire)) return *known;
  const std::lock_guard lock(m_mutex);
  const Glyph& glyph = glyphLocked(c);
  if (c < m_ascii.size()) m_ascii[c].store(&glyph, std::memory_order_release);
  return glyph;
}

double Font::advance(std::u32string_view text) const {
  double total = 0;
  for (const char32_t c : text) total += glyph(c).advance;
  return total;
}

const GlyphDots& Font::dots(char32_t c, double pixelSize, int quarterTurns) const {
  const std::lock_guard lock(m_mutex);
  const long size64 = std::lround(pixelSize * 64);
  quarterTurns = ((quarterTurns % 4) + 4) % 4;
  auto& slot = m_dots[{c, size64, quarterTurns}];
  if (slot) return *slot;
  slot = std::make_unique<GlyphDots>();
  GlyphDots& out = *slot;
  const FT_Face f = m_face->face;
  const unsigned index = glyphLocked(c).index;
  if (FT_Set_Char_Size(f, 0, std::max<long>(size64, 1), 72, 72) != 0 ||
      FT_Load_Glyph(f, index, FT_LOAD_TARGET_MONO | FT_LOAD_NO_BITMAP) != 0 ||
      f->glyph->format != FT_GLYPH_FORMAT_OUTLINE)
    return out;
  // Clockwise on paper is (x, y) -> (y, -x) with y up, as FreeType has it.
  static constexpr FT_Fixed kTurns[4][4] = {
      {0x10000, 0, 0, 0x10000},
      {0, 0x10000, -0x10000, 0},
      {-0x10000, 0, 0, -0x10000},
      {0, -0x10000, 0x10000, 0},
  };
  FT_Matrix matrix{kTurns[quarterTurns][0], kTurns[quarterTurns][1], kTurns[quarterTurns][2],
                   kTurns[quarterTurns][3]};
  FT_Outline_Transform(&f->glyph->outline, &matrix);
  if (FT_Render_Glyph(f->glyph, FT_RENDER_MODE_MONO) != 0) return out;
  const FT_Bitmap& bitmap = f->glyph->bitmap;
  out.left = f->glyph->bitmap_left;
  out.top = -f->glyph->bitmap_top;
  out.width = static_cast<int>(bitmap.width);
  out.height = static_cast<int>(bitmap.rows);
  out.dots.resize(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height));
  for (int y = 0; y < out.height; ++y) {
    const unsigned char* row = bitmap.buffer + static_cast<std::ptrdiff_t>(y) * bitmap.pitch;
    for (int x = 0; x < out.width; ++x)
      out.dots[static_cast<std::size_t>(y * out.width + x)] = (row[x / 8] >> (7 - x % 8)) & 1;
  }
  return out;
}

}  // namespace render

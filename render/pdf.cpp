// PDF in points, the page exactly the symbol's size (to a ten-thousandth of
// a point, rounded up). The text is real text in a Type 3 font made of the
// glyphs it uses, outlines from the font file, with a map back to Unicode so
// that it can be searched and copied. Each glyph's drawing is made once per
// font and run, not once per document.
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "render/numbers.h"
#include "render/scene.h"
#include "render/vectorpaths.h"

namespace render {

namespace {

constexpr double kGlyphUnits = 1000;  // a Type 3 glyph's em

// The glyph's drawing in its own em of 1000, ready for a CharProcs stream.
const std::string& glyphProcedure(const Font& font, char32_t c) {
  static std::mutex mutex;
  static std::map<std::pair<const Font*, char32_t>, std::string> made;
  const std::lock_guard lock(mutex);
  std::string& out = made[{&font, c}];
  if (!out.empty()) return out;
  const Glyph& glyph = font.glyph(c);
  // Its advance and box; "d1": a shape filled in the text's colour.
  for (const double v : {glyph.advance, 0.0, glyph.left, glyph.bottom, glyph.right, glyph.top}) {
    appendNumber(out, v * kGlyphUnits);
    out += ' ';
  }
  out.append("d1\n");
  const auto point = [&out](double x, double y) {
    appendNumber(out, x * kGlyphUnits);
    out += ' ';
    appendNumber(out, y * kGlyphUnits);
    out += ' ';
  };
  double lastX = 0, lastY = 0;
  for (const PathOp& step : glyph.outline) {
    const PathOp op = step.kind == PathOp::Quad ? asCubic(step, lastX, lastY) : step;
    switch (op.kind) {
      case PathOp::Move:
      case PathOp::Line:
        point(op.x[0], op.y[0]);
        out.append(op.kind == PathOp::Move ? "m\n" : "l\n");
        lastX = op.x[0], lastY = op.y[0];
        break;
      case PathOp::Quad:
      case PathOp::Cubic:
        point(op.x[0], op.y[0]);
        point(op.x[1], op.y[1]);
        point(op.x[2], op.y[2]);
        out.append("c\n");
        lastX = op.x[2], lastY = op.y[2];
        break;
      case PathOp::Close:
        out.append("h\n");
        break;
    }
  }
  out.append("f\n");
  return out;
}

void appendColour(std::string& out, const Colour& colour) {
  appendNumber(out, colour.r / 255.0);
  out += ' ';
  appendNumber(out, colour.g / 255.0);
  out += ' ';
  appendNumber(out, colour.b / 255.0);
  out.append(" rg\n");
}

void appendHex(std::string& out, unsigned value, int digits) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  for (int i = digits - 1; i >= 0; --i) out += kHex[(value >> (4 * i)) & 15];
}

// UTF-16 of a code point, in hex.
void appendUtf16(std::string& out, char32_t c) {
  if (c < 0x10000) {
    appendHex(out, static_cast<unsigned>(c), 4);
    return;
  }
  const char32_t v = c - 0x10000;
  appendHex(out, 0xd800 + static_cast<unsigned>(v >> 10), 4);
  appendHex(out, 0xdc00 + static_cast<unsigned>(v & 0x3ff), 4);
}

class Objects {
 public:
  explicit Objects(std::string& out) : m_out(out) {}
  int reserve() {
    m_offsets.push_back(0);
    return static_cast<int>(m_offsets.size());
  }
  void begin(int number) {
    m_offsets[static_cast<std::size_t>(number - 1)] = m_out.size();
    m_out.append(std::to_string(number)).append(" 0 obj\n");
  }
  void stream(int number, const std::string& dictionary, const std::string& data) {
    begin(number);
    m_out.append("<< /Length ").append(std::to_string(data.size()));
    m_out.append(dictionary).append(" >>\nstream\n").append(data).append("\nendstream\nendobj\n");
  }
  void object(int number, const std::string& body) {
    begin(number);
    m_out.append(body).append("\nendobj\n");
  }
  void finish(int root, int info) {
    const std::size_t xref = m_out.size();
    m_out.append("xref\n0 ").append(std::to_string(m_offsets.size() + 1));
    m_out.append("\n0000000000 65535 f \n");
    for (const std::size_t offset : m_offsets) {
      std::string line = std::to_string(offset);
      m_out.append(10 - line.size(), '0').append(line).append(" 00000 n \n");
    }
    m_out.append("trailer\n<< /Size ").append(std::to_string(m_offsets.size() + 1));
    m_out.append(" /Root ").append(std::to_string(root)).append(" 0 R /Info ");
    m_out.append(std::to_string(info)).append(" 0 R >>\nstartxref\n");
    m_out.append(std::to_string(xref)).append("\n%%EOF\n");
  }

 private:
  std::string& m_out;
  std::vector<std::size_t> m_offsets;
};

std::string reference(int number) { return std::to_string(number) + " 0 R"; }

}  // namespace

bool writePdf(const Scene& scene, const Sink& sink) {
  const double height = scene.height;  // PDF's y goes up
  // Each character the text uses gets a code of the font, in order of use.
  std::vector<char32_t> used;
  std::map<char32_t, unsigned> codes;
  if (scene.font)
    for (const PlacedGlyph& glyph : scene.glyphs)
      if (!codes.count(glyph.c) && used.size() < 255) {
        used.push_back(glyph.c);
        codes[glyph.c] = static_cast<unsigned>(used.size());
      }

  std::string content;
  content.reserve(200 + scene.bars.size() * 40 + scene.glyphs.size() * 60);
  if (scene.style.background) {
    appendColour(content, *scene.style.background);
    content.append("0 0 ");
    appendNumber(content, scene.width);
    content += ' ';
    appendNumber(content, scene.height);
    content.append(" re f\n");
  }
  appendColour(content, scene.style.foreground);
  for (const Rect& bar : scene.bars) {
    for (const double v : {bar.x0, height - bar.y1, bar.x1 - bar.x0, bar.y1 - bar.y0}) {
      appendNumber(content, v);
      content += ' ';
    }
    content.append("re\n");
  }
  if (!scene.bars.empty()) content.append("f\n");
  if (!used.empty()) {
    content.append("BT\n/F1 1 Tf\n");
    for (const PlacedGlyph& glyph : scene.glyphs) {
      const auto code = codes.find(glyph.c);
      if (code == codes.end()) continue;
      const double s = glyph.size;
      for (const double v : {s * scene.m[0], -s * scene.m[2], s * scene.m[1], -s * scene.m[3],
                             glyph.x, height - glyph.y}) {
        appendNumber(content, v);
        content += ' ';
      }
      content.append("Tm <");
      appendHex(content, code->second, 2);
      content.append("> Tj\n");
    }
    content.append("ET\n");
  }

  std::string out("%PDF-1.4\n%\xe2\xe3\xcf\xd3\n");
  out.reserve(content.size() + 1500 + used.size() * 600);
  Objects objects(out);
  const int catalog = objects.reserve(), pages = objects.reserve(), page = objects.reserve(),
            contents = objects.reserve(), info = objects.reserve();
  objects.object(catalog, "<< /Type /Catalog /Pages " + reference(pages) + " >>");
  objects.object(pages, "<< /Type /Pages /Kids [" + reference(page) + "] /Count 1 >>");
  std::string box;
  appendNumber(box, scene.width);
  box += ' ';
  appendNumber(box, scene.height);
  std::string pageBody = "<< /Type /Page /Parent " + reference(pages) + " /MediaBox [0 0 " + box +
                         "] /Contents " + reference(contents) + " /Resources << ";
  int font = 0, procedures = 0, toUnicode = 0;
  if (!used.empty()) {
    font = objects.reserve();
    procedures = objects.reserve();
    toUnicode = objects.reserve();
    pageBody += "/Font << /F1 " + reference(font) + " >> ";
  }
  objects.object(page, pageBody + ">> >>");
  objects.stream(contents, "", content);
  objects.object(info, "<< /Producer (Barcode Generator) /Creator (Barcode Generator) >>");
  if (!used.empty()) {
    std::string differences = "[1", widths = "[", charProcs = "<<";
    std::vector<int> glyphObjects;
    for (std::size_t i = 0; i < used.size(); ++i) {
      const std::string name = "/g" + std::to_string(i + 1);
      differences += ' ' + name;
      appendNumber(widths, scene.font->glyph(used[i]).advance * kGlyphUnits);
      widths += ' ';
      glyphObjects.push_back(objects.reserve());
      charProcs += ' ' + name + ' ' + reference(glyphObjects.back());
    }
    objects.object(font,
                   "<< /Type /Font /Subtype /Type3 /FontBBox [0 0 0 0] "
                   "/FontMatrix [0.001 0 0 0.001 0 0] /CharProcs " +
                       reference(procedures) + " /Encoding << /Type /Encoding /Differences " +
                       differences + "] >> /FirstChar 1 /LastChar " + std::to_string(used.size()) +
                       " /Widths " + widths + "] /ToUnicode " + reference(toUnicode) +
                       " /Resources << >> >>");
    objects.object(procedures, charProcs + " >>");
    std::string cmap =
        "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
        "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
        "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
        "1 begincodespacerange\n<00> <FF>\nendcodespacerange\n";
    for (std::size_t from = 0; from < used.size(); from += 100) {
      const std::size_t to = std::min(used.size(), from + 100);
      cmap += std::to_string(to - from) + " beginbfchar\n";
      for (std::size_t i = from; i < to; ++i) {
        cmap += '<';
        appendHex(cmap, static_cast<unsigned>(i + 1), 2);
        cmap += "> <";
        appendUtf16(cmap, used[i]);
        cmap += ">\n";
      }
      cmap += "endbfchar\n";
    }
    cmap += "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend";
    objects.stream(toUnicode, "", cmap);
    for (std::size_t i = 0; i < used.size(); ++i)
      objects.stream(glyphObjects[i], "", glyphProcedure(*scene.font, used[i]));
  }
  objects.finish(catalog, info);
  return sink(out.data(), out.size());
}

}  // namespace render

#include "render/scene.h"

#include <algorithm>
#include <cmath>

#include "render/numbers.h"
#include "render/units.h"

namespace render {

namespace {

// Whole dots up, without a ten-thousandth of a dot of float noise adding one.
double dotsUp(double value) { return std::ceil(value - 1e-6); }

// An em's step on the page for each turn (see Scene::m).
constexpr double kGlyphTurns[4][4] = {
    {1, 0, 0, -1},
    {0, 1, 1, 0},
    {-1, 0, 0, 1},
    {0, -1, -1, 0},
};

struct Turn {
  int quarters;
  double width, height;  // the page before turning

  void point(double& x, double& y) const {
    const double px = x, py = y;
    switch (quarters) {
      case 1:
        x = height - py, y = px;
        break;
      case 2:
        x = width - px, y = height - py;
        break;
      case 3:
        x = py, y = width - px;
        break;
      default:
        break;
    }
  }
  Rect rect(Rect r) const {
    point(r.x0, r.y0);
    point(r.x1, r.y1);
    if (r.x0 > r.x1) std::swap(r.x0, r.x1);
    if (r.y0 > r.y1) std::swap(r.y0, r.y1);
    return r;
  }
};

int quarterTurnsOf(int degrees) { return ((degrees / 90) % 4 + 4) % 4; }

}  // namespace

Scene makeScene(const Layout& layout, const Output& output, double unit, double step) {
  const bool wholeDots = isRaster(output.format) && unit == 1;
  const double m = output.module * unit;
  const double r = output.reduction * unit;
  const double extra = output.screenSpacing ? 1 : 0;
  const double cutLeft = wholeDots ? std::floor(r / 2) : r / 2;
  const double cutRight = r - cutLeft;
  const auto along = [&](double modules, double spaces) {
    return (layout.quietLeft + modules) * m + spaces * extra;
  };

  Scene scene;
  scene.style = output.style;
  scene.quarterTurns = quarterTurnsOf(output.style.rotation);
  const double width = layout.widthModules() * m + layout.spaceCount * extra;
  const double top = wholeDots ? std::round(layout.margin * m) : layout.margin * m;
  double height = layout.height() * m;
  std::vector<Rect> bars;
  bars.reserve(layout.bars.size());
  for (const Bar& bar : layout.bars) {
    const double x = along(bar.x, bar.spacesBefore);
    const double y = top + (wholeDots ? std::round(bar.top * m) : bar.top * m);
    const double barHeight = wholeDots ? dotsUp(bar.height * m) : bar.height * m;
    bars.push_back(
        {x + cutLeft, y, x + bar.width * m + bar.spacesAcross * extra - cutRight, y + barHeight});
    if (wholeDots) height = std::max(height, y + barHeight + std::round(layout.margin * m));
  }
  if (wholeDots) height = dotsUp(height);

  const Turn turn{scene.quarterTurns, width, height};
  const bool sideways = scene.quarterTurns % 2 == 1;
  const double turnedWidth = sideways ? height : width;
  const double turnedHeight = sideways ? width : height;
  scene.width = step > 0 ? roundedUp(turnedWidth, step) : turnedWidth;
  scene.height = step > 0 ? roundedUp(turnedHeight, step) : turnedHeight;
  const double padX = (scene.width - turnedWidth) / 2;
  const double padY = (scene.height - turnedHeight) / 2;

  scene.bars.reserve(bars.size());
  for (const Rect& bar : bars) {
    Rect turned = turn.rect(bar);
    turned.x0 += padX, turned.x1 += padX, turned.y0 += padY, turned.y1 += padY;
    scene.bars.push_back(turned);
  }

  std::copy(std::begin(kGlyphTurns[scene.quarterTurns]), std::end(kGlyphTurns[scene.quarterTurns]),
            scene.m);
  if (layout.font && !layout.texts.empty()) {
    const Font& font = *layout.font;
    scene.font = &font;
    for (const Text& text : layout.texts) {
      const double size = text.size * m;
      double pen = along(text.centreX, text.spacesBefore) - font.advance(text.text) * size / 2;
      const double baseline = top + text.baseline * m;
      for (const char32_t c : text.text) {
        double x = pen, y = baseline;
        turn.point(x, y);
        scene.glyphs.push_back({c, x + padX, y + padY, size});
        pen += font.glyph(c).advance * size;
      }
    }
  }
  return scene;
}

Scene dotScene(const Layout& layout, const Output& output) {
  if (isRaster(output.format)) return makeScene(layout, output, 1, 0);
  Output dots = output;
  dots.module = units::mmToDots(output.module, output.dpi);
  dots.reduction = units::mmToDots(output.reduction, output.dpi);
  Scene scene = makeScene(layout, dots, 1, 0);
  scene.width = dotsUp(scene.width);
  scene.height = dotsUp(scene.height);
  return scene;
}

Rows::Rows(const Scene& scene)
    : m_width(static_cast<int>(dotsUp(scene.width))),
      m_height(static_cast<int>(dotsUp(scene.height))),
      m_row(static_cast<std::size_t>(std::max(m_width, 0)), 0) {
  // A dot is ink when its centre falls inside: whole-dot edges stay as they are.
  const auto dot = [](double edge) { return static_cast<int>(std::ceil(edge - 0.5)); };
  for (const Rect& bar : scene.bars) {
    Span span{std::max(0, dot(bar.y0)), std::min(m_height, dot(bar.y1)), std::max(0, dot(bar.x0)),
              std::min(m_width, dot(bar.x1))};
    if (span.y0 < span.y1 && span.x0 < span.x1) m_spans.push_back(span);
  }
  if (scene.font)
    for (const PlacedGlyph& glyph : scene.glyphs) {
      const GlyphDots& dots = scene.font->dots(glyph.c, glyph.size, scene.quarterTurns);
      if (dots.width == 0 || dots.height == 0) continue;
      m_glyphs.push_back({&dots, static_cast<int>(std::lround(glyph.x)) + dots.left,
                          static_cast<int>(std::lround(glyph.y)) + dots.top});
    }
  std::sort(m_spans.begin(), m_spans.end(),
            [](const Span& a, const Span& b) { return a.y0 < b.y0; });
  std::sort(m_glyphs.begin(), m_glyphs.end(),
            [](const Dots& a, const Dots& b) { return a.y < b.y; });
  for (const Span& span : m_spans) m_changes.insert(m_changes.end(), {span.y0, span.y1});
  for (const Dots& glyph : m_glyphs)
    m_changes.insert(m_changes.end(), {glyph.y, glyph.y + glyph.dots->height});
  std::sort(m_changes.begin(), m_changes.end());
  m_changes.erase(std::unique(m_changes.begin(), m_changes.end()), m_changes.end());
}

const std::vector<std::uint8_t>& Rows::next() {
  const int y = m_y++;
  if (m_nextChange < m_changes.size() && m_changes[m_nextChange] <= y) {
    while (m_nextChange < m_changes.size() && m_changes[m_nextChange] <= y) ++m_nextChange;
    while (m_nextSpan < m_spans.size() && m_spans[m_nextSpan].y0 <= y)
      m_activeSpans.push_back(m_spans[m_nextSpan++]);
    std::erase_if(m_activeSpans, [y](const Span& s) { return s.y1 <= y; });
    while (m_nextGlyph < m_glyphs.size() && m_glyphs[m_nextGlyph].y <= y)
      m_activeGlyphs.push_back(m_glyphs[m_nextGlyph++]);
    std::erase_if(m_activeGlyphs, [y](const Dots& g) { return g.y + g.dots->height <= y; });
    m_valid = false;
  }
  m_repeated = m_valid;
  if (m_valid) return m_row;
  std::fill(m_row.begin(), m_row.end(), std::uint8_t{0});
  for (const Span& span : m_activeSpans)
    std::fill(m_row.begin() + span.x0, m_row.begin() + span.x1, std::uint8_t{1});
  for (const Dots& glyph : m_activeGlyphs) {
    const std::uint8_t* dots =
        glyph.dots->dots.data() + static_cast<std::size_t>((y - glyph.y) * glyph.dots->width);
    const int from = std::max(0, -glyph.x);
    const int to = std::min(glyph.dots->width, m_width - glyph.x);
    std::uint8_t* row = m_row.data() + glyph.x;
    for (int dx = from; dx < to; ++dx) row[dx] |= dots[dx];
  }
  // Rows covered only by bars repeat until the next change.
  m_valid = m_activeGlyphs.empty();
  return m_row;
}

}  // namespace render

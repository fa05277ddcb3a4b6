#include "surface/glyphtext.h"

#include <QGlyphRun>
#include <QPainter>
#include <QTextLayout>
#include <cmath>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "surface/limits.h"

namespace surface {

namespace {

constexpr QRgb kInk = 0xff000000;

// The platform's blend of a colour over a pixel by 8-bit coverage, to the
// last bit (its rounding is not quite exact, so ours must not be either).
inline QRgb interpolate255(QRgb x, uint a, QRgb y, uint b) {
  uint t = (x & 0xff00ff) * a + (y & 0xff00ff) * b;
  t = (t + ((t >> 8) & 0xff00ff) + 0x800080) >> 8;
  t &= 0xff00ff;
  x = ((x >> 8) & 0xff00ff) * a + ((y >> 8) & 0xff00ff) * b;
  x = (x + ((x >> 8) & 0xff00ff) + 0x800080);
  x &= 0xff00ff00;
  return x | t;
}

int floorDiv64(int v) { return v >= 0 ? v / 64 : -((-v + 63) / 64); }

// Plain left-to-right text whose every character has a glyph of its own.
bool simpleText(const QString& text) {
  for (const QChar c : text)
    if (c.unicode() < 0x20 || c.unicode() > 0xff || !c.isPrint()) return false;
  return true;
}

}  // namespace

GlyphText::GlyphText(const QFont& font, const QPaintDevice* device)
    : m_font(font), m_device(device), m_metrics(font, device) {}

void GlyphText::prepare() {
  m_prepared = true;
  QTextLayout probe(QStringLiteral("x"), m_font, m_device);
  probe.setCacheEnabled(true);
  probe.beginLayout();
  const QTextLine line = probe.createLine();
  probe.endLayout();
  const QList<QGlyphRun> runs = line.glyphRuns();
  if (runs.size() != 1) return;
  m_rawFont = runs.front().rawFont();

  // Find which sub-pixel pen positions the platform renders differently:
  // glyphs with upright and slanted strokes, drawn at each 1/64 of a pixel.
  QList<quint32> glyphs;
  for (const quint32 glyph : m_rawFont.glyphIndexesForString(QStringLiteral("l|AW1/")))
    if (glyph != 0) glyphs.push_back(glyph);
  const int cell = 3 * m_metrics.height() + 8;
  QImage strip(64 * cell, glyphs.size() * cell, QImage::Format_RGB32);
  strip.fill(Qt::white);
  {
    QPainter painter(&strip);
    painter.setPen(QColor(kInk));
    for (qsizetype g = 0; g < glyphs.size(); ++g) {
      QGlyphRun run;
      run.setRawFont(m_rawFont);
      run.setGlyphIndexes(QList<quint32>(64, glyphs[g]));
      QList<QPointF> positions;
      for (int k = 0; k < 64; ++k)
        positions.push_back(QPointF(k * cell + cell / 3 + k / 64.0, g * cell + 2 * cell / 3));
      run.setPositions(positions);
      painter.drawGlyphRun(QPointF(), run);
    }
  }
  auto sameCells = [&](int a, int b) {
    for (int y = 0; y < strip.height(); ++y) {
      const auto* row = reinterpret_cast<const QRgb*>(strip.constScanLine(y));
      if (std::memcmp(row + a * cell, row + b * cell, cell * sizeof(QRgb)) != 0) return false;
    }
    return true;
  };
  quint8 classes = 0;
  for (int k = 0; k < 64; ++k) {
    if (k > 0 && !sameCells(k, k - 1)) m_classPosition[++classes] = static_cast<quint8>(k);
    m_subPixelClass[k] = classes;
  }

  // Some fonts are blended with gamma correction, which only the platform
  // knows how to do: those are left to it.
  m_usable = true;
  m_usable = matchesPainter(QStringLiteral("AV To W. 1|7 fi")) &&
             matchesPainter(QStringLiteral("Wj. LT Yo 0"));
  m_layouts.clear();
}

bool GlyphText::matchesPainter(const QString& probe) {
  const QRect area = extent(probe);
  if (!layout(probe).fromGlyphs) return false;
  for (const QRgb background : {qRgb(255, 255, 255), qRgb(200, 30, 90)}) {
    QImage theirs(area.width() + 4, area.height() + 4, QImage::Format_RGB32);
    theirs.fill(background);
    QImage ours = theirs;
    const QPoint topLeft = QPoint(2, 2) - area.topLeft();
    {
      QPainter painter(&theirs);
      painter.setFont(m_font);
      painter.setPen(QColor(kInk));
      painter.drawText(topLeft + QPoint(0, m_metrics.ascent()), probe);
    }
    draw(ours, topLeft, probe);
    if (ours != theirs) return false;
  }
  return true;
}

const GlyphText::Layout& GlyphText::layout(const QString& text) {
  if (!m_prepared) prepare();
  const auto found = m_layouts.constFind(text);
  if (found != m_layouts.constEnd()) return *found;
  if (m_layouts.size() >= kLayoutCacheSize) m_layouts.clear();

  Layout result;
  result.fromGlyphs = m_usable && simpleText(text);
  if (result.fromGlyphs && !text.isEmpty()) {
    QTextLayout shaped(text, m_font, m_device);
    shaped.setCacheEnabled(true);
    shaped.beginLayout();
    const QTextLine line = shaped.createLine();
    shaped.endLayout();
    const int ascent = m_metrics.ascent();
    for (const QGlyphRun& run : line.glyphRuns()) {
      const QList<quint32> glyphs = run.glyphIndexes();
      const QList<QPointF> positions = run.positions();
      // Glyphs of one font, on one baseline, at whole 1/64 pixels: as the
      // painter places them.
      if (run.rawFont() != m_rawFont) result.fromGlyphs = false;
      for (qsizetype i = 0; i < glyphs.size() && result.fromGlyphs; ++i) {
        const double x = positions[i].x() * 64;
        const int pen = static_cast<int>(std::floor(x + 0.5));
        if (std::abs(x - pen) > 1e-6 || positions[i].y() != positions[0].y()) {
          result.fromGlyphs = false;
          break;
        }
        const Mask& m = mask(glyphs[i], m_subPixelClass[pen & 63]);
        if (m.coverage.empty()) continue;
        const QPoint at(floorDiv64(pen) + m.offset.x(), ascent + m.offset.y());
        result.glyphs.push_back({&m, at});
        result.extent |= QRect(at, QSize(m.width, m.height));
      }
    }
  }
  if (!result.fromGlyphs && !text.isEmpty()) {
    // Room all round for whatever the painter draws; it is clipped to this.
    const int margin = m_metrics.height();
    result.extent = m_metrics.boundingRect(text)
                        .translated(0, m_metrics.ascent())
                        .united(QRect(0, 0, m_metrics.horizontalAdvance(text), m_metrics.height()))
                        .adjusted(-margin, -margin, margin, margin);
  }
  return *m_layouts.insert(text, std::move(result));
}

const GlyphText::Mask& GlyphText::mask(quint32 glyph, int subPixelClass) {
  const quint64 key = (quint64(glyph) << 8) | quint64(subPixelClass);
  const auto found = m_masks.find(key);
  if (found != m_masks.end()) return found->second;

  // Rendered by the platform at a pen position of the class, on a margin
  // wide enough for any anti-aliasing, then trimmed to the ink.
  const int margin = 4 + m_metrics.height() / 4;
  const QRect box =
      m_rawFont.boundingRect(glyph).toAlignedRect().adjusted(-margin, -margin, margin, margin);
  QImage image(box.size().expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  {
    QPainter painter(&image);
    painter.setPen(QColor(kInk));
    QGlyphRun run;
    run.setRawFont(m_rawFont);
    run.setGlyphIndexes({glyph});
    run.setPositions({QPointF(-box.left() + m_classPosition[subPixelClass] / 64.0, -box.top())});
    painter.drawGlyphRun(QPointF(), run);
  }
  int left = image.width(), right = -1, top = image.height(), bottom = -1;
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if (qAlpha(row[x]) == 0) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  Mask result;
  if (right >= 0) {
    result.width = right - left + 1;
    result.height = bottom - top + 1;
    // Rows padded with no coverage to whole groups of four pixels.
    result.stride = (result.width + 3) & ~3;
    result.coverage.assign(std::size_t(result.stride) * result.height, 0);
    for (int y = top; y <= bottom; ++y) {
      const auto* from = reinterpret_cast<const QRgb*>(image.constScanLine(y));
      uchar* to = result.coverage.data() + std::size_t(y - top) * result.stride;
      for (int x = left; x <= right; ++x) to[x - left] = static_cast<uchar>(qAlpha(from[x]));
    }
    result.offset = box.topLeft() + QPoint(left, top);
  }
  return m_masks.emplace(key, std::move(result)).first->second;
}

QRect GlyphText::extent(const QString& text) { return layout(text).extent; }

bool GlyphText::fromGlyphs(const QString& text) { return layout(text).fromGlyphs; }

QRect GlyphText::draw(QImage& image, QPoint topLeft, const QString& text) {
  const Layout& laidOut = layout(text);
  if (!laidOut.fromGlyphs)
    return drawWithPainter(image, topLeft, text, laidOut.extent.translated(topLeft));
  blend(image, topLeft, laidOut);
  return laidOut.extent.translated(topLeft) & image.rect();
}

namespace {

// Black ink over a row of pixels by their coverage, as interpolate255 does
// it; the formula itself gives the pixel back at coverage 0 and black at 255.
void blendRow(QRgb* pixels, const uchar* coverage, int count) {
  int x = 0;
#if defined(__SSE2__)
  // Four pixels at a time, each channel in a 16-bit lane: the same sums.
  const __m128i zero = _mm_setzero_si128();
  const __m128i full = _mm_set1_epi16(255);
  const __m128i inkAlpha = _mm_set_epi16(255, 0, 0, 0, 255, 0, 0, 0);
  const __m128i half = _mm_set1_epi16(0x80);
  auto mix = [&](__m128i pixelPair, __m128i a) {
    const __m128i b = _mm_sub_epi16(full, a);
    __m128i t = _mm_add_epi16(_mm_mullo_epi16(pixelPair, b), _mm_mullo_epi16(inkAlpha, a));
    t = _mm_add_epi16(_mm_add_epi16(t, _mm_srli_epi16(t, 8)), half);
    return _mm_srli_epi16(t, 8);
  };
  for (; x + 4 <= count; x += 4) {
    std::uint32_t four;
    std::memcpy(&four, coverage + x, sizeof four);
    if (four == 0) continue;
    const __m128i a16 = _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(four)), zero);
    const __m128i a = _mm_unpacklo_epi16(a16, a16);  // a0 a0 a1 a1 a2 a2 a3 a3
    const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels + x));
    const __m128i low = mix(_mm_unpacklo_epi8(d, zero), _mm_unpacklo_epi32(a, a));
    const __m128i high = mix(_mm_unpackhi_epi8(d, zero), _mm_unpackhi_epi32(a, a));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels + x), _mm_packus_epi16(low, high));
  }
#endif
  for (; x < count; ++x) {
    const uint a = coverage[x];
    if (a != 0) pixels[x] = interpolate255(kInk, a, pixels[x], 255 - a);
  }
}

}  // namespace

void GlyphText::blend(QImage& image, QPoint topLeft, const Layout& laidOut) {
  uchar* const bits = image.bits();
  const qsizetype stride = image.bytesPerLine();
  const int width = std::min(image.width(), kMaxPictureWidth), height = image.height();
  for (const Placed& glyph : laidOut.glyphs) {
    const Mask& m = *glyph.mask;
    const int left = topLeft.x() + glyph.at.x(), top = topLeft.y() + glyph.at.y();
    // The padding is blended too where the image has room: it leaves the pixels as they are.
    const int x0 = std::max(left, 0), x1 = std::min(left + m.stride, width);
    const int y0 = std::max(top, 0), y1 = std::min(top + m.height, height);
    if (x0 >= x1) continue;
    for (int y = y0; y < y1; ++y) {
      const uchar* coverage = m.coverage.data() + std::size_t(y - top) * m.stride + (x0 - left);
      blendRow(reinterpret_cast<QRgb*>(bits + y * stride) + x0, coverage, x1 - x0);
    }
  }
}

QRect GlyphText::drawWithPainter(QImage& image, QPoint topLeft, const QString& text,
                                 const QRect& extent) const {
  const QRect area = extent & image.rect();
  if (area.isEmpty()) return {};
  QPainter painter(&image);
  painter.setClipRect(area);
  painter.setFont(m_font);
  painter.setPen(QColor(kInk));
  painter.drawText(topLeft + QPoint(0, m_metrics.ascent()), text);
  return area;
}

}  // namespace surface

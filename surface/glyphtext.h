#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QImage>
#include <QRawFont>
#include <QString>
#include <array>
#include <unordered_map>
#include <vector>

namespace surface {

// Black text on an opaque 32-bit image, pixel for pixel as QPainter::drawText
// puts it there, without a painter or a rasteriser on the way: each glyph is
// rendered once (per sub-pixel position the platform distinguishes) and
// blended the way the platform blends it; a text is shaped once and its glyph
// positions kept for as long as it comes back.
//
// What cannot be matched this way is drawn with QPainter::drawText itself:
// fonts the platform blends with gamma correction (some PostScript-flavoured
// OpenType fonts), and texts that need glyphs from a fallback font.
class GlyphText {
 public:
  // The device gives the resolution text is laid out for.
  GlyphText(const QFont& font, const QPaintDevice* device);

  // The rectangle, relative to the text's top-left corner, outside which
  // drawing the text changes no pixel.
  QRect extent(const QString& text);
  // Draws the text with its top-left corner at the point; returns the
  // rectangle of the image that may have changed.
  QRect draw(QImage& image, QPoint topLeft, const QString& text);

  // Whether the text is drawn from rendered glyphs rather than by QPainter.
  bool fromGlyphs(const QString& text);

 private:
  struct Mask {
    std::vector<uchar> coverage;  // 8-bit, trimmed to the ink; empty for a blank glyph
    int width = 0, height = 0, stride = 0;
    QPoint offset;  // of the coverage from the pen's whole pixel on the baseline
  };
  struct Placed {
    const Mask* mask;
    QPoint at;  // the mask's top-left corner from the text's
  };
  struct Layout {
    std::vector<Placed> glyphs;
    QRect extent;  // as extent() gives it
    bool fromGlyphs = false;
  };

  void prepare();
  bool matchesPainter(const QString& probe);
  const Layout& layout(const QString& text);
  const Mask& mask(quint32 glyph, int subPixel);
  void blend(QImage& image, QPoint topLeft, const Layout& layout);
  QRect drawWithPainter(QImage& image, QPoint topLeft, const QString& text,
                        const QRect& extent) const;

  static constexpr qsizetype kLayoutCacheSize = 64;

  QFont m_font;
  const QPaintDevice* m_device;
  QFontMetrics m_metrics;
  bool m_prepared = false;
  bool m_usable = false;  // glyphs blend as the platform blends them
  QRawFont m_rawFont;     // the font the text's glyphs come from
  // Sub-pixel pen positions (in 1/64 pixel) the platform renders alike share
  // one rendering, made at the first position of their class.
  std::array<quint8, 64> m_subPixelClass{};
  std::array<quint8, 64> m_classPosition{};
  QHash<QString, Layout> m_layouts;
  std::unordered_map<quint64, Mask> m_masks;  // stays put as it grows: layouts point into it
};

}  // namespace surface

#include "render/glyphs.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QPainter>
#include <array>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

namespace render {

namespace {

constexpr char16_t kFirst = 0x20;
constexpr char16_t kLast = 0x7e;

QFont fontOf(const QString& family, int pixelSize) {
  QFont font(family);
  font.setPixelSize(pixelSize);
  font.setStyleStrategy(QFont::NoAntialias);
  return font;
}

struct Run {
  int y, x0, x1;  // from the pen's position on the baseline; x1 past the end
};

struct Glyph {
  std::vector<Run> runs;
  double advance = 0;
};

class GlyphSet {
 public:
  GlyphSet(const QString& family, int pixelSize) : m_font(fontOf(family, pixelSize)) {
    const QFontMetricsF metrics(m_font);
    for (char16_t c = kFirst; c <= kLast; ++c) render(m_glyphs[c - kFirst], QChar(c), metrics);
  }
  const Glyph& operator[](QChar c) const { return m_glyphs[c.unicode() - kFirst]; }

 private:
  void render(Glyph& glyph, QChar c, const QFontMetricsF& metrics) {
    glyph.advance = metrics.horizontalAdvance(c);
    const QRect box = metrics.boundingRect(c).toAlignedRect().adjusted(-2, -2, 2, 2);
    if (box.isEmpty()) return;
    QImage image(box.size(), QImage::Format_Grayscale8);
    image.fill(255);
    {
      QPainter painter(&image);
      painter.setRenderHint(QPainter::TextAntialiasing, false);
      painter.setFont(m_font);
      painter.setPen(Qt::black);
      painter.drawText(QPointF(-box.x(), -box.y()), QString(c));
    }
    for (int y = 0; y < image.height(); ++y) {
      const uchar* row = image.constScanLine(y);
      for (int x = 0; x < image.width();) {
        if (row[x] >= 128) {
          ++x;
          continue;
        }
        const int start = x;
        while (x < image.width() && row[x] < 128) ++x;
        glyph.runs.push_back({box.y() + y, box.x() + start, box.x() + x});
      }
    }
  }

  QFont m_font;
  std::array<Glyph, kLast - kFirst + 1> m_glyphs;
};

const GlyphSet& glyphSet(const QString& family, int pixelSize) {
  thread_local QHash<QPair<QString, int>, std::shared_ptr<const GlyphSet>> sets;
  const QPair<QString, int> key(family, pixelSize);
  if (const auto found = sets.constFind(key); found != sets.constEnd()) return **found;
  if (sets.size() > 32) sets.clear();
  return **sets.insert(key, std::make_shared<const GlyphSet>(family, pixelSize));
}

bool printableAscii(const QString& text) {
  for (const QChar c : text)
    if (c.unicode() < kFirst || c.unicode() > kLast) return false;
  return true;
}

}  // namespace

void drawTextCentred(QImage& grey, const QString& family, int pixelSize, const QString& text,
                     double centreX, int baseline) {
  if (!printableAscii(text)) {
    const QFont font = fontOf(family, pixelSize);
    QPainter painter(&grey);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const double width = QFontMetricsF(font).horizontalAdvance(text);
    painter.drawText(QPointF(centreX - width / 2, baseline), text);
    return;
  }
  const GlyphSet& glyphs = glyphSet(family, pixelSize);
  double width = 0;
  for (const QChar c : text) width += glyphs[c].advance;
  double pen = centreX - width / 2;
  for (const QChar c : text) {
    const Glyph& glyph = glyphs[c];
    const int origin = static_cast<int>(std::lround(pen));
    for (const Run& run : glyph.runs) {
      const int y = baseline + run.y;
      if (y < 0 || y >= grey.height()) continue;
      const int x0 = std::max(0, origin + run.x0);
      const int x1 = std::min(grey.width(), origin + run.x1);
      if (x0 < x1) std::memset(grey.scanLine(y) + x0, 0, static_cast<std::size_t>(x1 - x0));
    }
    pen += glyph.advance;
  }
}

}  // namespace render

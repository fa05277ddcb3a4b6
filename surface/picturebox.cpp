#include "surface/picturebox.h"

#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "surface/glyphtext.h"

namespace surface {

namespace {

// A picture with nothing on it but the background colour draws nothing.
bool isPlain(const QImage& picture, const QColor& background) {
  const QRgb colour = background.rgb();
  for (int y = 0; y < picture.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
    if (!std::all_of(row, row + picture.width(), [colour](QRgb p) { return p == colour; }))
      return false;
  }
  return true;
}

// Assistive technology is told a picture box is a picture, not an empty panel.
QAccessibleInterface* accessiblePicture(const QString& className, QObject* object) {
  auto* widget = qobject_cast<PictureBox*>(object);
  if (!widget || className != QLatin1String(PictureBox::staticMetaObject.className()))
    return nullptr;
  return new QAccessibleWidget(widget, QAccessible::Graphic);
}

}  // namespace

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
  static const bool described = (QAccessible::installFactory(accessiblePicture), true);
  Q_UNUSED(described);
  setAttribute(Qt::WA_OpaquePaintEvent);
  resetCanvas(0);
}

PictureBox::~PictureBox() = default;

void PictureBox::setScale(double twipsPerUnitX, double twipsPerUnitY) {
  m_twipsX = twipsPerUnitX;
  m_twipsY = twipsPerUnitY;
}

double PictureBox::scaleWidth() const { return drawingSize().width() * kTwipsPerPixel / m_twipsX; }

double PictureBox::scaleHeight() const {
  return drawingSize().height() * kTwipsPerPixel / m_twipsY;
}

int PictureBox::deviceX(double x) const {
  return static_cast<int>(std::lround(x * m_twipsX / kTwipsPerPixel));
}

int PictureBox::deviceY(double y) const {
  return static_cast<int>(std::lround(y * m_twipsY / kTwipsPerPixel));
}

QSize PictureBox::drawingSize() const {
  return {std::max(1, width() - 2 * kBorder), std::max(1, height() - 2 * kBorder)};
}

namespace {

// The rectangle of columns [x0, x1) and rows [y0, y1); empty when either is.
QRect cells(int x0, int y0, int x1, int y1) {
  if (x0 >= x1 || y0 >= y1) return {};
  return QRect(x0, y0, x1 - x0, y1 - y0);
}

}  // namespace

void PictureBox::resetCanvas(int minWidth) {
  const QSize area = drawingSize();
  const QSize size(std::max(area.width(), minWidth), area.height());
  if (m_canvas.size() != size) m_canvas = QImage(size, QImage::Format_RGB32);
  m_canvas.fill(m_backColor);
  m_drawn = m_uncleared = QRect();
  m_imageKey = 0;
  restore(m_picture.rect());
}

void PictureBox::restore(const QRect& area) const {
  const QRect cleared = area & m_canvas.rect();
  if (cleared.isEmpty()) return;
  // One row of background copied to every row, but where the picture lies.
  m_backgroundRow.assign(cleared.width(), m_backColor.rgb());
  const QRect picture = m_picture.isNull() ? QRect() : m_picture.rect() & cleared;
  uchar* const bits = m_canvas.bits();
  const qsizetype stride = m_canvas.bytesPerLine();
  const QRgb* const background = m_backgroundRow.data() - cleared.left();
  for (int y = cleared.top(); y <= cleared.bottom(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(bits + y * stride);
    if (y < picture.top() || y > picture.bottom()) {
      std::memcpy(row + cleared.left(), background + cleared.left(),
                  cleared.width() * sizeof(QRgb));
      continue;
    }
    const auto* from = reinterpret_cast<const QRgb*>(m_picture.constScanLine(y));
    std::memcpy(row + cleared.left(), background + cleared.left(),
                (picture.left() - cleared.left()) * sizeof(QRgb));
    std::memcpy(row + picture.left(), from + picture.left(), picture.width() * sizeof(QRgb));
    std::memcpy(row + picture.right() + 1, background + picture.right() + 1,
                (cleared.right() - picture.right()) * sizeof(QRgb));
  }
}

void PictureBox::settle(int left, int right, int top, int bottom) const {
  if (m_uncleared.isEmpty()) return;
  const QRect u = m_uncleared;
  m_uncleared = QRect();
  const int uRight = u.right() + 1, uBottom = u.bottom() + 1;
  if (left >= right || top >= bottom) {
    restore(u);
    return;
  }
  const int keepTop = std::max(top, u.top()), keepBottom = std::min(bottom, uBottom);
  if (keepTop >= keepBottom) {
    restore(u);
    return;
  }
  restore(cells(u.left(), u.top(), uRight, keepTop));
  restore(cells(u.left(), keepBottom, uRight, uBottom));
  restore(cells(u.left(), keepTop, std::min(left, uRight), keepBottom));
  restore(cells(std::max(right, u.left()), keepTop, uRight, keepBottom));
}

void PictureBox::drawn(const QRect& area) {
  m_drawn |= area & m_canvas.rect();
  m_imageKey = 0;
}

bool PictureBox::ensureColumns(int x) {
  if (x < m_canvas.width()) return true;
  if (x >= kMaxPictureWidth) return false;
  const int grownWidth = std::min(kMaxPictureWidth, std::max(x + 1, m_canvas.width() * 2));
  QImage grown(grownWidth, m_canvas.height(), QImage::Format_RGB32);
  grown.fill(m_backColor);
  QPainter painter(&grown);
  if (!m_picture.isNull()) painter.drawImage(0, 0, m_picture);
  painter.drawImage(0, 0, m_canvas);
  painter.end();
  m_canvas = std::move(grown);
  return true;
}

void PictureBox::reserveColumns(int x) { ensureColumns(std::min(x, kMaxPictureWidth - 1)); }

void PictureBox::fillRect(int x0, int y0, int x1, int y1, QRgb colour) {
  x0 = std::max(x0, 0);
  y0 = std::max(y0, 0);
  x1 = std::min(x1, kMaxPictureWidth);
  y1 = std::min(y1, m_canvas.height());
  if (x0 >= x1 || y0 >= y1) return;
  ensureColumns(x1 - 1);
  settle();
  // The stride once, then plain pointer steps.
  const qsizetype stride = m_canvas.bytesPerLine();
  uchar* row = m_canvas.bits() + y0 * stride;
  for (int y = y0; y < y1; ++y, row += stride) {
    auto* pixels = reinterpret_cast<QRgb*>(row);
    std::fill(pixels + x0, pixels + x1, colour);
  }
  drawn(cells(x0, y0, x1, y1));
  scheduleUpdate();
}

void PictureBox::scheduleUpdate() {
  if (m_updatePending) return;
  m_updatePending = true;
  update();
}

void PictureBox::Cls() {
  const QSize area = drawingSize();
  if (m_canvas.height() != area.height() || m_canvas.width() < area.width()) {
    resetCanvas(m_canvas.width());
  } else {
    // Put off: the next drawing often covers the same pixels anyway.
    m_uncleared |= m_drawn;
    m_drawn = QRect();
    m_imageKey = 0;
  }
  m_currentX = 0;
  m_currentY = 0;
  scheduleUpdate();
}

void PictureBox::Line(double x1, double y1, double x2, double y2, std::optional<QColor> colour) {
  const QColor pen = colour.value_or(m_foreColor);
  const int px1 = deviceX(x1), py1 = deviceY(y1), px2 = deviceX(x2), py2 = deviceY(y2);
  const int offset = (m_drawWidth - 1) / 2;
  // Like the platform's line primitive, the end point is left out, so bars
  // drawn from y1 to y2 cover the rows y1 .. y2 - 1.
  if (px1 == px2) {
    const int top = py1 <= py2 ? py1 : py2 + 1;
    const int bottom = py1 <= py2 ? py2 : py1 + 1;
    fillRect(px1 - offset, top, px1 - offset + m_drawWidth, bottom, pen.rgb());
  } else if (py1 == py2) {
    const int left = px1 <= px2 ? px1 : px2 + 1;
    const int right = px1 <= px2 ? px2 : px1 + 1;
    fillRect(left, py1 - offset, right, py1 - offset + m_drawWidth, pen.rgb());
  } else {
    const int right = std::min(std::max(px1, px2) + m_drawWidth, kMaxPictureWidth - 1);
    ensureColumns(right);
    settle();
    // No pixel of an aliased line lies further from its ends than its width.
    const int margin = m_drawWidth + 1;
    const QRect area = QRect(QPoint(std::min(px1, px2), std::min(py1, py2)),
                             QPoint(std::max(px1, px2), std::max(py1, py2)))
                           .adjusted(-margin, -margin, margin, margin) &
                       m_canvas.rect();
    QPainter painter(&m_canvas);
    painter.setClipRect(area);
    painter.setPen(QPen(pen, m_drawWidth));
    painter.drawLine(px1, py1, px2, py2);
    drawn(area);
    scheduleUpdate();
  }
}

bool PictureBox::plainBackground(const QRect& area) const {
  return m_plainPicture && !m_drawn.intersects(area);
}

void PictureBox::drawBarRow(std::span<const BarSpan> spans, double top, double bottom) {
  const int py1 = deviceY(top), py2 = deviceY(bottom);
  const int y0 = std::max(py1 <= py2 ? py1 : py2 + 1, 0);
  const int y1 = std::min(py1 <= py2 ? py2 : py1 + 1, m_canvas.height());
  // The device columns of each span's lines, in drawing order. At one unit
  // a pixel a span of whole units is one run of columns.
  const int offset = (m_drawWidth - 1) / 2;
  const bool pixels = m_twipsX == kTwipsPerPixel;
  m_runs.clear();
  for (const BarSpan& span : spans) {
    if (span.lines <= 0) continue;
    const bool inRange = span.x > -kMaxPictureWidth && span.x < kMaxPictureWidth;
    if (pixels && inRange && span.x == static_cast<int>(span.x)) {
      const int first = static_cast<int>(span.x) - offset;
      m_runs.push_back({first, first + span.lines - 1 + m_drawWidth, span.colour});
    } else {
      for (int line = 0; line < span.lines; ++line) {
        const int x = deviceX(span.x + line) - offset;
        m_runs.push_back({x, x + m_drawWidth, span.colour});
      }
    }
  }
  int x0 = kMaxPictureWidth, x1 = 0;
  for (const Run& run : m_runs) {
    x0 = std::min(x0, run.x0);
    x1 = std::max(x1, run.x1);
  }
  x0 = std::max(x0, 0);
  x1 = std::min(x1, kMaxPictureWidth);
  if (x0 >= x1 || y0 >= y1) return;
  ensureColumns(x1 - 1);

  // Nothing under the band but background: the whole row, background
  // between the bars, is copied down. Otherwise only the runs of lines are,
  // and what lies between them stays.
  const QRect band = cells(x0, y0, x1, y1);
  const bool whole = plainBackground(band);
  if (whole)
    settle(x0, x1, y0, y1);
  else
    settle();

  const int width = x1 - x0;
  m_barRow.assign(width, m_backColor.rgb());
  if (!whole) m_covered.assign(width, false);
  for (const Run& run : m_runs) {
    const int from = std::max(run.x0, x0) - x0, to = std::min(run.x1, x1) - x0;
    if (from >= to) continue;
    std::fill(m_barRow.begin() + from, m_barRow.begin() + to, run.colour);
    if (!whole) std::fill(m_covered.begin() + from, m_covered.begin() + to, true);
  }

  const qsizetype stride = m_canvas.bytesPerLine();
  uchar* const first = m_canvas.bits() + y0 * stride + x0 * sizeof(QRgb);
  for (int start = 0; start < width;) {
    if (!whole && !m_covered[start]) {
      ++start;
      continue;
    }
    int end = whole ? width : start;
    while (end < width && m_covered[end]) ++end;
    uchar* row = first + start * sizeof(QRgb);
    for (int y = y0; y < y1; ++y, row += stride)
      std::memcpy(row, m_barRow.data() + start, (end - start) * sizeof(QRgb));
    start = end;
  }
  drawn(band);
  scheduleUpdate();
}

const QFontMetrics& PictureBox::metrics() {
  // Built for the canvas, so text is measured at the image's 96 dpi whatever the screen.
  if (!m_metrics) m_metrics.emplace(font(), &m_canvas);
  return *m_metrics;
}

GlyphText& PictureBox::glyphText() {
  if (!m_text) m_text = std::make_unique<GlyphText>(font(), &m_canvas);
  return *m_text;
}

void PictureBox::Print(const QString& text) {
  settle();
  const QPoint at(deviceX(m_currentX), deviceY(m_currentY));
  GlyphText& glyphs = glyphText();
  const QRect extent = glyphs.extent(text).translated(at);
  if (!extent.isEmpty() && extent.right() >= 0)
    ensureColumns(std::min(extent.right(), kMaxPictureWidth - 1));
  drawn(glyphs.draw(m_canvas, at, text));
  m_currentX = 0;
  m_currentY += metrics().height() * double(kTwipsPerPixel) / m_twipsY;
  scheduleUpdate();
}

void PictureBox::Print(long long number) {
  Print(number < 0 ? QString::number(number) : QLatin1Char(' ') + QString::number(number));
}

void PictureBox::setBackColor(const QColor& colour) {
  const QSize area = drawingSize();
  const bool same = colour.rgb() == m_backColor.rgb() && m_canvas.height() == area.height() &&
                    m_canvas.width() >= area.width();
  m_backColor = colour;
  if (same) {
    // Clears as Cls does, but leaves the current position.
    m_uncleared |= m_drawn;
    m_drawn = QRect();
    m_imageKey = 0;
  } else {
    m_plainPicture = isPlain(m_picture, m_backColor);
    resetCanvas(0);
  }
  scheduleUpdate();
}

void PictureBox::setFontName(const QString& family) {
  QFont f = font();
  f.setFamily(family);
  setFont(f);
}

void PictureBox::setFontSize(double points) {
  QFont f = font();
  f.setPixelSize(pointsToPixels(points));
  setFont(f);
}

void PictureBox::setPicture(const QImage& picture) {
  const QImage converted = picture.convertToFormat(QImage::Format_RGB32);
  // The picture Image() just gave, with nothing drawn since, is already on
  // the canvas: only what lies outside it needs wiping.
  const bool onCanvas = !converted.isNull() && converted.cacheKey() == m_imageKey &&
                        m_canvas.height() == drawingSize().height();
  m_picture = converted;
  m_plainPicture = isPlain(m_picture, m_backColor);
  if (onCanvas) {
    settle();
    for (const QRect& outside : QRegion(m_drawn).subtracted(m_picture.rect())) restore(outside);
    m_drawn = QRect();
  } else {
    resetCanvas(0);
  }
  scheduleUpdate();
}

QImage PictureBox::Image() const {
  settle();
  const QSize area = drawingSize();
  if (m_canvas.width() >= area.width()) {
    const QImage image = m_canvas.copy(0, 0, area.width(), area.height());
    m_imageKey = image.cacheKey();
    return image;
  }
  QImage image(area, QImage::Format_RGB32);
  image.fill(m_backColor);
  QPainter painter(&image);
  painter.drawImage(0, 0, m_canvas);
  return image;
}

void PictureBox::setWidthTwips(int twips) {
  m_widthTwips = twips;
  const int pixels = std::clamp(static_cast<int>(std::lround(twips / double(kTwipsPerPixel))),
                                2 * kBorder + 1, kMaxPictureWidth);
  resize(pixels, height());
  ensureColumns(drawingSize().width() - 1);
}

void PictureBox::setTwipsGeometry(int left, int top, int width, int height) {
  setGeometry(left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
              height / kTwipsPerPixel);
  m_widthTwips = width;
  resetCanvas(0);
}

void PictureBox::resizeEvent(QResizeEvent*) {
  if (m_canvas.height() != drawingSize().height()) {
    settle();
    const QImage old = m_canvas;
    const QRect drawnBefore = m_drawn;
    resetCanvas(old.width());
    QPainter(&m_canvas).drawImage(0, 0, old);
    drawn(drawnBefore);
  }
  ensureColumns(drawingSize().width() - 1);
}

void PictureBox::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange) {
    m_metrics.reset();
    m_text.reset();
  }
  QWidget::changeEvent(event);
}

void PictureBox::paintEvent(QPaintEvent*) {
  m_updatePending = false;
  settle();
  QPainter painter(this);
  const int w = width(), h = height();
  // Sunken two-pixel border, as a classic picture box draws it. Filled
  // rectangles, not lines: a line is centred on the pixel's edge and at a
  // device pixel ratio above 1 would spill half outside the box.
  const auto edge = [&painter](int x, int y, int width, int height, const QColor& colour) {
    painter.fillRect(QRect(x, y, width, height), colour);
  };
  edge(0, 0, w, 1, QColor(0x80, 0x80, 0x80));
  edge(0, 0, 1, h, QColor(0x80, 0x80, 0x80));
  edge(0, h - 1, w, 1, Qt::white);
  edge(w - 1, 0, 1, h, Qt::white);
  edge(1, 1, w - 2, 1, QColor(0x40, 0x40, 0x40));
  edge(1, 1, 1, h - 2, QColor(0x40, 0x40, 0x40));
  edge(1, h - 2, w - 2, 1, QColor(0xd4, 0xd0, 0xc8));
  edge(w - 2, 1, 1, h - 2, QColor(0xd4, 0xd0, 0xc8));
  const QSize area = drawingSize();
  const qreal ratio = devicePixelRatioF();
  if (ratio == 1.0) {
    painter.drawImage(QPoint(kBorder, kBorder), m_canvas, QRect(QPoint(0, 0), area));
    return;
  }
  // Scaled here to whole device pixels by repeating pixels, so that every
  // module stays sharp-edged and a whole number of device pixels wide.
  const QRect target(QPoint(std::lround(kBorder * ratio), std::lround(kBorder * ratio)),
                     QPoint(std::lround((kBorder + area.width()) * ratio) - 1,
                            std::lround((kBorder + area.height()) * ratio) - 1));
  QImage scaled = m_canvas.copy(QRect(QPoint(0, 0), area))
                      .scaled(target.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
  scaled.setDevicePixelRatio(ratio);
  painter.drawImage(QPointF(target.topLeft()) / ratio, scaled);
}

}  // namespace surface

#include "surface/picturebox.h"

#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QSaveFile>
#include <algorithm>
#include <cmath>

namespace surface {

namespace {

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

void PictureBox::resetCanvas(int minWidth) {
  const QSize area = drawingSize();
  const QSize size(std::max(area.width(), minWidth), area.height());
  if (m_canvas.size() != size) m_canvas = QImage(size, QImage::Format_RGB32);
  m_canvas.fill(m_backColor);
  m_drawnWidth = 0;
  if (!m_picture.isNull()) {
    QPainter painter(&m_canvas);
    painter.drawImage(0, 0, m_picture);
    m_drawnWidth = std::min(m_picture.width(), m_canvas.width());
  }
}

void PictureBox::clearCanvas() {
  // A wide canvas stays allocated: a long symbol redrawn on every keystroke
  // then costs no new allocation, and only the columns drawn are cleared.
  const int width = std::max(m_drawnWidth, drawingSize().width());
  if (m_canvas.height() != drawingSize().height() || m_canvas.width() < width ||
      !m_picture.isNull()) {
    resetCanvas(m_canvas.width());
    return;
  }
  const QRgb background = m_backColor.rgb();
  uchar* row = m_canvas.bits();
  for (int y = 0; y < m_canvas.height(); ++y, row += m_canvas.bytesPerLine()) {
    auto* pixels = reinterpret_cast<QRgb*>(row);
    std::fill(pixels, pixels + width, background);
  }
  m_drawnWidth = 0;
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

void PictureBox::drawingUpTo(int x) {
  ensureColumns(x);
  m_drawnWidth = std::max(m_drawnWidth, std::min(x + 1, m_canvas.width()));
}

void PictureBox::fillRect(int x0, int y0, int x1, int y1, QRgb colour) {
  x0 = std::max(x0, 0);
  y0 = std::max(y0, 0);
  x1 = std::min(x1, kMaxPictureWidth);
  y1 = std::min(y1, m_canvas.height());
  if (x0 >= x1 || y0 >= y1) return;
  drawingUpTo(x1 - 1);
  // One detach for the whole rectangle, then plain pointer steps.
  uchar* row = m_canvas.bits() + y0 * m_canvas.bytesPerLine();
  for (int y = y0; y < y1; ++y, row += m_canvas.bytesPerLine()) {
    auto* pixels = reinterpret_cast<QRgb*>(row);
    std::fill(pixels + x0, pixels + x1, colour);
  }
  scheduleUpdate();
}

void PictureBox::scheduleUpdate() {
  if (m_updatePending) return;
  m_updatePending = true;
  update();
}

void PictureBox::Cls() {
  clearCanvas();
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
    drawingUpTo(right);
    QPainter painter(&m_canvas);
    painter.setPen(QPen(pen, m_drawWidth));
    painter.drawLine(px1, py1, px2, py2);
    scheduleUpdate();
  }
}

const QFontMetrics& PictureBox::metrics() {
  // Built for the canvas, so text is measured at the image's 96 dpi whatever the screen.
  if (!m_metrics) m_metrics.emplace(font(), &m_canvas);
  return *m_metrics;
}

const PictureBox::RenderedText& PictureBox::rendered(const QString& text) {
  const auto key = std::make_pair(text, m_foreColor.rgb());
  auto found = m_textCache.find(key);
  if (found != m_textCache.end()) return *found;
  if (m_textCache.size() >= kTextCacheSize) m_textCache.clear();
  const QFontMetrics& fm = metrics();
  // The ink, relative to the top-left of the text, with room for antialiasing.
  const QRect ink = fm.boundingRect(text).adjusted(-2, -2, 2, 2).translated(0, fm.ascent());
  QImage image(ink.size().expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setFont(font());
  painter.setPen(m_foreColor);
  painter.drawText(QPoint(-ink.left(), fm.ascent() - ink.top()), text);
  painter.end();
  return *m_textCache.insert(key, RenderedText{image, ink.topLeft()});
}

void PictureBox::blend(const QImage& source, QPoint at) {
  const int left = std::max(at.x(), 0);
  const int top = std::max(at.y(), 0);
  const int right = std::min(at.x() + source.width(), kMaxPictureWidth);
  const int bottom = std::min(at.y() + source.height(), m_canvas.height());
  if (left >= right || top >= bottom) return;
  drawingUpTo(right - 1);
  for (int y = top; y < bottom; ++y) {
    const auto* from = reinterpret_cast<const QRgb*>(source.constScanLine(y - at.y())) - at.x();
    auto* to = reinterpret_cast<QRgb*>(m_canvas.bits() + y * m_canvas.bytesPerLine());
    for (int x = left; x < right; ++x) {
      const QRgb s = from[x];
      const int keep = 255 - qAlpha(s);
      if (keep == 255) continue;
      const QRgb d = to[x];
      auto mix = [keep](int sc, int dc) { return sc + (dc * keep + 127) / 255; };
      to[x] = qRgb(mix(qRed(s), qRed(d)), mix(qGreen(s), qGreen(d)), mix(qBlue(s), qBlue(d)));
    }
  }
}

void PictureBox::Print(const QString& text) {
  const QFontMetrics& fm = metrics();
  const QPoint at(deviceX(m_currentX), deviceY(m_currentY));
  if (text.size() <= kCachedTextLength) {
    // Short texts (digits, short labels) come back on every redraw: render
    // each once and blend it, which skips the text layout.
    const RenderedText& r = rendered(text);
    blend(r.image, at + r.offset);
  } else {
    const int right = std::min(at.x() + fm.horizontalAdvance(text), kMaxPictureWidth - 1);
    drawingUpTo(right);
    QPainter painter(&m_canvas);
    painter.setFont(font());
    painter.setPen(m_foreColor);
    painter.drawText(QPoint(at.x(), at.y() + fm.ascent()), text);
  }
  m_currentX = 0;
  m_currentY += fm.height() * double(kTwipsPerPixel) / m_twipsY;
  scheduleUpdate();
}

void PictureBox::Print(long long number) {
  Print(number < 0 ? QString::number(number) : QLatin1Char(' ') + QString::number(number));
}

void PictureBox::setBackColor(const QColor& colour) {
  m_backColor = colour;
  resetCanvas(0);
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
  m_picture = picture.convertToFormat(QImage::Format_RGB32);
  resetCanvas(0);
  scheduleUpdate();
}

QImage PictureBox::Image() const {
  const QSize area = drawingSize();
  if (m_canvas.width() >= area.width()) return m_canvas.copy(0, 0, area.width(), area.height());
  QImage image(area, QImage::Format_RGB32);
  image.fill(m_backColor);
  QPainter painter(&image);
  painter.drawImage(0, 0, m_canvas);
  return image;
}

void PictureBox::setWidth(int twips) {
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
    const QImage old = m_canvas;
    resetCanvas(old.width());
    QPainter(&m_canvas).drawImage(0, 0, old);
  }
  ensureColumns(drawingSize().width() - 1);
}

void PictureBox::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange) {
    m_metrics.reset();
    m_textCache.clear();
  }
  QWidget::changeEvent(event);
}

void PictureBox::paintEvent(QPaintEvent*) {
  m_updatePending = false;
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

bool SavePicture(const QImage& image, const QString& path, QString* error) {
  QSaveFile file(path);
  const bool ok = file.open(QIODevice::WriteOnly) &&
                  image.convertToFormat(QImage::Format_RGB32).save(&file, "BMP") && file.commit();
  if (!ok && error) *error = file.errorString();
  return ok;
}

}  // namespace surface

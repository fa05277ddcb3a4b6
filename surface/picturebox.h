#pragma once

#include <QColor>
#include <QFontMetrics>
#include <QHash>
#include <QImage>
#include <QString>
#include <QWidget>
#include <optional>

#include "surface/limits.h"

namespace surface {

// A picture box with a retained image, drawn in its own user units.
//
// Drawing goes into the retained image; paintEvent only copies it to the
// screen. The image may be wider than the box: what is drawn past the right
// edge is kept (up to kMaxPictureWidth) and shows when the box is widened.
class PictureBox : public QWidget {
  Q_OBJECT

 public:
  explicit PictureBox(QWidget* parent = nullptr);

  // User scale: twips per horizontal and per vertical unit. Pixels are 15 x 15.
  void setScale(double twipsPerUnitX, double twipsPerUnitY);
  double scaleWidth() const;  // drawing area in user units
  double scaleHeight() const;

  // Erases everything drawn: back to the background picture or colour.
  void Cls();
  // A line DrawWidth units wide; the end point itself is not drawn.
  void Line(double x1, double y1, double x2, double y2, std::optional<QColor> colour = {});
  // Text with its top-left corner at the current position; moves to the next line.
  void Print(const QString& text);
  // A whole number, with a leading blank where a minus sign would stand.
  void Print(long long number);

  double CurrentX() const { return m_currentX; }
  double CurrentY() const { return m_currentY; }
  void setCurrentX(double x) { m_currentX = x; }
  void setCurrentY(double y) { m_currentY = y; }

  void setDrawWidth(int units) { m_drawWidth = units < 1 ? 1 : units; }

  // Changing the background colour clears the picture, as Cls does.
  void setBackColor(const QColor& colour);
  QColor BackColor() const { return m_backColor; }

  void setFontName(const QString& family);
  void setFontSize(double points);

  // Background picture: kept under drawing and not erased by Cls. Setting it
  // replaces whatever was drawn.
  void setPicture(const QImage& picture);
  const QImage& Picture() const { return m_picture; }

  // The retained image of the drawing area: background plus what was drawn.
  QImage Image() const;

  void Refresh() { update(); }
  bool Visible() const { return !isHidden(); }

  // Outer size in twips; setting the width resizes the box.
  int Width() const { return m_widthTwips; }
  void setWidth(int twips);
  int Height() const { return height() * kTwipsPerPixel; }
  void setTwipsGeometry(int left, int top, int width, int height);

  // Makes room in the retained image for drawing up to device column x, so a
  // long symbol is allocated once instead of growing bar by bar.
  void reserveColumns(int x);

  // Device pixel of a user coordinate, inside the drawing area.
  int deviceX(double x) const;
  int deviceY(double y) const;

 protected:
  void changeEvent(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QSize drawingSize() const;
  void resetCanvas(int minWidth);
  void clearCanvas();
  void scheduleUpdate();
  const QFontMetrics& metrics();

  struct RenderedText {
    QImage image;   // premultiplied, transparent around the ink
    QPoint offset;  // of the image from the text's top-left corner
  };
  static constexpr int kCachedTextLength = 40;
  static constexpr qsizetype kTextCacheSize = 256;
  const RenderedText& rendered(const QString& text);
  void blend(const QImage& source, QPoint at);
  bool ensureColumns(int x);
  // Makes room up to column x and remembers that it may now hold drawing.
  void drawingUpTo(int x);
  void fillRect(int x0, int y0, int x1, int y1, QRgb colour);

  QImage m_canvas;
  int m_drawnWidth = 0;  // columns of the canvas that may hold drawing
  bool m_updatePending = false;
  std::optional<QFontMetrics> m_metrics;
  QHash<std::pair<QString, QRgb>, RenderedText> m_textCache;
  QImage m_picture;
  QColor m_backColor = Qt::white;
  QColor m_foreColor = Qt::black;
  double m_twipsX = kTwipsPerPixel;
  double m_twipsY = kTwipsPerPixel;
  double m_currentX = 0;
  double m_currentY = 0;
  int m_drawWidth = 1;
  int m_widthTwips = 0;
};

// Writes an image as a 24-bit bitmap file, whole or not at all.
bool SavePicture(const QImage& image, const QString& path, QString* error = nullptr);

}  // namespace surface

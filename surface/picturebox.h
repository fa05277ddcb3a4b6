#pragma once

#include <QColor>
#include <QFontMetrics>
#include <QImage>
#include <QString>
#include <QWidget>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "surface/limits.h"

namespace surface {

class GlyphText;

// Side by side vertical lines of one colour: the lines at x, x + 1, ...,
// x + lines - 1 user units, as a linear symbol's bars and spaces are drawn.
struct BarSpan {
  double x = 0;
  int lines = 0;
  QRgb colour = qRgb(0, 0, 0);
};

// Adds the line at x to the spans, lengthening the last span when it ends
// just there in the same colour.
inline void addLine(std::vector<BarSpan>& spans, double x, QRgb colour) {
  if (!spans.empty() && spans.back().colour == colour && spans.back().x + spans.back().lines == x) {
    ++spans.back().lines;
    return;
  }
  spans.push_back({x, 1, colour});
}

// A picture box with a retained image, drawn in its own user units.
//
// Drawing goes into the retained image; paintEvent only copies it to the
// screen. The image may be wider than the box: what is drawn past the right
// edge is kept (up to kMaxPictureWidth) and shows when the box is widened.
class PictureBox : public QWidget {
  Q_OBJECT

 public:
  explicit PictureBox(QWidget* parent = nullptr);
  ~PictureBox() override;

  // User scale: twips per horizontal and per vertical unit. Pixels are 15 x 15.
  void setScale(double twipsPerUnitX, double twipsPerUnitY);
  double scaleWidth() const;  // drawing area in user units
  double scaleHeight() const;

  // Erases everything drawn: back to the background picture or colour.
  void Cls();
  // A line DrawWidth units wide; the end point itself is not drawn.
  void Line(double x1, double y1, double x2, double y2, std::optional<QColor> colour = {});
  // Every line of every span, each as Line(x, top, x, bottom, colour) draws
  // it, later spans over earlier ones: the row of bars is built once and
  // copied to each row the lines cover.
  void drawBarRow(std::span<const BarSpan> spans, double top, double bottom);
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
  int WidthTwips() const { return m_widthTwips; }
  void setWidthTwips(int twips);
  int HeightTwips() const { return height() * kTwipsPerPixel; }
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
  void scheduleUpdate();
  const QFontMetrics& metrics();
  GlyphText& glyphText();

  bool ensureColumns(int x);
  // Puts the background (colour and picture) back into the rectangle.
  void restore(const QRect& area) const;
  // Carries out a clear that was put off; rows [top, bottom) keep their
  // columns [left, right), which the caller is about to overwrite whole.
  void settle(int left = 0, int right = 0, int top = 0, int bottom = 0) const;
  void drawn(const QRect& area);
  void fillRect(int x0, int y0, int x1, int y1, QRgb colour);
  bool plainBackground(const QRect& area) const;

  // The canvas holds the background, except in m_drawn (what was drawn since
  // the last clear) and in m_uncleared (what a clear has yet to wipe: a
  // clear is put off until the next drawing, which may cover it anyway).
  mutable QImage m_canvas;
  QRect m_drawn;
  mutable QRect m_uncleared;
  mutable qint64 m_imageKey = 0;  // the image Image() last gave, while the canvas still shows it
  mutable std::vector<QRgb> m_backgroundRow;  // scratch rows, kept to save allocations
  struct Run {
    int x0, x1;  // device columns [x0, x1)
    QRgb colour;
  };
  std::vector<Run> m_runs;
  std::vector<QRgb> m_barRow;
  std::vector<char> m_covered;
  bool m_updatePending = false;
  std::optional<QFontMetrics> m_metrics;
  std::unique_ptr<GlyphText> m_text;
  QImage m_picture;
  bool m_plainPicture = true;  // the picture is all background colour, or none
  QColor m_backColor = Qt::white;
  QColor m_foreColor = Qt::black;
  double m_twipsX = kTwipsPerPixel;
  double m_twipsY = kTwipsPerPixel;
  double m_currentX = 0;
  double m_currentY = 0;
  int m_drawWidth = 1;
  int m_widthTwips = 0;
};

}  // namespace surface

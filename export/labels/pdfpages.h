#pragma once

// A PDF written page by page as it is painted: pages of exact sizes in mm
// (a QPdfWriter rounds them to whole points), rectangles and paths filled,
// text in Type 3 fonts made of the glyphs' own outlines, with their Unicode
// so that the text can be found and copied. A page goes out as soon as the
// next one begins; only the fonts' glyphs wait for the end, so memory does
// not grow with the number of pages.

#include <QPaintDevice>
#include <QString>
#include <memory>

class QIODevice;

namespace labels {

class PdfEngine;

class PdfPages : public QPaintDevice {
 public:
  // One device unit is one dot at dpi dots per inch.
  PdfPages(QIODevice& out, int dpi, const QString& creator);
  ~PdfPages() override;

  // Ends the page being painted, if any, and starts one of this size. A
  // painter may stay open across pages.
  void newPage(double widthMm, double heightMm);
  // Ends the last page and writes the document's end. False when a write
  // failed (errorString says why); the painter must have ended.
  bool finish();
  QString errorString() const;
  int pageCount() const;

  QPaintEngine* paintEngine() const override;

 protected:
  int metric(PaintDeviceMetric metric) const override;

 private:
  std::unique_ptr<PdfEngine> m_engine;
};

}  // namespace labels

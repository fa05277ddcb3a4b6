#pragma once

#include <QImage>
#include <vector>

namespace testsupport {

inline bool isDark(QRgb pixel) { return qGray(pixel) < 128; }

// Columns of row y holding a dark pixel.
inline std::vector<int> darkColumns(const QImage& image, int y) {
  std::vector<int> columns;
  for (int x = 0; x < image.width(); ++x)
    if (isDark(image.pixel(x, y))) columns.push_back(x);
  return columns;
}

// One past the last dark column of row y, or 0.
inline int endOfRow(const QImage& image, int y) {
  const auto columns = darkColumns(image, y);
  return columns.empty() ? 0 : columns.back() + 1;
}

// Leftmost dark column in the rows [top, bottom), or -1.
inline int leftmostInRows(const QImage& image, int top, int bottom) {
  int left = -1;
  for (int y = top; y < bottom && y < image.height(); ++y) {
    const auto columns = darkColumns(image, y);
    if (!columns.empty() && (left < 0 || columns.front() < left)) left = columns.front();
  }
  return left;
}

inline bool isBlank(const QImage& image) {
  for (int y = 0; y < image.height(); ++y)
    if (!darkColumns(image, y).empty()) return false;
  return true;
}

}  // namespace testsupport

#pragma once

#include <QImage>
#include <string>
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

// Where two pictures first differ, for a failure message; empty when equal.
inline std::string firstDifference(const QImage& a, const QImage& b) {
  if (a.size() != b.size())
    return "sizes " + std::to_string(a.width()) + "x" + std::to_string(a.height()) + " and " +
           std::to_string(b.width()) + "x" + std::to_string(b.height());
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (a.pixel(x, y) != b.pixel(x, y))
        return "pixel " + std::to_string(x) + "," + std::to_string(y) + ": " +
               std::to_string(qGray(a.pixel(x, y))) + " against " +
               std::to_string(qGray(b.pixel(x, y)));
  return {};
}

inline bool isBlank(const QImage& image) {
  for (int y = 0; y < image.height(); ++y)
    if (!darkColumns(image, y).empty()) return false;
  return true;
}

}  // namespace testsupport

#pragma once

#define ZX_USE_UTF8 1
#include <ZXing/BitMatrix.h>
#include <ZXing/MultiFormatWriter.h>

#include <string>
#include <vector>

namespace testsupport {

// The widths of the bars and spaces zxing-cpp's writer makes of the data,
// bar first, in modules: an independent encoding to lay our pictures against.
inline std::vector<int> zxingRuns(ZXing::BarcodeFormat format, const std::string& data) {
  ZXing::MultiFormatWriter writer(format);
  writer.setMargin(0);
  const ZXing::BitMatrix matrix = writer.encode(data, 0, 1);
  std::vector<int> runs;
  for (int x = 0; x < matrix.width(); ++x) {
    if (x > 0 && matrix.get(x, 0) == matrix.get(x - 1, 0))
      ++runs.back();
    else
      runs.push_back(1);
  }
  return runs;
}

}  // namespace testsupport

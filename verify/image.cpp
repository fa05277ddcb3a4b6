#include "verify/image.h"

namespace verify {

Image imageFromRgb(const std::uint8_t* pixels, int width, int height, std::ptrdiff_t stride,
                   int channels, double dotsPerMm) {
  Image image;
  if (pixels == nullptr || width <= 0 || height <= 0 || (channels != 3 && channels != 4) ||
      stride < static_cast<std::ptrdiff_t>(width) * channels)
    return image;
  image.width = width;
  image.height = height;
  image.dotsPerMm = dotsPerMm;
  image.reflectance.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  std::uint8_t* out = image.reflectance.data();
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = pixels + static_cast<std::ptrdiff_t>(y) * stride;
    for (int x = 0; x < width; ++x, row += channels) {
      unsigned red = row[0];
      if (channels == 4) {
        const unsigned alpha = row[3];
        // Over white: red·a + 255·(1 − a), rounded.
        red = (red * alpha + 255u * (255u - alpha) + 127u) / 255u;
      }
      *out++ = static_cast<std::uint8_t>(red);
    }
  }
  return image;
}

}  // namespace verify

#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace verify {

// What a 660 nm scanner sees: one byte of reflectance a pixel, 0 black to 255 white,
// rows top to bottom, and how many pixels make a millimetre.
struct Image {
  int width = 0;
  int height = 0;
  double dotsPerMm = 0;
  std::vector<std::uint8_t> reflectance;

  std::uint8_t at(int x, int y) const {
    return reflectance[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                       static_cast<std::size_t>(x)];
  }
};

// From 8-bit RGB (channels 3) or RGBA (channels 4) rows, stride bytes apart. Red reads as
// paper at 660 nm, so the reflectance is the red channel, alpha composited on white.
// Any other channel count, or a size that does not fit, gives an empty image.
Image imageFromRgb(const std::uint8_t* pixels, int width, int height, std::ptrdiff_t stride,
                   int channels, double dotsPerMm);

}  // namespace verify

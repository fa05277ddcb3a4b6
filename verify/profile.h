#pragma once

// Scan reflectance profiles: where the bars are, the synthetic aperture, ink spread, and
// the profile cut into elements at the global threshold. Internal to the grader.

#include <cstdint>
#include <vector>

#include "verify/image.h"

namespace verify::detail {

// Rows [top, bottom) that cross every bar.
struct BarExtent {
  int top = 0;
  int bottom = 0;
  bool found = false;
};
BarExtent findBarExtent(const Image& image);

// Profiles are sampled four times a pixel: between samples an edge is placed by straight
// interpolation, and at one sample a pixel the curve an aperture draws across an edge is
// bent enough to misplace it by a tenth of a pixel.
inline constexpr int kSamplesPerPixel = 4;

// A circular aperture over the picture taken as square pixels of even reflectance: each
// pixel weighs the area of it inside the circle. One kernel for each of the four places
// a sample takes within its pixel; the circle is centred on the row's middle.
struct Aperture {
  int rows = 0;                // kernel rows either side of the sample's row
  int cols = 0;                // kernel columns either side of the sample's pixel
  std::vector<float> weights;  // by place, then row, then column; each place sums to 1
};
Aperture makeAperture(double diameterPx);

// One image row with its dark regions grown by spreadPx in all (half on each edge; less
// than zero shrinks them). Edges are found at sub-pixel precision where the row crosses
// halfway between its darkest and lightest pixel, moved, and the pixels they cross
// darkened or lightened by the area gained or lost, so defects within an element stay.
void spreadRow(const std::uint8_t* row, int width, double spreadPx, float* out);

// Reflectance in percent along one row, kSamplesPerPixel samples a pixel (sample k at
// (k + 0.5) / kSamplesPerPixel), as seen through the aperture after the ink spread.
std::vector<float> scanProfile(const Image& image, int row, const Aperture& aperture,
                               double spreadPx);

// A bar or a space between two crossings of the global threshold, in pixels.
struct Segment {
  double start = 0;
  double end = 0;
  bool dark = false;
  bool phantom = false;     // zero-width quiet zone standing for one cut off by the image edge
  float extreme = 0;        // a space's highest reflectance, a bar's lowest
  float nonUniformity = 0;  // highest peak less lowest valley inside the element
  double width() const { return end - start; }
};

struct ProfileCut {
  float rMax = 0;
  float rMin = 0;
  float threshold = 0;
  // Always starts and ends with a space (the quiet zones), then alternates.
  std::vector<Segment> segments;
};
ProfileCut cutProfile(const std::vector<float>& profile);

}  // namespace verify::detail

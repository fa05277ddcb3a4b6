#include "verify/profile.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace verify::detail {

namespace {

// Halfway between the lightest and darkest pixel of the whole image.
int midLevel(const Image& image) {
  const auto [lo, hi] = std::minmax_element(image.reflectance.begin(), image.reflectance.end());
  return (*lo + *hi + 1) / 2;
}

}  // namespace

BarExtent findBarExtent(const Image& image) {
  BarExtent extent;
  if (image.width < 2 || image.height < 1 ||
      image.reflectance.size() != static_cast<std::size_t>(image.width) * image.height)
    return extent;
  const auto [lo, hi] = std::minmax_element(image.reflectance.begin(), image.reflectance.end());
  if (*hi - *lo < 8) return extent;  // a blank or uniform picture
  const int mid = midLevel(image);
  std::vector<int> crossings(static_cast<std::size_t>(image.height));
  for (int y = 0; y < image.height; ++y) {
    const std::uint8_t* row = &image.reflectance[static_cast<std::size_t>(y) * image.width];
    int count = 0;
    bool dark = row[0] < mid;
    for (int x = 1; x < image.width; ++x) {
      const bool d = row[x] < mid;
      count += d != dark;
      dark = d;
    }
    crossings[static_cast<std::size_t>(y)] = count;
  }
  // Rows through every bar have about the most crossings; guard bars that reach lower,
  // bearer bars and text rows have far fewer. The longest run of rows with at least
  // 80 % of the usual count (the median of the rows with any bars) is the bars' extent.
  std::vector<int> barred;
  for (int c : crossings)
    if (c >= 4) barred.push_back(c);
  if (barred.empty()) return extent;
  std::nth_element(barred.begin(), barred.begin() + barred.size() / 2, barred.end());
  const int usual = barred[barred.size() / 2];
  int runStart = -1;
  for (int y = 0; y <= image.height; ++y) {
    const bool in = y < image.height && crossings[static_cast<std::size_t>(y)] * 5 >= usual * 4;
    if (in && runStart < 0) runStart = y;
    if (!in && runStart >= 0) {
      if (y - runStart > extent.bottom - extent.top) {
        extent.top = runStart;
        extent.bottom = y;
      }
      runStart = -1;
    }
  }
  extent.found = extent.bottom - extent.top >= 3;
  return extent;
}

Aperture makeAperture(double diameterPx) {
  Aperture aperture;
  const double r = std::max(diameterPx, 0.01) / 2;
  aperture.rows = static_cast<int>(std::ceil(r + 0.5)) - 1;
  aperture.cols = static_cast<int>(std::ceil(r + 1.0)) - 1;
  const int height = 2 * aperture.rows + 1;
  const int width = 2 * aperture.cols + 1;
  aperture.weights.assign(static_cast<std::size_t>(kSamplesPerPixel * height * width), 0.0f);
  // Area inside the circle by 16 × 16 sub-samples of each pixel; exact enough for weights
  // that are normalised anyway.
  constexpr int kSub = 16;
  for (int place = 0; place < kSamplesPerPixel; ++place) {
    const double centre = (place + 0.5) / kSamplesPerPixel - 0.5;  // from the pixel's middle
    float* k = &aperture.weights[static_cast<std::size_t>(place * height * width)];
    double total = 0;
    for (int dy = -aperture.rows; dy <= aperture.rows; ++dy) {
      for (int dx = -aperture.cols; dx <= aperture.cols; ++dx) {
        int inside = 0;
        for (int sy = 0; sy < kSub; ++sy) {
          const double py = dy - 0.5 + (sy + 0.5) / kSub;
          for (int sx = 0; sx < kSub; ++sx) {
            const double px = dx - 0.5 + (sx + 0.5) / kSub - centre;
            inside += px * px + py * py <= r * r;
          }
        }
        k[(dy + aperture.rows) * width + dx + aperture.cols] = static_cast<float>(inside);
        total += inside;
      }
    }
    // An aperture far smaller than a pixel still sees the pixel it is in.
    if (total == 0) {
      k[aperture.rows * width + aperture.cols] = 1;
      total = 1;
    }
    for (int i = 0; i < height * width; ++i) k[i] = static_cast<float>(k[i] / total);
  }
  return aperture;
}

void spreadRow(const std::uint8_t* row, int width, double spreadPx, float* out) {
  const auto [loIt, hiIt] = std::minmax_element(row, row + width);
  const float dark = *loIt;
  const float light = *hiIt;
  for (int x = 0; x < width; ++x) out[x] = row[x];
  if (spreadPx == 0 || light - dark < 8) return;
  const float range = light - dark;
  auto coverage = [&](int x) { return (light - row[x]) / range; };

  // Dark intervals, edges where the coverage crosses one half between pixel centres.
  struct Interval {
    double a, b;
  };
  std::vector<Interval> old;
  double start = coverage(0) >= 0.5f ? 0.0 : -1.0;
  for (int x = 1; x < width; ++x) {
    const float c0 = coverage(x - 1);
    const float c1 = coverage(x);
    if ((c0 >= 0.5f) == (c1 >= 0.5f)) continue;
    const double edge = x - 0.5 + (0.5 - c0) / (c1 - c0);
    if (c1 >= 0.5f) {
      start = edge;
    } else {
      old.push_back({start, edge});
      start = -1;
    }
  }
  if (start >= 0) old.push_back({start, static_cast<double>(width)});

  // Grown (or shrunk) about their centres; an edge at the image border stays there.
  std::vector<Interval> grown;
  const double half = spreadPx / 2;
  for (const Interval& i : old) {
    const double a = i.a <= 0 ? 0 : std::max(0.0, i.a - half);
    const double b = i.b >= width ? width : std::min<double>(width, i.b + half);
    if (b <= a) continue;
    if (!grown.empty() && a <= grown.back().b)
      grown.back().b = std::max(grown.back().b, b);  // the space between closed up
    else
      grown.push_back({a, b});
  }

  // Each pixel moves towards dark or light by the share of it the edges swept over.
  std::vector<float> delta(static_cast<std::size_t>(width), 0.0f);
  auto add = [&](const Interval& i, float sign) {
    for (int x = static_cast<int>(std::floor(i.a)); x < width && x < i.b; ++x) {
      const double overlap = std::min<double>(x + 1, i.b) - std::max<double>(x, i.a);
      if (overlap > 0) delta[static_cast<std::size_t>(x)] += sign * static_cast<float>(overlap);
    }
  };
  for (const Interval& i : grown) add(i, 1.0f);
  for (const Interval& i : old) add(i, -1.0f);
  for (int x = 0; x < width; ++x)
    out[x] = std::clamp(out[x] - delta[static_cast<std::size_t>(x)] * range, dark, light);
}

std::vector<float> scanProfile(const Image& image, int row, const Aperture& aperture,
                               double spreadPx) {
  constexpr int kS = kSamplesPerPixel;
  const int w = image.width;
  const int c = aperture.cols;
  const int height = 2 * aperture.rows + 1;
  const int width = 2 * c + 1;
  const std::size_t samples = static_cast<std::size_t>(w) * kS;
  std::vector<float> sum(samples, 0.0f);
  std::vector<float> norm(samples, 0.0f);
  std::vector<float> line(static_cast<std::size_t>(w));
  for (int dy = -aperture.rows; dy <= aperture.rows; ++dy) {
    const int y = row + dy;
    if (y < 0 || y >= image.height) continue;  // the aperture sees only what is there
    const std::uint8_t* src = &image.reflectance[static_cast<std::size_t>(y) * w];
    if (spreadPx != 0) {
      spreadRow(src, w, spreadPx, line.data());
    } else {
      for (int x = 0; x < w; ++x) line[static_cast<std::size_t>(x)] = src[x];
    }
    std::array<const float*, kS> kernels{};
    std::array<float, kS> rowWeight{};
    for (int place = 0; place < kS; ++place) {
      kernels[static_cast<std::size_t>(place)] = &aperture.weights[static_cast<std::size_t>(
          (place * height + dy + aperture.rows) * width + c)];
      for (int dx = -c; dx <= c; ++dx)
        rowWeight[static_cast<std::size_t>(place)] += kernels[static_cast<std::size_t>(place)][dx];
    }
    for (int x = 0; x < w; ++x) {
      float* out = &sum[static_cast<std::size_t>(x) * kS];
      float* n = &norm[static_cast<std::size_t>(x) * kS];
      if (x >= c && x + c < w) {  // the middle of the row, without bounds checks
        const float* p = &line[static_cast<std::size_t>(x)];
        for (int place = 0; place < kS; ++place) {
          const float* k = kernels[static_cast<std::size_t>(place)];
          float s = 0;
          for (int dx = -c; dx <= c; ++dx) s += k[dx] * p[dx];
          out[place] += s;
          n[place] += rowWeight[static_cast<std::size_t>(place)];
        }
        continue;
      }
      for (int place = 0; place < kS; ++place) {
        const float* k = kernels[static_cast<std::size_t>(place)];
        for (int dx = -c; dx <= c; ++dx) {
          if (x + dx < 0 || x + dx >= w) continue;
          out[place] += k[dx] * line[static_cast<std::size_t>(x + dx)];
          n[place] += k[dx];
        }
      }
    }
  }
  for (std::size_t i = 0; i < samples; ++i)
    sum[i] = norm[i] > 0 ? sum[i] / norm[i] * (100.0f / 255.0f) : 100.0f;
  return sum;
}

namespace {

// Highest peak less lowest valley strictly inside samples [from, to): a space's valleys
// and a bar's peaks are the defects; the slopes down to the threshold are not.
float nonUniformity(const std::vector<float>& p, int from, int to, bool dark) {
  if (to - from < 3) return 0;
  // Walked once, equal neighbours taken as one value, so a flat valley is one valley.
  float lo = p[static_cast<std::size_t>(from)];
  float hi = lo;
  float before = 0;  // the distinct value before `last`
  float last = lo;
  bool haveBefore = false;
  bool any = false;
  float inner = 0;
  for (int i = from + 1; i < to; ++i) {
    const float v = p[static_cast<std::size_t>(i)];
    if (v == last) continue;
    lo = std::min(lo, v);
    hi = std::max(hi, v);
    if (haveBefore) {
      // A space's valleys and a bar's peaks.
      const bool turn = dark ? (last > before && last > v) : (last < before && last < v);
      if (turn) {
        inner = !any ? last : dark ? std::max(inner, last) : std::min(inner, last);
        any = true;
      }
    }
    before = last;
    last = v;
    haveBefore = true;
  }
  if (!any) return 0;
  return dark ? inner - lo : hi - inner;
}

}  // namespace

ProfileCut cutProfile(const std::vector<float>& p) {
  ProfileCut cut;
  if (p.empty()) return cut;
  const auto [lo, hi] = std::minmax_element(p.begin(), p.end());
  cut.rMin = *lo;
  cut.rMax = *hi;
  cut.threshold = (cut.rMax + cut.rMin) / 2;
  const int n = static_cast<int>(p.size());
  auto dark = [&](int i) { return p[static_cast<std::size_t>(i)] < cut.threshold; };

  // Sample i stands at (i + 0.5) / kSamplesPerPixel; a crossing lies where the line
  // between two samples meets the threshold.
  constexpr double kStep = 1.0 / kSamplesPerPixel;
  std::vector<double> edges{0.0};
  std::vector<int> firstSample{0};
  for (int i = 1; i < n; ++i) {
    if (dark(i) == dark(i - 1)) continue;
    const double a = p[static_cast<std::size_t>(i - 1)];
    const double b = p[static_cast<std::size_t>(i)];
    edges.push_back((i - 0.5 + (cut.threshold - a) / (b - a)) * kStep);
    firstSample.push_back(i);
  }
  edges.push_back(n * kStep);
  firstSample.push_back(n);

  if (dark(0)) {
    Segment quiet;
    quiet.phantom = true;
    quiet.extreme = cut.threshold;
    cut.segments.push_back(quiet);
  }
  bool isDark = dark(0);
  for (std::size_t s = 0; s + 1 < edges.size(); ++s, isDark = !isDark) {
    Segment seg;
    seg.start = edges[s];
    seg.end = edges[s + 1];
    seg.dark = isDark;
    const int from = firstSample[s];
    const int to = firstSample[s + 1];
    if (to > from) {
      const auto [l, h] = std::minmax_element(p.begin() + from, p.begin() + to);
      seg.extreme = isDark ? *l : *h;
    } else {
      seg.extreme = cut.threshold;
    }
    seg.nonUniformity = nonUniformity(p, from, to, isDark);
    cut.segments.push_back(seg);
  }
  if (cut.segments.back().dark) {
    Segment quiet;
    quiet.start = quiet.end = n * kStep;
    quiet.phantom = true;
    quiet.extreme = cut.threshold;
    cut.segments.push_back(quiet);
  }
  return cut;
}

}  // namespace verify::detail

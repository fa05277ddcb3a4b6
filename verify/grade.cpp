#include "verify/grade.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "verify/decode.h"
#include "verify/profile.h"

namespace verify {

namespace {

using detail::Aperture;
using detail::BarExtent;
using detail::Decoded;
using detail::ProfileCut;

// Values land on a grade's edge exactly (a perfect symbol's modulation is 1, a grey one's
// contrast 60.0 %); float arithmetic must not push them under it.
constexpr double kSlack = 1e-5;

// How far short of its minimum a measured quiet zone may fall, in pixels (see gradeLine).
constexpr double kQuietSlackPx = 0.5;

// ISO/IEC 15416, the grading tables of the scan reflectance profile: the lowest value
// each grade A, B, C, D needs (or the highest, for defects).
inline constexpr std::array kSymbolContrastFloors{70.0, 55.0, 40.0, 20.0};
inline constexpr std::array kModulationFloors{0.70, 0.60, 0.50, 0.40};
inline constexpr std::array kDefectsCeilings{0.15, 0.20, 0.25, 0.30};
inline constexpr std::array kDecodabilityFloors{0.62, 0.50, 0.37, 0.25};
constexpr double kEdgeContrastFloor = 15.0;  // ECmin: A at or above, else F

int gradeAtLeast(double value, const std::array<double, 4>& floors) {
  for (int g = 0; g < 4; ++g)
    if (value + kSlack >= floors[static_cast<std::size_t>(g)]) return 4 - g;
  return 0;
}

int gradeAtMost(double value, const std::array<double, 4>& ceilings) {
  for (int g = 0; g < 4; ++g)
    if (value - kSlack <= ceilings[static_cast<std::size_t>(g)]) return 4 - g;
  return 0;
}

struct LineResult {
  ScanLine line;
  double firstBarPx = 0;  // where the symbol's bars begin and end on this line
  double lastBarPx = 0;
};

std::vector<double> widthsOf(const ProfileCut& cut) {
  std::vector<double> widths;
  widths.reserve(cut.segments.size());
  for (const detail::Segment& s : cut.segments) widths.push_back(s.phantom ? 0.0 : s.width());
  return widths;
}

LineResult gradeLine(const Image& image, int row, Symbology symbology, const Aperture& aperture,
                     double spreadPx, double nominalModulePx) {
  LineResult out;
  ScanLine& line = out.line;
  line.row = row;
  const ProfileCut cut = detail::cutProfile(detail::scanProfile(image, row, aperture, spreadPx));
  const std::vector<double> widths = widthsOf(cut);
  const Decoded decoded = detail::referenceDecode(symbology, widths);

  line.rMax = cut.rMax;
  line.rMin = cut.rMin;
  line.symbolContrast = cut.rMax - cut.rMin;
  line.globalThreshold = cut.threshold;
  line.decoded = decoded.ok;
  line.text = decoded.ok ? decoded.text : decoded.why;

  // Edge contrast and non-uniformity over the symbol and its two quiet zones; over the
  // whole line when nothing decoded.
  std::size_t from = 0;
  std::size_t to = cut.segments.size() - 1;
  if (decoded.ok) {
    from = decoded.first - 1;
    to = decoded.last + 1;
  }
  double ecMin = 0;
  bool anyEdge = false;
  double ernMax = 0;
  for (std::size_t k = from; k <= to; ++k) {
    const detail::Segment& s = cut.segments[k];
    if (s.phantom) continue;
    ernMax = std::max<double>(ernMax, s.nonUniformity);
    if (k < to && !cut.segments[k + 1].phantom) {
      const double ec = std::abs(s.extreme - cut.segments[k + 1].extreme);
      ecMin = anyEdge ? std::min(ecMin, ec) : ec;
      anyEdge = true;
    }
  }
  line.edgeContrastMin = ecMin;
  line.ernMax = ernMax;
  line.modulation = line.symbolContrast > 0 ? ecMin / line.symbolContrast : 0;
  line.defects = line.symbolContrast > 0 ? ernMax / line.symbolContrast : 1;
  line.decodability = decoded.ok ? decoded.decodability : 0;

  const SymbologyRules& rules = rulesFor(symbology);
  bool quietOk = false;
  if (decoded.ok) {
    line.modulePx = decoded.modulePx;
    const double x = nominalModulePx > 0 ? nominalModulePx : decoded.modulePx;
    // Under simulated ink spread the outer bars grow into the quiet zones by half the
    // spread; the sweep asks what spread does to the bars, so that half is given back
    // (the quiet zones as printed are judged at no spread).
    const double given = spreadPx / 2;
    line.quietLeftX = (widths[decoded.first - 1] + (widths[decoded.first - 1] > 0 ? given : 0)) / x;
    line.quietRightX = (widths[decoded.last + 1] + (widths[decoded.last + 1] > 0 ? given : 0)) / x;
    // Edges are found to about a tenth of a pixel, and a picture drawn from a vector file
    // ends within half a pixel of the page's edge: a quiet zone that close to its minimum
    // passes.
    const double slack = kQuietSlackPx / x;
    quietOk = line.quietLeftX + slack >= rules.quietLeftX &&
              line.quietRightX + slack >= rules.quietRightX;
    out.firstBarPx = cut.segments[decoded.first].start;
    out.lastBarPx = cut.segments[decoded.last].end;
  }

  line.grades = {
      decoded.ok ? 4 : 0,
      gradeAtLeast(line.symbolContrast, kSymbolContrastFloors),
      line.rMin <= 0.5 * line.rMax + kSlack ? 4 : 0,
      line.edgeContrastMin + kSlack >= kEdgeContrastFloor ? 4 : 0,
      gradeAtLeast(line.modulation, kModulationFloors),
      gradeAtMost(line.defects, kDefectsCeilings),
      decoded.ok ? gradeAtLeast(line.decodability, kDecodabilityFloors) : 0,
      quietOk ? 4 : 0,
  };
  line.grade = *std::min_element(line.grades.begin(), line.grades.end());
  line.limitedBy = Parameter::None;
  if (line.grade < 4) {
    const auto at = std::find(line.grades.begin(), line.grades.end(), line.grade);
    line.limitedBy = static_cast<Parameter>(1 + (at - line.grades.begin()));
  }
  return out;
}

// Ten scans evenly from 10 % to 90 % of the bars' height.
std::vector<int> scanRows(const BarExtent& extent) {
  std::vector<int> rows;
  const int height = extent.bottom - extent.top;
  for (int k = 0; k < 10; ++k)
    rows.push_back(extent.top + static_cast<int>(std::floor(height * (0.1 + 0.8 * k / 9.0))));
  return rows;
}

std::vector<LineResult> gradeLines(const Image& image, const BarExtent& extent, Symbology symbology,
                                   const Aperture& aperture, double spreadPx,
                                   double nominalModulePx) {
  std::vector<LineResult> lines;
  for (int row : scanRows(extent))
    lines.push_back(gradeLine(image, row, symbology, aperture, spreadPx, nominalModulePx));
  return lines;
}

double meanGrade(const std::vector<LineResult>& lines) {
  int sum = 0;
  for (const LineResult& l : lines) sum += l.line.grade;
  return sum / 10.0;
}

// X before the aperture can be chosen: the symbol decoded through a one-pixel aperture,
// or, failing that, the mean of the narrowest quarter of the middle line's elements.
double firstModulePx(const Image& image, const BarExtent& extent, Symbology symbology) {
  const Aperture point = detail::makeAperture(1.0);
  for (int row : scanRows(extent)) {
    const ProfileCut cut = detail::cutProfile(detail::scanProfile(image, row, point, 0));
    const Decoded d = detail::referenceDecode(symbology, widthsOf(cut));
    if (d.ok) return d.modulePx;
  }
  const int middle = (extent.top + extent.bottom) / 2;
  std::vector<double> widths =
      widthsOf(detail::cutProfile(detail::scanProfile(image, middle, point, 0)));
  widths.erase(std::remove(widths.begin(), widths.end(), 0.0), widths.end());
  if (widths.size() < 3) return 1;
  std::sort(widths.begin(), widths.end());
  const std::size_t quarter = std::max<std::size_t>(1, widths.size() / 4);
  double sum = 0;
  for (std::size_t k = 0; k < quarter; ++k) sum += widths[k];
  return sum / static_cast<double>(quarter);
}

}  // namespace

std::string_view parameterName(Parameter parameter) {
  switch (parameter) {
    case Parameter::None:
      return "none";
    case Parameter::Decode:
      return "decode";
    case Parameter::SymbolContrast:
      return "symbol contrast";
    case Parameter::Rmin:
      return "Rmin";
    case Parameter::EdgeContrast:
      return "edge contrast";
    case Parameter::Modulation:
      return "modulation";
    case Parameter::Defects:
      return "defects";
    case Parameter::Decodability:
      return "decodability";
    case Parameter::QuietZone:
      return "quiet zone";
  }
  return "none";
}

char gradeLetter(double grade) {
  if (grade + kSlack >= 3.5) return 'A';
  if (grade + kSlack >= 2.5) return 'B';
  if (grade + kSlack >= 1.5) return 'C';
  if (grade + kSlack >= 0.5) return 'D';
  return 'F';
}

double gradeFloor(char letter) {
  switch (letter) {
    case 'A':
      return 3.5;
    case 'B':
      return 2.5;
    case 'C':
      return 1.5;
    case 'D':
      return 0.5;
    default:
      return 0;
  }
}

Report grade(const Image& image, Symbology symbology, const GradeOptions& options) {
  Report report;
  report.symbology = symbology;
  report.requiredGrade = options.requiredGrade;
  report.limitedBy = Parameter::Decode;
  if (image.dotsPerMm <= 0) {
    report.why = "the image has no resolution";
    return report;
  }
  const BarExtent extent = detail::findBarExtent(image);
  if (!extent.found) {
    report.why = "no bars found";
    return report;
  }
  const double dpmm = image.dotsPerMm;
  report.barHeightMm = (extent.bottom - extent.top) / dpmm;
  const double firstX = firstModulePx(image, extent, symbology) / dpmm;
  report.xNominalMm = options.xMm > 0 ? options.xMm : firstX;
  report.apertureMm =
      options.apertureMm > 0 ? options.apertureMm : defaultApertureMm(symbology, report.xNominalMm);
  const Aperture aperture = detail::makeAperture(report.apertureMm * dpmm);
  const double nominalModulePx = options.xMm > 0 ? options.xMm * dpmm : 0;

  const std::vector<LineResult> lines =
      gradeLines(image, extent, symbology, aperture, 0, nominalModulePx);
  report.grade = meanGrade(lines);
  report.letter = gradeLetter(report.grade);

  std::map<Parameter, int> limits;
  std::map<std::string, int> texts;
  double moduleSum = 0;
  int decodedLines = 0;
  double quietLeft = 1e9, quietRight = 1e9, lengthPx = 0;
  for (const LineResult& l : lines) {
    report.lines.push_back(l.line);
    if (l.line.grade < 4) ++limits[l.line.limitedBy];
    if (!l.line.decoded) continue;
    ++texts[l.line.text];
    moduleSum += l.line.modulePx;
    ++decodedLines;
    quietLeft = std::min(quietLeft, l.line.quietLeftX);
    quietRight = std::min(quietRight, l.line.quietRightX);
    lengthPx = std::max(lengthPx, l.lastBarPx - l.firstBarPx);
  }
  report.limitedBy = Parameter::None;
  int most = 0;
  for (const auto& [parameter, count] : limits)
    if (count > most) {
      most = count;
      report.limitedBy = parameter;
    }
  most = 0;
  for (const auto& [text, count] : texts)
    if (count > most) {
      most = count;
      report.text = text;
    }
  report.xMeasuredMm = decodedLines > 0 ? moduleSum / decodedLines / dpmm : firstX;
  if (options.xMm <= 0) report.xNominalMm = report.xMeasuredMm;

  if (options.spreadSweep) {
    const double floor = gradeFloor(options.requiredGrade);
    for (int k = 0; k <= 10; ++k) {
      const double spreadMm = -0.100 + 0.025 * k;
      const double g = k == 4 ? report.grade
                              : meanGrade(gradeLines(image, extent, symbology, aperture,
                                                     spreadMm * dpmm, nominalModulePx));
      report.spread.push_back({spreadMm, g});
    }
    if (report.grade + kSlack >= floor) {
      std::size_t lo = 4, hi = 4;
      while (lo > 0 && report.spread[lo - 1].grade + kSlack >= floor) --lo;
      while (hi + 1 < report.spread.size() && report.spread[hi + 1].grade + kSlack >= floor) ++hi;
      report.tolerance = std::pair{report.spread[lo].spreadMm, report.spread[hi].spreadMm};
    }
  }

  // Physical checks, with the rules' sources in symbology.h.
  const SymbologyRules& rules = rulesFor(symbology);
  const double x = report.xNominalMm;
  report.checks.push_back(
      {"X (mm)", x, rules.xMinMm, rules.xMaxMm,
       x + kSlack >= rules.xMinMm && (rules.xMaxMm == 0 || x <= rules.xMaxMm + kSlack)});
  const double lengthMm = lengthPx / dpmm;
  const double minHeight =
      rules.barHeightPerX > 0 ? rules.barHeightPerX * x : std::max(0.15 * lengthMm, 6.35);
  report.checks.push_back({"bar height (mm)", report.barHeightMm, minHeight, 0,
                           report.barHeightMm + kSlack >= minHeight});
  if (decodedLines == 0) quietLeft = quietRight = 0;
  const double quietSlack = kQuietSlackPx / (x * dpmm);  // as on the lines
  report.checks.push_back({"left quiet zone (X)", quietLeft, rules.quietLeftX, 0,
                           quietLeft + quietSlack >= rules.quietLeftX});
  report.checks.push_back({"right quiet zone (X)", quietRight, rules.quietRightX, 0,
                           quietRight + quietSlack >= rules.quietRightX});
  return report;
}

}  // namespace verify

#include <cstdio>

#include "verify/grade.h"

namespace verify {

namespace {

template <typename... Args>
std::string print(const char* format, Args... args) {
  char buffer[256];
  const int n = std::snprintf(buffer, sizeof buffer, format, args...);
  return std::string(
      buffer, n < 0 ? 0 : std::min<std::size_t>(static_cast<std::size_t>(n), sizeof buffer - 1));
}

std::string readers(const Reading& zxing, const Reading& zbar) {
  if (zxing.text && zbar.text && *zxing.text == *zbar.text)
    return "zxing-cpp and zbar read " + *zxing.text;
  if (!zxing.text && !zbar.text) return "neither zxing-cpp nor zbar reads it";
  auto one = [](const char* name, const Reading& r) {
    return std::string(name) + (r.text ? " reads " + *r.text : " does not read it (" + r.why + ")");
  };
  return one("zxing-cpp", zxing) + ", " + one("zbar", zbar);
}

}  // namespace

std::string summaryLine(const Report& report, const Reading& zxing, const Reading& zbar) {
  std::string out;
  if (!report.why.empty()) {
    out = "grade F (0.0): " + report.why;
  } else {
    out = print("grade %c (%.1f) at X %.3f mm, aperture %.3f mm", report.letter, report.grade,
                report.xNominalMm, report.apertureMm);
    if (report.tolerance)
      out += print("; %c or better from %+.3f to %+.3f mm ink spread", report.requiredGrade,
                   report.tolerance->first, report.tolerance->second);
    else if (!report.spread.empty())
      out += print("; below %c without ink spread", report.requiredGrade);
  }
  return out + "; " + readers(zxing, zbar);
}

std::string lineTable(const Report& report) {
  std::string out =
      "line   row   Rmax   Rmin     SC  ECmin   MOD  ERNmax  defects  decod.  QZ left/right (X)  "
      "grade  limited by\n";
  int n = 1;
  for (const ScanLine& l : report.lines) {
    out += print("%4d %5d %6.1f %6.1f %6.1f %6.1f %5.2f %7.1f %8.2f %7.2f %8.1f / %-7.1f %6c  %s\n",
                 n++, l.row, l.rMax, l.rMin, l.symbolContrast, l.edgeContrastMin, l.modulation,
                 l.ernMax, l.defects, l.decodability, l.quietLeftX, l.quietRightX, "FDCBA"[l.grade],
                 std::string(parameterName(l.limitedBy)).c_str());
  }
  out += print("symbol grade %.1f (%c), limited by %s\n", report.grade, report.letter,
               std::string(parameterName(report.limitedBy)).c_str());
  return out;
}

}  // namespace verify

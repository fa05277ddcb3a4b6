#include <algorithm>
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

std::string readers(const Reading& zxing, const Reading& zbar, const Expected& expected) {
  const auto right = [&](const Reading& r) {
    return r.text && (!expected.text || *r.text == *expected.text);
  };
  // Decided on the whole texts, shown cut.
  const auto shown = [&](const std::string& text) {
    std::size_t n = expected.shownLength;
    if (n == 0 || text.size() <= n) return text;
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;  // UTF-8
    return text.substr(0, n) + "\u2026";
  };
  const bool agree = zxing.text && zbar.text && *zxing.text == *zbar.text;
  if (agree && right(zxing)) return "zxing-cpp and zbar read " + shown(*zxing.text);
  if (agree)
    return "zxing-cpp and zbar read " + shown(*zxing.text) + ", not " + shown(*expected.text);
  const std::string because = expected.cause.empty() ? "" : ": " + expected.cause;
  if (!zxing.text && !zbar.text) return "neither zxing-cpp nor zbar reads it" + because;
  auto one = [&](const char* name, const Reading& r) {
    if (!r.text)
      return std::string(name) + " does not read it (" +
             (expected.cause.empty() ? r.why : expected.cause) + ")";
    return std::string(name) + " reads " + shown(*r.text) +
           (right(r) || !expected.text ? "" : ", not " + shown(*expected.text));
  };
  return one("zxing-cpp", zxing) + ", " + one("zbar", zbar);
}

// "X 0.042 mm below the minimum 0.264 mm"; quiet zones only where a line decoded, since
// nothing else says where the symbol ends.
std::string failedChecks(const Report& report) {
  std::string out;
  for (const Check& check : report.checks) {
    if (check.pass) continue;
    const std::size_t open = check.what.find(" (");
    const std::string name = check.what.substr(0, open);
    const bool quiet = name.find("quiet zone") != std::string::npos;
    if (quiet && report.text.empty()) continue;
    const std::string unit = quiet ? " X" : " mm";
    const char* format = name == "X" ? "%.3f" : "%.1f";
    const bool over = check.maximum > 0 && check.measured > check.maximum;
    out += "; " + name + " " + print(format, check.measured) + unit +
           (over ? " above the maximum " : " below the minimum ") +
           print(format, over ? check.maximum : check.minimum) + unit;
  }
  return out;
}

}  // namespace

std::string summaryLine(const Report& report, const Reading& zxing, const Reading& zbar,
                        const Expected& expected) {
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
  return out + failedChecks(report) + "; " + readers(zxing, zbar, expected);
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

std::string checkTable(const Report& report) {
  std::string out = "check                  measured   minimum   maximum  passes\n";
  for (const Check& check : report.checks) {
    const char* format = check.what.starts_with("X ") ? "%9.3f" : "%9.2f";
    out += print("%-21s", check.what.c_str()) + print(format, check.measured) + " " +
           print(format, check.minimum) + " " +
           (check.maximum > 0 ? print(format, check.maximum) : std::string("        -")) +
           (check.pass ? "  yes\n" : "  no\n");
  }
  return out;
}

}  // namespace verify

#pragma once

// Print quality of a linear symbol in an image, graded the way ISO/IEC 15416 grades it:
// ten scans through a synthetic circular aperture, each scan reflectance profile graded
// on every parameter, the symbol grade the mean of the ten. Also the physical checks a
// symbology's rules add (X, bar height, quiet zones) and how much ink spread the symbol
// tolerates before it falls below a required grade.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "verify/image.h"
#include "verify/readers.h"
#include "verify/symbology.h"

namespace verify {

struct GradeOptions {
  double xMm = 0;            // nominal X; 0: the X measured
  double apertureMm = 0;     // 0: defaultApertureMm for the symbology and X
  char requiredGrade = 'C';  // the grade the ink-spread tolerance holds to
  bool spreadSweep = true;
};

// In the order a profile's grade names its limit when two are equally low.
enum class Parameter {
  None,
  Decode,
  SymbolContrast,
  Rmin,
  EdgeContrast,
  Modulation,
  Defects,
  Decodability,
  QuietZone
};
std::string_view parameterName(Parameter parameter);

// One scan reflectance profile. Reflectances in percent.
struct ScanLine {
  int row = 0;
  double rMax = 0;
  double rMin = 0;
  double symbolContrast = 0;
  double globalThreshold = 0;
  double edgeContrastMin = 0;
  double modulation = 0;
  double ernMax = 0;
  double defects = 0;
  double decodability = 0;
  double quietLeftX = 0;  // in X; 0 when the line did not decode
  double quietRightX = 0;
  double modulePx = 0;  // X measured on this line
  bool decoded = false;
  std::string text;             // or why it did not decode
  std::array<int, 8> grades{};  // 4 A … 0 F, Decode to QuietZone
  int grade = 0;
  Parameter limitedBy = Parameter::None;
};

struct SpreadStep {
  double spreadMm = 0;  // bars wider by this much (narrower below zero)
  double grade = 0;
};

// A physical requirement; maximum 0 when there is none.
struct Check {
  std::string what;
  double measured = 0;
  double minimum = 0;
  double maximum = 0;
  bool pass = false;
};

struct Report {
  Symbology symbology = Symbology::Code128;
  std::string why;  // why no symbol was graded; empty when one was
  std::vector<ScanLine> lines;
  double grade = 0;  // 0.0 … 4.0, one decimal
  char letter = 'F';
  Parameter limitedBy = Parameter::None;
  std::string text;  // what the reference decode read
  double xMeasuredMm = 0;
  double xNominalMm = 0;  // as given, else as measured
  double apertureMm = 0;
  double barHeightMm = 0;
  char requiredGrade = 'C';
  std::vector<SpreadStep> spread;  // −0.100 to +0.150 mm in steps of 0.025 mm
  // The spreads either side of none over which the grade stays at or above the required
  // one; empty when even no spread falls short.
  std::optional<std::pair<double, double>> tolerance;
  std::vector<Check> checks;
};

Report grade(const Image& image, Symbology symbology, const GradeOptions& options = {});

// 3.5 and up A, 2.5 B, 1.5 C, 0.5 D, below F.
char gradeLetter(double grade);
double gradeFloor(char letter);

// What the readers should have read, and why they did not where the caller knows.
struct Expected {
  std::optional<std::string> text;  // none: whatever they agree on
  std::string cause;
  std::size_t shownLength = 0;  // texts longer are cut short with "…"; 0: never
};

// "grade A (3.8) at X 0.339 mm, aperture 0.150 mm; C or better from -0.075 to +0.125 mm
// ink spread; zxing-cpp and zbar read 4006381333931", with each failed physical check
// before the readers ("X 0.042 mm below the minimum 0.264 mm").
std::string summaryLine(const Report& report, const Reading& zxing, const Reading& zbar,
                        const Expected& expected = {});
// One row a scan line, with its values and grades.
std::string lineTable(const Report& report);
// One row a physical check: what was measured, its limits, whether it passes.
std::string checkTable(const Report& report);

}  // namespace verify

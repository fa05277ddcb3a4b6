#pragma once

// Every conversion between the devices' units, in one place.

namespace render::units {

inline constexpr double kMmPerInch = 25.4;
inline constexpr double kPointsPerInch = 72;
inline constexpr double kPointsPerMm = kPointsPerInch / kMmPerInch;

constexpr double dotsToMm(double dots, int dpi) { return dots * kMmPerInch / dpi; }
constexpr double mmToDots(double mm, int dpi) { return mm * dpi / kMmPerInch; }
constexpr double mmToPoints(double mm) { return mm * kPointsPerMm; }
constexpr int dotsPerMetre(int dpi) { return static_cast<int>(dpi * 1000 / kMmPerInch + 0.5); }

}  // namespace render::units

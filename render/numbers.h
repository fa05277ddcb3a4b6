#pragma once

// Numbers as the vector files write them.

#include <cmath>
#include <string>

namespace render {

// The smallest step the vector files write: a ten-thousandth of their unit.
inline constexpr double kWrittenStep = 1e-4;

// Appends a number with at most `places` decimals (four unless said),
// without trailing zeros. Whole numbers of ten-thousandths, written by hand:
// a symbol has hundreds of them, and a general float formatter costs more
// than the rest of the file.
inline void appendNumber(std::string& out, double value, int places = 4) {
  long long unit = 1;
  for (int i = 0; i < places; ++i) unit *= 10;
  long long units = std::llround(value * static_cast<double>(unit));
  if (units < 0) {
    out += '-';
    units = -units;
  }
  char digits[32];
  char* end = digits + sizeof digits;
  char* p = end;
  long long whole = units / unit;
  long long fraction = units % unit;
  if (fraction != 0) {
    int shown = places;
    while (fraction % 10 == 0) {
      fraction /= 10;
      --shown;
    }
    for (int i = 0; i < shown; ++i, fraction /= 10) *--p = static_cast<char>('0' + fraction % 10);
    *--p = '.';
  }
  do {
    *--p = static_cast<char>('0' + whole % 10);
    whole /= 10;
  } while (whole != 0);
  out.append(p, static_cast<std::size_t>(end - p));
}

// A size rounded up to what can be written, so the drawing always fits.
inline double roundedUp(double value, double step) { return std::ceil(value / step - 1e-6) * step; }

}  // namespace render

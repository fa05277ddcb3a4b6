#pragma once

// Numbers as the vector files write them.

#include <cmath>
#include <string>

namespace render {

// The smallest step the vector files write: a ten-thousandth of their unit.
inline constexpr double kWrittenStep = 1e-4;

// Appends a number with at most four decimals, without trailing zeros. Whole
// numbers of ten-thousandths, written by hand: a symbol has hundreds of them,
// and a general float formatter costs more than the rest of the file.
inline void appendNumber(std::string& out, double value) {
  long long units = std::llround(value / kWrittenStep);
  if (units < 0) {
    out += '-';
    units = -units;
  }
  char digits[24];
  char* end = digits + sizeof digits;
  char* p = end;
  long long whole = units / 10000;
  int fraction = static_cast<int>(units % 10000);
  if (fraction != 0) {
    int places = 4;
    while (fraction % 10 == 0) {
      fraction /= 10;
      --places;
    }
    for (int i = 0; i < places; ++i, fraction /= 10) *--p = static_cast<char>('0' + fraction % 10);
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

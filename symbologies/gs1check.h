#pragma once

// The GS1 modulo-10 check digit that EAN/UPC numbers, ITF-14 and the GS1
// keys (SSCC, GTIN, GLN) share, and the refusal of a check digit given wrong.
// Standard library only.

#include <cstddef>
#include <string_view>

namespace symbologies {

// Weights 3 and 1 alternate from the rightmost digit, which weighs 3; the
// check digit brings the sum to a multiple of 10. Only ASCII digits are read.
constexpr int gs1CheckDigit(std::string_view digits) {
  int sum = 0;
  for (std::size_t k = 0; k < digits.size(); ++k) {
    const int d = digits[digits.size() - 1 - k] - '0';
    sum += k % 2 == 0 ? 3 * d : d;
  }
  return (10 - sum % 10) % 10;
}

// Check digits printed on products: EAN-13 5901234123457, UPC-A 036000291452,
// EAN-8 96385074, SSCC 106141411234567897.
static_assert(gs1CheckDigit("590123412345") == 7);
static_assert(gs1CheckDigit("03600029145") == 2);
static_assert(gs1CheckDigit("9638507") == 4);
static_assert(gs1CheckDigit("10614141123456789") == 7);

// The check character given is not the one the data calls for.
struct WrongCheckDigit {
  std::size_t position = 0;  // of the check character in the text as given (0-based)
  char32_t given = 0;
  char32_t expected = 0;  // a digit, or "X" for an ISBN-10
};

}  // namespace symbologies

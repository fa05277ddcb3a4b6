#include "symbologies/eanupc/eanupc.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>

#include "symbologies/eanupc/numbersets.h"

namespace eanupc {

namespace {

// Number sets of the six left-half digits, chosen by the first digit of an
// EAN-13 number (ISO/IEC 15420, table of the implied thirteenth digit). A
// first digit of 0 gives all L: a UPC-A symbol.
inline constexpr std::array<std::string_view, 10> kLeftHalfSets = {
    "LLLLLL", "LLGLGG", "LLGGLG", "LLGGGL", "LGLLGG",  // 0-4
    "LGGLLG", "LGGGLL", "LGLGLG", "LGLGGL", "LGGLGL",  // 5-9
};
static_assert(kLeftHalfSets.size() == 10);

// Each starts with L, and each but the first has three G: a different mix for
// every digit.
constexpr bool leftHalfSetsAreConsistent() {
  for (std::size_t d = 0; d < kLeftHalfSets.size(); ++d) {
    const std::string_view sets = kLeftHalfSets[d];
    if (sets.size() != 6 || sets.front() != 'L') return false;
    if (std::count(sets.begin(), sets.end(), 'G') != (d == 0 ? 0 : 3)) return false;
    if (std::count(sets.begin(), sets.end(), 'L') != (d == 0 ? 6 : 3)) return false;
    for (std::size_t e = 0; e < d; ++e)
      if (kLeftHalfSets[e] == sets) return false;
  }
  return true;
}
static_assert(leftHalfSetsAreConsistent());

std::optional<NotADigit> firstNonDigit(std::u32string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i)
    if (!isAsciiDigit(text[i])) return NotADigit{text[i], i};
  return std::nullopt;
}

// Only called on text of ASCII digits.
std::string narrow(std::u32string_view digits) { return std::string(digits.begin(), digits.end()); }

// The 95 modules of twelve encoded digits, the left half in the given sets.
std::string modulesOf(std::string_view digits, std::string_view leftSets) {
  std::string modules;
  modules.reserve(kModules);
  modules += "101";
  for (std::size_t k = 0; k < 12; ++k) {
    if (k == 6) modules += "01010";
    modules += numberSetModules(k >= 6 ? 'R' : leftSets[k], digits[k]);
  }
  modules += "101";
  return modules;
}

}  // namespace

int upcCheckNumber(std::u32string_view text) {
  std::array<int, 21> cells{};
  const std::size_t read = std::min(text.size(), cells.size());
  for (std::size_t i = 0; i < read; ++i)
    if (isAsciiDigit(text[i])) cells[i] = static_cast<int>(text[i] - U'0');
  // Positions counted from 1: odd ones weigh 3. Past an odd length the even
  // sum reads the empty cell after the text, which holds 0.
  int odd = 0, even = 0;
  for (std::size_t i = 1; i <= read; i += 2) {
    odd += cells[i - 1];
    if (i < cells.size()) even += cells[i];
  }
  const int d = 210 - 3 * odd - even;
  return std::abs(d) % 10;  // the last decimal digit of d
}

Encoding encodeEan13(std::u32string_view data) {
  if (data.size() != 12) return WrongLength{data.size(), 12};
  if (const auto bad = firstNonDigit(data)) return *bad;
  std::string number = narrow(data);
  int odd = 0, even = 0;
  for (std::size_t i = 0; i < number.size(); ++i) (i % 2 == 0 ? odd : even) += number[i] - '0';
  number.push_back(static_cast<char>('0' + (10 - (3 * even + odd) % 10) % 10));
  const std::string_view sets = kLeftHalfSets[static_cast<std::size_t>(number.front() - '0')];
  std::string modules = modulesOf(std::string_view(number).substr(1), sets);
  return Symbol{std::move(number), std::move(modules)};
}

Encoding encodeUpcA(std::u32string_view number) {
  const std::u32string_view digits = number.substr(0, 12);
  if (digits.size() != 12) return WrongLength{number.size(), 12};
  if (const auto bad = firstNonDigit(digits)) return *bad;
  std::string text = narrow(digits);
  std::string modules = modulesOf(text, kLeftHalfSets[0]);
  return Symbol{std::move(text), std::move(modules)};
}

}  // namespace eanupc

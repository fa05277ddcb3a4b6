#pragma once

// The seven-module patterns of the EAN/UPC digits, for every symbol of the
// family: EAN-13, UPC-A, EAN-8, UPC-E and the add-ons. Standard library only.

#include <array>
#include <cstddef>
#include <string_view>

namespace eanupc {

// Number sets A (L), B (G) and C (R) of EAN/UPC symbol characters (ISO/IEC
// 15420, symbol character encodation table), by set and digit: seven modules,
// "1" dark, leftmost first. L has odd parity, G even; R is L in negative.
inline constexpr std::array<std::string_view, 30> kNumberSets = {
    "0001101", "0011001", "0010011", "0111101", "0100011",  // 0: L 0-4
    "0110001", "0101111", "0111011", "0110111", "0001011",  // L 5-9
    "0100111", "0110011", "0011011", "0100001", "0011101",  // 10: G 0-4
    "0111001", "0000101", "0010001", "0001001", "0010111",  // G 5-9
    "1110010", "1100110", "1101100", "1000010", "1011100",  // 20: R 0-4
    "1001110", "1010000", "1000100", "1001000", "1110100",  // R 5-9
};
inline constexpr std::size_t kSetL = 0, kSetG = 10, kSetR = 20;

// Every L character is space-bar-space-bar with an odd number of dark
// modules and unlike the others; R is L inverted and G is R read backwards.
constexpr bool numberSetsAreConsistent() {
  for (std::size_t d = 0; d < 10; ++d) {
    const std::string_view l = kNumberSets[kSetL + d], g = kNumberSets[kSetG + d],
                           r = kNumberSets[kSetR + d];
    if (l.size() != 7 || g.size() != 7 || r.size() != 7) return false;
    if (l.front() != '0' || l.back() != '1') return false;
    int dark = 0, runs = 1;
    for (std::size_t i = 0; i < 7; ++i) {
      dark += l[i] == '1';
      if (i > 0 && l[i] != l[i - 1]) ++runs;
      if (r[i] != (l[i] == '1' ? '0' : '1') || g[i] != r[6 - i]) return false;
    }
    if (runs != 4 || dark % 2 == 0) return false;
    for (std::size_t e = 0; e < d; ++e)
      if (kNumberSets[kSetL + e] == l) return false;
  }
  return true;
}
static_assert(numberSetsAreConsistent());

// The modules of a digit ('0' to '9') in set 'L', 'G' or 'R'.
constexpr std::string_view numberSetModules(char set, char digit) {
  const std::size_t first = set == 'G' ? kSetG : set == 'R' ? kSetR : kSetL;
  return kNumberSets[first + static_cast<std::size_t>(digit - '0')];
}

}  // namespace eanupc

#pragma once

// The EAN/UPC family: check digits and the 95 modules of a UPC-A or EAN-13
// symbol. Standard library only; nothing here throws.

#include <cstddef>
#include <string>
#include <string_view>
#include <variant>

#include "symbologies/ascii.h"

namespace eanupc {

// A symbol ready to draw.
struct Symbol {
  std::string number;   // the digits printed under it: 12 for UPC-A, 13 for EAN-13
  std::string modules;  // 95 modules, guards included, "1" dark, leftmost first
};

// The data has the wrong number of characters.
struct WrongLength {
  std::size_t length = 0;
  std::size_t wanted = 0;
};

// The first character that is not one of "0" to "9", and where it stands (0-based).
struct NotADigit {
  char32_t character = 0;
  std::size_t position = 0;
};

using Encoding = std::variant<Symbol, WrongLength, NotADigit>;

inline constexpr std::size_t kModules = 95;

// Digits typed for an EAN-13 and a UPC-A number, the check digit not counted.
inline constexpr std::size_t kEan13DataLength = 12;
inline constexpr std::size_t kUpcADataLength = 11;

// Whether a drawn symbol carries its digits. The program always prints them;
// the bars alone are what a raster of another library is compared with.
enum class Digits { Printed, Omitted };

// Guard bars: start "101", centre "01010", end "101".
constexpr bool isGuardModule(std::size_t module) {
  return module < 3 || (module >= 45 && module < 50) || module >= 92;
}

// Index of the first of the seven modules of encoded digit k (0 to 11).
constexpr std::size_t firstModuleOf(std::size_t k) { return 3 + 7 * k + (k >= 6 ? 5 : 0); }

using symbologies::isAsciiDigit;

// UPC-A check digit of any text: digits at odd positions weigh 3, the others
// 1; any other character counts as 0. Only the first 21 characters are read.
// Past eleven digits the weighted sum can exceed 210, and the result is then
// that sum modulo 10 rather than a check digit.
int upcCheckNumber(std::u32string_view text);

// EAN-13 of twelve data digits: the check digit is appended, and the first
// digit chooses the number sets of the left half.
Encoding encodeEan13(std::u32string_view data);

// UPC-A of the first twelve characters of a number, check digit included.
// The check digit is drawn as given, not verified.
Encoding encodeUpcA(std::u32string_view number);

}  // namespace eanupc

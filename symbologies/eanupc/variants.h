#pragma once

// The EAN/UPC variants real labels carry beside EAN-13 and UPC-A: EAN-8,
// UPC-E, the two- and five-digit add-ons and ISBN numbers as people type
// them. Modules only, "1" dark, leftmost first; drawing is the caller's.
// Standard library only; nothing here throws.

#include <cstddef>
#include <string>
#include <string_view>
#include <variant>

#include "symbologies/eanupc/eanupc.h"
#include "symbologies/gs1check.h"

namespace eanupc {

using symbologies::WrongCheckDigit;

// ---- EAN-8 ----------------------------------------------------------------

inline constexpr std::size_t kEan8Modules = 67;  // 101, four L, 01010, four R, 101

struct Ean8Symbol {
  std::string number;   // eight digits, the check digit last
  std::string modules;  // kEan8Modules
};

using Ean8Encoding = std::variant<Ean8Symbol, WrongLength, NotADigit, WrongCheckDigit>;

// Seven digits, or eight when the last is their check digit. WrongLength
// names 7 as wanted.
Ean8Encoding encodeEan8(std::u32string_view number);

// ---- UPC-E ----------------------------------------------------------------

inline constexpr std::size_t kUpcEModules = 51;  // 101, six digits, 010101

struct UpcESymbol {
  std::string number;   // eight digits: number system, the six encoded, check digit
  std::string upcA;     // the twelve-digit UPC-A it stands for, as expanding readers report it
  std::string modules;  // kUpcEModules
};

// UPC-E carries number system 0 or 1 only.
struct NotNumberSystem01 {
  std::size_t position = 0;
  char32_t digit = 0;
};

// How the manufacturer's part of a UPC-A number (its digits 2 to 6) ends
// decides how many item digits UPC-E has room for.
enum class Manufacturer {
  Ends000To200,  // third digit 0 to 2, then 00: items 0 to 999
  Ends00,        // items 0 to 99
  Ends0,         // items 0 to 9
  EndsOther,     // items 5 to 9 only
};

// A UPC-A number UPC-E cannot carry: the first item digit that does not fit.
struct DoesNotCompress {
  std::size_t position = 0;
  char32_t digit = 0;
  Manufacturer manufacturer = Manufacturer::EndsOther;
};

using UpcEEncoding = std::variant<UpcESymbol, WrongLength, NotADigit, WrongCheckDigit,
                                  NotNumberSystem01, DoesNotCompress>;

// Six digits (number system 0); seven or eight, number system 0 or 1 first and
// with eight the check digit last; or a UPC-A number of eleven digits, or
// twelve with its check digit, that compresses. The check digit is the UPC-A
// one. WrongLength names 6 as wanted.
UpcEEncoding encodeUpcE(std::u32string_view number);

// The UPC-A number, check digit included, of number system '0' or '1' and
// six UPC-E digits.
std::string expandUpcE(char numberSystem, std::string_view six);

// ---- EAN-2 and EAN-5 add-ons ----------------------------------------------

// The add-on stands 7 to 12 modules right of the main symbol (ISO/IEC 15420),
// its bars as tall as the main symbol's and its digits above them: a layout
// matter, like the light margin of 5 modules after it.
inline constexpr std::size_t kAddOnGapMin = 7, kAddOnGapMax = 12;
inline constexpr std::size_t kEan2Modules = 20, kEan5Modules = 47;

struct AddOnSymbol {
  std::string digits;   // two or five
  std::string modules;  // 1011, then the digits with 01 between them
};

// WrongLength names 5 as wanted when more than two digits were given, else 2.
using AddOnEncoding = std::variant<AddOnSymbol, WrongLength, NotADigit>;

AddOnEncoding encodeAddOn(std::u32string_view digits);

// "DATA+DIGITS" taken apart. Views into the text given.
struct AddOnSplit {
  std::u32string_view main;
  std::u32string_view addOn;  // empty when there is no "+"
};

// After the "+" come neither two nor five characters.
struct WrongAddOnLength {
  std::size_t position = 0;  // of the "+"
  std::size_t length = 0;
};

// NotADigit: a character after the "+" that is not a digit (a second "+" too).
// The main part is not looked at.
using AddOnSplitting = std::variant<AddOnSplit, WrongAddOnLength, NotADigit>;

AddOnSplitting splitAddOn(std::u32string_view text);

// ---- ISBN -----------------------------------------------------------------

// An ISBN as the user typed it, ready for encodeEan13.
struct Isbn {
  std::u32string ean13Data;   // the twelve data digits: 978 or 979, then nine
  char ean13Check = '0';      // the EAN-13 check digit of those
  bool fromIsbn10 = false;    // typed as an ISBN-10
  bool hyphenated = false;    // hyphens or spaces were typed
  std::u32string asGiven;     // the number as typed, "ISBN" and outer blanks left off
  std::u32string isbn13Text;  // the 13-digit form with the separators typed (an ISBN-10's
                              // groups keep theirs after "978"), for the line over the bars
};

// An ISBN-13 starts 978 or 979: the first digit that does not.
struct NotBookland {
  std::size_t position = 0;
  char32_t character = 0;
};

// Positions count in the text as given. NotADigit also names a misplaced
// separator or "X"; WrongLength counts digits (and "X"), and names 13.
using IsbnReading = std::variant<Isbn, WrongLength, NotADigit, WrongCheckDigit, NotBookland>;

// ISBN-10 (check character "X" or "x" allowed) or ISBN-13, with or without
// single hyphens or spaces between the characters, an optional "ISBN" (and
// ":") in front. The check character is verified: an ISBN-10's modulo 11, an
// ISBN-13's modulo 10; an ISBN-10 becomes 978, its first nine digits and a
// new check digit.
IsbnReading readIsbn(std::u32string_view text);

}  // namespace eanupc

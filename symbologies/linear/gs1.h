#pragma once

// GS1 element strings typed with their Application Identifiers in
// parentheses, "(01)09501101530003(17)250101(10)ABC", checked against a
// table of common AIs and encoded as GS1-128. Standard library only.

#include <cstddef>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "symbologies/linear/code128sets.h"

namespace linear {

// One AI and its data, as typed.
struct Gs1Element {
  std::string ai;
  std::string data;
  std::size_t position = 0;  // of its "(" in the text
};

enum class Gs1Problem {
  AiExpected,         // here "(", two to four digits and ")" were wanted
  UnknownAi,          // at its first digit: not in the table
  TooShort,           // where the data ends; limit: the length wanted
  TooLong,            // the first character past limit, the longest the AI takes
  NotNumeric,         // a character that is not a digit in a numeric part
  NotInSet82,         // a character outside the GS1 AI encodable character set 82
  WrongCheckDigit,    // the check digit; expected: what it should be
  BadDate,            // the month or the day of a YYMMDD date
  BadTime,            // the hour or the minute of a date and time
  TooManyCharacters,  // the first past limit (48) data characters, separators counted
};

// What was refused and where (0-based in the text as typed).
struct Gs1Refused {
  Gs1Problem problem = Gs1Problem::AiExpected;
  std::size_t position = 0;
  std::string ai;          // the AI whose data is refused, when there is one
  char32_t character = 0;  // the character at the position, 0 past the end
  char32_t expected = 0;   // WrongCheckDigit
  std::size_t limit = 0;   // TooShort, TooLong, TooManyCharacters
};

inline constexpr std::size_t kGs1MaxDataCharacters = 48;

// The elements of the text, each checked: length and character set, the
// check digit of (00), (01), (02), (253), (402), (410) to (417) and (8003),
// the dates (day 00 allowed except in (7003)), and at most 48 data
// characters counting AIs and the FNC1 between fields. A "(" always opens
// the next AI, so data cannot hold one.
std::variant<std::vector<Gs1Element>, Gs1Refused> parseGs1(std::u32string_view text);

// Whether an AI's data has a length fixed for every AI starting with its two
// digits, so no FNC1 has to end its field: 00 to 04, 11 to 20, 31 to 36, 41.
bool hasPredefinedLength(std::string_view ai);

struct Gs1Symbol {
  Code128Symbol code128;  // its label is the humanReadable text
  std::vector<Gs1Element> elements;
  std::string humanReadable;  // "(01)09501101530003(17)250101(10)ABC"
  // What a reader transmits: "]C1", then the AIs and data with GS (0x1D) for
  // each FNC1 after a field that has no predefined length and is not last.
  // zxing-cpp 1.4 (Debian 12) gives the part after "]C1" as text() and "]C1"
  // as symbologyIdentifier(), with no form in parentheses (later releases
  // offer one through their text mode option); zbar 0.23 gives the same data
  // and marks the symbol GS1 in its modifiers.
  std::string transmitted;
};

using Gs1Encoding = std::variant<Gs1Symbol, Gs1Refused, TooLong>;

// Start, FNC1, the element strings with FNC1 where a field needs ending, the
// code sets chosen as encodeCode128Sets does with CodeSet::Auto.
Gs1Encoding encodeGs1128(std::u32string_view text, const Settings& settings);

}  // namespace linear

#pragma once

// Numbered data: "ASSET-{0001..0500}" is ASSET-0001, ASSET-0002, ...
// ASSET-0500. Standard library only.

#include <string>
#include <string_view>
#include <variant>

namespace labels {

struct Sequence {
  std::string prefix, suffix;  // the text around the range, as typed
  long long first = 0, last = 0;
  long long step = 1;  // always positive; the range counts down when last < first
  int width = 0;       // numbers are zero-padded to this many digits

  long long count() const;
  std::string at(long long index) const;  // 0 <= index < count()
};

// The most labels a sequence makes: a typing slip, not a print run, beyond it.
inline constexpr long long kMaxSequence = 10'000'000;

struct SequenceError {
  enum Kind {
    NoRange,     // no {FIRST..LAST} in the text
    TwoRanges,   // more than one
    NotANumber,  // word: a bound or step that is not a whole number
    ZeroStep,    // {1..9..0}
    TooMany,     // count: more than kMaxSequence numbers
  } kind = NoRange;
  std::string word;
  long long count = 0;
};

// PREFIX{FIRST..LAST}SUFFIX or PREFIX{FIRST..LAST..STEP}SUFFIX, as a shell
// expands braces: a bound written with a leading zero pads every number to
// the wider bound's digits; LAST below FIRST counts down.
std::variant<Sequence, SequenceError> parseSequence(std::string_view text);

}  // namespace labels

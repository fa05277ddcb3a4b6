#include "symbologies/linear/code128sets.h"

#include <algorithm>
#include <array>
#include <climits>
#include <compare>

#include "symbologies/linear/code128table.h"

namespace linear {

namespace {

enum Set : int { kSetA, kSetB, kSetC };

constexpr bool isDigit(char32_t c) { return c >= U'0' && c <= U'9'; }

// FNC1 is a symbol character of every code set; A and B share " " to "_".
constexpr bool inSet(char32_t c, int set) {
  if (c == kFnc1) return true;
  if (set == kSetA) return c <= 95;
  if (set == kSetB) return c >= 32 && c <= 127;
  return false;
}

// The value of one character in code set A or B.
constexpr int valueIn(char32_t c, int set) {
  if (c == kFnc1) return code128::kFnc1;
  const int code = static_cast<int>(c);
  return set == kSetA && code < 32 ? code + 64 : code - 32;
}

// Data characters one symbol character of the set takes at i: 2 for a digit
// pair in C, 1, or 0 when the set cannot take the character there.
std::size_t advanceIn(std::u32string_view text, std::size_t i, int set) {
  if (set != kSetC) return inSet(text[i], set) ? 1 : 0;
  if (text[i] == kFnc1) return 1;
  return i + 1 < text.size() && isDigit(text[i]) && isDigit(text[i + 1]) ? 2 : 0;
}

int directValue(std::u32string_view text, std::size_t i, int set) {
  if (set != kSetC || text[i] == kFnc1) return valueIn(text[i], set);
  return static_cast<int>(10 * (text[i] - U'0') + (text[i + 1] - U'0'));
}

// The code set character that changes to a set, the same value in all three.
constexpr std::array<int, 3> kCodeTo = {code128::kCodeA, code128::kCodeB, code128::kCodeC};
constexpr std::array<int, 3> kStartIn = {code128::kStartA, code128::kStartB, code128::kStartC};

// What the shortest encoding does at a position in a set: encode there, shift
// one character into the other of A and B, or change set and encode.
enum class Step : unsigned char { Direct, Shift, ToA, ToB, ToC, None };

// Symbol characters to the end, then, of encodings as short, the fewest
// characters of long digit runs left out of code set C.
struct Cost {
  int symbols = 0;
  int outsideC = 0;
  friend constexpr auto operator<=>(const Cost&, const Cost&) = default;
  constexpr Cost plus(int more, int outside) const { return {symbols + more, outsideC + outside}; }
};

constexpr Cost kNever{INT_MAX / 4, 0};

// Where ties between equally short encodings go, as ISO/IEC 15417's
// guidance and libzint place them: a run of four or more digits goes to code
// set C, all but one digit of an odd run, which is the run's last when the
// data starts with the run (after FNC1 only) and its first elsewhere; an
// FNC1 just before such a run goes with it. A 1 marks what should be in C.
std::vector<unsigned char> longRunMembers(std::u32string_view text) {
  std::vector<unsigned char> member(text.size(), 0);
  for (std::size_t b = 0; b < text.size();) {
    if (!isDigit(text[b])) {
      ++b;
      continue;
    }
    std::size_t e = b;
    while (e < text.size() && isDigit(text[e])) ++e;
    if (e - b >= 4) {
      std::fill(member.begin() + static_cast<std::ptrdiff_t>(b),
                member.begin() + static_cast<std::ptrdiff_t>(e), 1);
      const bool first = std::all_of(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(b),
                                     [](char32_t c) { return c == kFnc1; });
      if ((e - b) % 2 != 0) member[first ? e - 1 : b] = 0;
      if (b > 0 && text[b - 1] == kFnc1) member[b - 1] = 1;
    }
    b = e;
  }
  return member;
}

// Of A and B, the set a tie goes to: A when a control character comes before
// the next lower case letter (or DEL) and the next run for C, as ISO/IEC
// 15417's guidance and libzint choose.
std::vector<unsigned char> preferA(std::u32string_view text,
                                   const std::vector<unsigned char>& member) {
  std::vector<unsigned char> a(text.size() + 1, 0);
  for (std::size_t i = text.size(); i-- > 0;)
    a[i] = text[i] < 32 ? 1 : (text[i] >= 96 && text[i] <= 127) || member[i] ? 0 : a[i + 1];
  return a;
}

// Fewest symbol characters from each position to the end in each set, filled
// from the end. Of equally good steps: stay, or shift one character (unless
// the next needs the other set too); then change set, to C before A and B.
std::vector<int> shortestValues(std::u32string_view text) {
  const std::size_t n = text.size();
  const std::vector<unsigned char> member = longRunMembers(text);
  const std::vector<unsigned char> towardsA = preferA(text, member);
  std::vector<std::array<Cost, 3>> cost(n + 1, {Cost{}, Cost{}, Cost{}});
  std::vector<std::array<Step, 3>> step(n, {Step::None, Step::None, Step::None});
  for (std::size_t i = n; i-- > 0;) {
    const int outside = member[i];
    const std::array<int, 3> order = {kSetC, towardsA[i] ? kSetA : kSetB,
                                      towardsA[i] ? kSetB : kSetA};
    for (int s = kSetA; s <= kSetC; ++s) {
      Cost best = kNever;
      const auto consider = [&](Cost c, Step how) {
        if (c < best) best = c, step[i][s] = how;
      };
      if (const std::size_t a = advanceIn(text, i, s))
        consider(cost[i + a][s].plus(1, s == kSetC ? 0 : outside), Step::Direct);
      const int other = s == kSetA ? kSetB : kSetA;
      const bool shiftable = s != kSetC && !inSet(text[i], s) && inSet(text[i], other);
      const bool nextToo = i + 1 < n && !inSet(text[i + 1], s);
      if (shiftable && !nextToo) consider(cost[i + 1][s].plus(2, outside), Step::Shift);
      for (const int t : order) {
        const std::size_t a = t == s ? 0 : advanceIn(text, i, t);
        const Step to = t == kSetA ? Step::ToA : t == kSetB ? Step::ToB : Step::ToC;
        if (a != 0) consider(cost[i + a][t].plus(2, t == kSetC ? 0 : outside), to);
      }
      if (shiftable && nextToo) consider(cost[i + 1][s].plus(2, outside), Step::Shift);
      cost[i][s] = best;
    }
  }
  // The start: the shortest; of those A or B as a change would go, C last.
  int set = towardsA[0] ? kSetA : kSetB;
  for (const int s : {towardsA[0] ? kSetB : kSetA, kSetC})
    if (cost[0][s] < cost[0][set]) set = s;
  std::vector<int> values{kStartIn[set]};
  values.reserve(n + 2);
  for (std::size_t i = 0; i < n;) {
    const Step s = step[i][set];
    if (s == Step::Shift) {
      values.push_back(code128::kShift);
      values.push_back(valueIn(text[i], set == kSetA ? kSetB : kSetA));
      ++i;
      continue;
    }
    if (s != Step::Direct) {
      set = s == Step::ToA ? kSetA : s == Step::ToB ? kSetB : kSetC;
      values.push_back(kCodeTo[set]);
    }
    values.push_back(directValue(text, i, set));
    i += advanceIn(text, i, set);
  }
  return values;
}

std::variant<std::vector<int>, Rejected, UnpairedDigit> valuesIn(std::u32string_view text,
                                                                 CodeSet codeSet) {
  const int set = codeSet == CodeSet::A ? kSetA : codeSet == CodeSet::C ? kSetC : kSetB;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char32_t c = text[i];
    const bool carried = codeSet == CodeSet::Auto ? inSet(c, kSetA) || inSet(c, kSetB)
                         : set == kSetC           ? c == kFnc1 || isDigit(c)
                                                  : inSet(c, set);
    if (!carried) return Rejected{c, i};
  }
  if (codeSet == CodeSet::Auto) return shortestValues(text);
  std::vector<int> values{kStartIn[set]};
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t a = advanceIn(text, i, set);
    if (a == 0) return UnpairedDigit{i};
    values.push_back(directValue(text, i, set));
    i += a;
  }
  return values;
}

}  // namespace

Code128Encoding encodeCode128Sets(std::u32string_view text, const Settings& settings, CodeSet set) {
  auto found = valuesIn(text, set);
  if (auto* rejected = std::get_if<Rejected>(&found)) return *rejected;
  if (auto* unpaired = std::get_if<UnpairedDigit>(&found)) return *unpaired;
  std::vector<int> values = std::move(std::get<std::vector<int>>(found));

  // The start weighs 1, as does the first data character; then 2, 3, ...
  long long sum = values.front();
  for (std::size_t k = 1; k < values.size(); ++k)
    sum = (sum + static_cast<long long>(values[k]) * static_cast<long long>(k)) % code128::kModulus;
  values.push_back(static_cast<int>(sum));

  ElementBuilder builder(ElementKind::Modules, settings.printSpacing, units::kTwipsPerPixel);
  for (const int value : values) {
    builder.append(code128::kPatterns[static_cast<std::size_t>(value)]);
    if (!builder.fits()) return TooLong{builder.maxX()};
  }
  builder.append(code128::kPatterns[code128::kStop]);
  if (!builder.fits()) return TooLong{builder.maxX()};

  std::u32string label;
  label.reserve(text.size());
  for (const char32_t c : text)
    if (c != kFnc1) label.push_back(c);
  const double labelX = shortLabelX(label.size(), settings);
  Symbol symbol = builder.finish(std::move(label), labelX, values.back());
  return Code128Symbol{std::move(values), std::move(symbol)};
}

Encoding encodeCode128Shortest(std::u32string_view text, const Settings& settings) {
  Code128Encoding encoding = encodeCode128Sets(text, settings, CodeSet::Auto);
  if (auto* symbol = std::get_if<Code128Symbol>(&encoding)) return std::move(symbol->symbol);
  if (auto* rejected = std::get_if<Rejected>(&encoding)) return *rejected;
  if (auto* tooLong = std::get_if<TooLong>(&encoding)) return *tooLong;
  return Rejected{};  // Auto pairs no digits by force
}

}  // namespace linear

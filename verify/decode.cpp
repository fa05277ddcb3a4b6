#include "verify/decode.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <optional>
#include <string_view>
#include <utility>

namespace verify::detail {

namespace {

using Widths = std::vector<double>;

// ---------------------------------------------------------------------------------------
// Two-width symbologies: Code 39, Interleaved 2 of 5, Codabar.
//
// Each character's elements are narrow or wide: its k widest are wide (Code 39 three of
// nine, Interleaved 2 of 5 two of five bars or spaces, Codabar two or three of seven).
// Decodability, after the two-width decodability of ISO/IEC 16388 (Code 39), ISO/IEC
// 16390 (Interleaved 2 of 5) and EN 798 (Codabar), which ISO/IEC 15416 takes up: the
// reference threshold RT lies halfway between the character's average narrow element A_n
// and average wide element A_w; what is left of the margin on each side, over the margin
// a perfect character has, is
//   V_C = min((RT − e) / (RT − A_n), (E − RT) / (A_w − RT))
// with e the widest narrow element and E the narrowest wide one. V is the lowest V_C.
// ---------------------------------------------------------------------------------------

struct TwoWidth {
  std::string pattern;  // '1' wide, '0' narrow, element by element
  double decodability = 0;
  double ratio = 0;  // narrowest wide over widest narrow: how clearly the two widths part
};

TwoWidth classify(const Widths& w, std::size_t from, int count, int step, int wide) {
  std::vector<std::pair<double, int>> order;
  for (int k = 0; k < count; ++k)
    order.push_back({w[from + static_cast<std::size_t>(k * step)], k});
  std::sort(order.begin(), order.end(), [](auto a, auto b) { return a.first > b.first; });
  TwoWidth out;
  out.pattern.assign(static_cast<std::size_t>(count), '0');
  double narrowSum = 0, wideSum = 0;
  for (int k = 0; k < count; ++k) {
    if (k < wide) {
      out.pattern[static_cast<std::size_t>(order[static_cast<std::size_t>(k)].second)] = '1';
      wideSum += order[static_cast<std::size_t>(k)].first;
    } else {
      narrowSum += order[static_cast<std::size_t>(k)].first;
    }
  }
  const double narrowMean = narrowSum / (count - wide);
  const double wideMean = wideSum / wide;
  const double e = order[static_cast<std::size_t>(wide)].first;         // widest narrow
  const double bigE = order[static_cast<std::size_t>(wide - 1)].first;  // narrowest wide
  const double rt = (narrowMean + wideMean) / 2;
  out.ratio = e > 0 ? bigE / e : 1e9;
  if (wideMean - rt <= 0) return out;
  out.decodability =
      std::max(0.0, std::min((rt - e) / (rt - narrowMean), (bigE - rt) / (wideMean - rt)));
  return out;
}

template <std::size_t N>
std::optional<char> lookup(const std::array<std::pair<char, std::string_view>, N>& table,
                           const std::string& pattern) {
  for (const auto& [c, p] : table)
    if (p == pattern) return c;
  return std::nullopt;
}

// ISO/IEC 16388, the symbol character table: bars and spaces alternately, 1 wide.
inline constexpr std::array<std::pair<char, std::string_view>, 44> kCode39{{
    {'0', "000110100"}, {'1', "100100001"}, {'2', "001100001"}, {'3', "101100000"},
    {'4', "000110001"}, {'5', "100110000"}, {'6', "001110000"}, {'7', "000100101"},
    {'8', "100100100"}, {'9', "001100100"}, {'A', "100001001"}, {'B', "001001001"},
    {'C', "101001000"}, {'D', "000011001"}, {'E', "100011000"}, {'F', "001011000"},
    {'G', "000001101"}, {'H', "100001100"}, {'I', "001001100"}, {'J', "000011100"},
    {'K', "100000011"}, {'L', "001000011"}, {'M', "101000010"}, {'N', "000010011"},
    {'O', "100010010"}, {'P', "001010010"}, {'Q', "000000111"}, {'R', "100000110"},
    {'S', "001000110"}, {'T', "000010110"}, {'U', "110000001"}, {'V', "011000001"},
    {'W', "111000000"}, {'X', "010010001"}, {'Y', "110010000"}, {'Z', "011010000"},
    {'-', "010000101"}, {'.', "110000100"}, {' ', "011000100"}, {'*', "010010100"},
    {'$', "010101000"}, {'/', "010100010"}, {'+', "010001010"}, {'%', "000101010"},
}};

// ISO/IEC 16390, the digits' five elements (bars of the first, spaces of the second).
inline constexpr std::array<std::pair<char, std::string_view>, 10> kTwoOfFive{{
    {'0', "00110"},
    {'1', "10001"},
    {'2', "01001"},
    {'3', "11000"},
    {'4', "00101"},
    {'5', "10100"},
    {'6', "01100"},
    {'7', "00011"},
    {'8', "10010"},
    {'9', "01010"},
}};

// EN 798, the character table: four bars and three spaces alternately.
inline constexpr std::array<std::pair<char, std::string_view>, 20> kCodabar{{
    {'0', "0000011"}, {'1', "0000110"}, {'2', "0001001"}, {'3', "1100000"}, {'4', "0010010"},
    {'5', "1000010"}, {'6', "0100001"}, {'7', "0100100"}, {'8', "0110000"}, {'9', "1001000"},
    {'-', "0001100"}, {'$', "0011000"}, {':', "1000101"}, {'/', "1010001"}, {'.', "1010100"},
    {'+', "0010101"}, {'A', "0011010"}, {'B', "0101001"}, {'C', "0001011"}, {'D', "0001110"},
}};

// X of a two-width symbol: the mean of its narrow bars and of its narrow spaces, so ink
// spread (bars wider, spaces narrower by the same) cancels out.
struct NarrowMeans {
  double bars = 0, spaces = 0;
  int barCount = 0, spaceCount = 0;
  void add(const Widths& w, std::size_t from, int count, int step, const std::string& pattern) {
    for (int k = 0; k < count; ++k) {
      if (pattern[static_cast<std::size_t>(k)] == '1') continue;
      const std::size_t i = from + static_cast<std::size_t>(k * step);
      if (i % 2 == 1) {  // bars sit at odd indices
        bars += w[i];
        ++barCount;
      } else {
        spaces += w[i];
        ++spaceCount;
      }
    }
  }
  double module() const {
    if (barCount == 0 || spaceCount == 0)
      return (bars + spaces) / std::max(1, barCount + spaceCount);
    return (bars / barCount + spaces / spaceCount) / 2;
  }
};

struct Attempt {
  Decoded decoded;
  int progress = 0;  // characters read before it failed
};

Attempt fail(std::string why, int progress) {
  Attempt a;
  a.decoded.why = std::move(why);
  a.progress = progress;
  return a;
}

Attempt decodeCode39(const Widths& w, std::size_t i) {
  if (i + 9 >= w.size()) return fail("no start character", 0);
  TwoWidth c = classify(w, i, 9, 1, 3);
  if (lookup(kCode39, c.pattern) != '*') return fail("no start character", 0);
  Attempt a;
  NarrowMeans narrow;
  narrow.add(w, i, 9, 1, c.pattern);
  double v = c.decodability;
  std::string text;
  for (std::size_t j = i + 10;; j += 10) {
    if (j + 9 >= w.size()) return fail("no stop character", 1 + static_cast<int>(text.size()));
    c = classify(w, j, 9, 1, 3);
    const std::optional<char> ch = lookup(kCode39, c.pattern);
    if (!ch)
      return fail("character " + std::to_string(text.size() + 1) + " is not Code 39",
                  1 + static_cast<int>(text.size()));
    narrow.add(w, j, 9, 1, c.pattern);
    v = std::min(v, c.decodability);
    if (*ch == '*') {
      a.decoded.last = j + 8;
      break;
    }
    text += *ch;
  }
  a.decoded.ok = true;
  a.decoded.text = std::move(text);
  a.decoded.first = i;
  a.decoded.decodability = v;
  a.decoded.modulePx = narrow.module();
  return a;
}

int gs1CheckDigit(std::string_view digits) {
  int sum = 0;
  int weight = 3;
  for (auto it = digits.rbegin(); it != digits.rend(); ++it, weight = 4 - weight)
    sum += (*it - '0') * weight;
  return (10 - sum % 10) % 10;
}

bool gs1CheckOk(std::string_view digits) {
  return !digits.empty() &&
         gs1CheckDigit(digits.substr(0, digits.size() - 1)) == digits.back() - '0';
}

Attempt decodeTwoOfFive(const Widths& w, std::size_t i, bool itf14) {
  if (i + 4 >= w.size()) return fail("no start pattern", 0);
  Attempt a;
  NarrowMeans narrow;
  double v = 1;
  std::string digits;
  double firstBarRt = 0, firstSpaceRt = 0, lastBarRt = 0, lastSpaceRt = 0;
  auto threshold = [&](std::size_t from, const std::string& pattern) {
    double n = 0, wd = 0;
    for (int k = 0; k < 5; ++k)
      (pattern[static_cast<std::size_t>(k)] == '1' ? wd : n) +=
          w[from + 2 * static_cast<std::size_t>(k)];
    return (n / 3 + wd / 2) / 2;
  };
  std::size_t j = i + 4;
  for (;; j += 10) {
    if (j + 3 >= w.size()) return fail("no stop pattern", static_cast<int>(digits.size()));
    const double narrowRef = std::max(w[j + 1], w[j + 2]);
    const bool stop =
        w[j] > 1.5 * narrowRef && (j + 3 == w.size() - 1 || w[j + 3] >= 4 * narrowRef);
    if (stop) break;
    if (j + 10 >= w.size()) return fail("no stop pattern", static_cast<int>(digits.size()));
    const TwoWidth bars = classify(w, j, 5, 2, 2);
    const TwoWidth spaces = classify(w, j + 1, 5, 2, 2);
    const std::optional<char> d1 = lookup(kTwoOfFive, bars.pattern);
    const std::optional<char> d2 = lookup(kTwoOfFive, spaces.pattern);
    if (!d1 || !d2)
      return fail("digit pair " + std::to_string(digits.size() / 2 + 1) + " is not 2 of 5",
                  static_cast<int>(digits.size()));
    lastBarRt = threshold(j, bars.pattern);
    lastSpaceRt = threshold(j + 1, spaces.pattern);
    if (digits.empty()) {
      firstBarRt = lastBarRt;
      firstSpaceRt = lastSpaceRt;
    }
    narrow.add(w, j, 5, 2, bars.pattern);
    narrow.add(w, j + 1, 5, 2, spaces.pattern);
    v = std::min({v, bars.decodability, spaces.decodability});
    digits += *d1;
    digits += *d2;
  }
  if (digits.empty()) return fail("no digits", 0);
  // Start: four narrow elements; stop: wide bar, narrow space, narrow bar.
  if (w[i] >= firstBarRt || w[i + 2] >= firstBarRt || w[i + 1] >= firstSpaceRt ||
      w[i + 3] >= firstSpaceRt)
    return fail("no start pattern", 0);
  if (w[j] <= lastBarRt || w[j + 1] >= lastSpaceRt || w[j + 2] >= lastBarRt)
    return fail("no stop pattern", static_cast<int>(digits.size()));
  if (itf14 && digits.size() != 14)
    return fail(std::to_string(digits.size()) + " digits, not 14", static_cast<int>(digits.size()));
  if (itf14 && !gs1CheckOk(digits))
    return fail("wrong check digit", static_cast<int>(digits.size()));
  a.decoded.ok = true;
  a.decoded.text = std::move(digits);
  a.decoded.first = i;
  a.decoded.last = j + 2;
  a.decoded.decodability = v;
  a.decoded.modulePx = narrow.module();
  return a;
}

// Codabar characters have two or three wide elements: the split with the clearer gap.
std::optional<std::pair<char, TwoWidth>> codabarCharacter(const Widths& w, std::size_t from) {
  std::optional<std::pair<char, TwoWidth>> best;
  for (int wide : {2, 3}) {
    TwoWidth c = classify(w, from, 7, 1, wide);
    const std::optional<char> ch = lookup(kCodabar, c.pattern);
    if (ch && (!best || c.ratio > best->second.ratio)) best = std::pair{*ch, std::move(c)};
  }
  return best;
}

bool isCodabarEnd(char c) { return c >= 'A' && c <= 'D'; }

Attempt decodeCodabar(const Widths& w, std::size_t i) {
  if (i + 7 >= w.size()) return fail("no start character", 0);
  auto c = codabarCharacter(w, i);
  if (!c || !isCodabarEnd(c->first)) return fail("no start character", 0);
  Attempt a;
  NarrowMeans narrow;
  narrow.add(w, i, 7, 1, c->second.pattern);
  double v = c->second.decodability;
  std::string text(1, c->first);
  for (std::size_t j = i + 8;; j += 8) {
    if (j + 7 >= w.size()) return fail("no stop character", static_cast<int>(text.size()));
    c = codabarCharacter(w, j);
    if (!c)
      return fail("character " + std::to_string(text.size() + 1) + " is not Codabar",
                  static_cast<int>(text.size()));
    narrow.add(w, j, 7, 1, c->second.pattern);
    v = std::min(v, c->second.decodability);
    text += c->first;
    if (isCodabarEnd(c->first)) {
      a.decoded.last = j + 6;
      break;
    }
  }
  a.decoded.ok = true;
  a.decoded.text = std::move(text);
  a.decoded.first = i;
  a.decoded.decodability = v;
  a.decoded.modulePx = narrow.module();
  return a;
}

// ---------------------------------------------------------------------------------------
// Code 128, after the reference decode algorithm of ISO/IEC 15417: a character's width p
// and its four edge-to-similar-edge distances e1..e4 (bar plus space, space plus bar, ...)
// are turned into whole modules, E_i = j when (j − 0.5) p/11 <= e_i < (j + 0.5) p/11 for j
// of 2 to 7, and the four E_i name the character; its bars must then add up to the
// table's bar modules within 1.75 modules. Decodability, the (n, k) form of that standard
// and ISO/IEC 15416: the smallest distance K of an e_i from its reference thresholds
// (j ± 0.5) p/11, over half a module: V_C = K / (p/22) = 1 − 2 max |e_i·11/p − E_i|.
// Ink spread moves a bar's two edges apart by the same amount, so it leaves e_i alone.
// ---------------------------------------------------------------------------------------

struct Code128Char {
  int value = -1;
  double decodability = 0;
  double width = 0;
};

const std::array<short, 1296>& code128Index() {
  static const std::array<short, 1296> index = [] {
    std::array<short, 1296> t{};
    t.fill(-1);
    for (std::size_t v = 0; v < kCode128.size(); ++v) {
      const auto& m = kCode128[v];
      int key = 0;
      for (int k = 0; k < 4; ++k)
        key = key * 6 + (m[static_cast<std::size_t>(k)] + m[static_cast<std::size_t>(k + 1)] - 2);
      t[static_cast<std::size_t>(key)] = static_cast<short>(v);
    }
    return t;
  }();
  return index;
}

Code128Char code128Character(const Widths& w, std::size_t j) {
  Code128Char c;
  double p = 0;
  for (std::size_t k = 0; k < 6; ++k) p += w[j + k];
  if (p <= 0) return c;
  c.width = p;
  int key = 0;
  double worst = 0;
  for (std::size_t k = 0; k < 4; ++k) {
    const double e = (w[j + k] + w[j + k + 1]) * 11 / p;
    const int whole = static_cast<int>(std::floor(e + 0.5));
    if (whole < 2 || whole > 7) return c;
    worst = std::max(worst, std::abs(e - whole));
    key = key * 6 + (whole - 2);
  }
  const short value = code128Index()[static_cast<std::size_t>(key)];
  if (value < 0) return c;
  const auto& m = kCode128[static_cast<std::size_t>(value)];
  const double bars = (w[j] + w[j + 2] + w[j + 4]) * 11 / p;
  if (std::abs(bars - (m[0] + m[2] + m[4])) >= 1.75) return c;
  c.value = value;
  c.decodability = std::max(0.0, 1 - 2 * worst);
  return c;
}

std::optional<std::string> code128Text(const std::vector<int>& values, bool& gs1) {
  int set = values[0] - 103;  // 0 A, 1 B, 2 C
  gs1 = values.size() > 2 && values[1] == 102;
  std::string text;
  bool shift = false;
  bool high = false;  // FNC4: the next character is from the upper half of Latin-1
  auto put = [&](int c) {
    text += static_cast<char>(high ? c + 128 : c);
    high = false;
  };
  for (std::size_t k = 1; k + 1 < values.size(); ++k) {
    const int v = values[k];
    const int current = shift ? 1 - set : set;
    shift = false;
    if (v == 102) {  // FNC1: marks GS1 first, separates fields after
      if (k > 1 && gs1) text += '\x1d';
      continue;
    }
    if (current == 2) {
      if (v < 100) {
        text += static_cast<char>('0' + v / 10);
        text += static_cast<char>('0' + v % 10);
      } else if (v == 100) {
        set = 1;
      } else if (v == 101) {
        set = 0;
      } else {
        return std::nullopt;
      }
      continue;
    }
    if (v < 64) {
      put(32 + v);
    } else if (v < 96) {
      put(current == 0 ? v - 64 : 32 + v);
    } else if (v == 98) {
      shift = true;
    } else if (v == 99) {
      set = 2;
    } else if (v == 100) {
      if (current == 0)
        set = 1;
      else
        high = true;
    } else if (v == 101) {
      if (current == 1)
        set = 0;
      else
        high = true;
    } else if (v >= 103) {
      return std::nullopt;
    }  // FNC2 and FNC3 carry no data
  }
  return text;
}

double position(const Widths& w, std::size_t index) {
  return std::accumulate(w.begin(), w.begin() + static_cast<std::ptrdiff_t>(index), 0.0);
}

Attempt decodeCode128(const Widths& w, std::size_t i, bool wantGs1) {
  if (i + 6 >= w.size()) return fail("no start character", 0);
  Code128Char c = code128Character(w, i);
  if (c.value < 103 || c.value > 105) return fail("no start character", 0);
  std::vector<int> values{c.value};
  double v = c.decodability;
  std::size_t j = i + 6;
  for (;; j += 6) {
    if (j + 7 >= w.size()) return fail("no stop character", static_cast<int>(values.size()));
    c = code128Character(w, j);
    if (c.value < 0)
      return fail("character " + std::to_string(values.size()) + " is not Code 128",
                  static_cast<int>(values.size()));
    v = std::min(v, c.decodability);
    if (c.value == 106) break;
    values.push_back(c.value);
  }
  // The stop ends with a bar two modules wide.
  const double end = w[j + 6] * 11 / c.width;
  if (end < 1.0 || end > 3.0) return fail("no stop character", static_cast<int>(values.size()));
  const int n = static_cast<int>(values.size());
  if (n < 2) return fail("no check character", n);
  int sum = values[0];
  for (int k = 1; k + 1 < n; ++k) sum += k * values[static_cast<std::size_t>(k)];
  if (sum % 103 != values.back()) return fail("wrong check character", n);
  bool gs1 = false;
  std::optional<std::string> text = code128Text(values, gs1);
  if (!text) return fail("a start character inside the symbol", n);
  if (wantGs1 && !gs1) return fail("no FNC1 after the start: not GS1-128", n);
  Attempt a;
  a.decoded.ok = true;
  a.decoded.text = std::move(*text);
  a.decoded.first = i;
  a.decoded.last = j + 6;
  a.decoded.decodability = v;
  // From the first bar's leading edge to the stop's last bar: 11 modules a character.
  a.decoded.modulePx = (position(w, j + 6) - position(w, i)) / (11.0 * n + 11.0);
  return a;
}

// ---------------------------------------------------------------------------------------
// EAN/UPC, after the reference decode algorithm of ISO/IEC 15420: a character's width p
// (seven modules) and its two edge-to-similar-edge distances T1 (first plus second
// element) and T2 (second plus third) become whole modules 2 to 5 at thresholds
// (j ± 0.5) p/7, which name the digit and its parity, except for 1/7 and 2/8, which share
// T1 and T2 and are told apart by the width of their two bars (three modules against
// five in set A, four against two in sets B and C: the threshold lies halfway).
// Decodability, as that standard defines it: V_C = K / (p/14) for the smallest margin K
// of T1 and T2 to their thresholds, and for 1, 2, 7 and 8 also the margin of the bars to
// their threshold over its ideal, one module. The bars' margin is the only one that ink
// spread moves.
// ---------------------------------------------------------------------------------------

// ISO/IEC 15420, number set A: space, bar, space, bar in modules. Set B is each reversed;
// set C (the right half) is set A with bars and spaces swapped.
inline constexpr std::array<std::array<int, 4>, 10> kSetA{{
    {3, 2, 1, 1},
    {2, 2, 2, 1},
    {2, 1, 2, 2},
    {1, 4, 1, 1},
    {1, 1, 3, 2},
    {1, 2, 3, 1},
    {1, 1, 1, 4},
    {1, 3, 1, 2},
    {1, 2, 1, 3},
    {3, 1, 1, 2},
}};

// The first digit of an EAN-13 from which left-half digits are of set B (bit 5 the first).
inline constexpr std::array<int, 10> kEan13Parity{0b000000, 0b001011, 0b001101, 0b001110, 0b010011,
                                                  0b011001, 0b011100, 0b010101, 0b010110, 0b011010};

// UPC-E, number system 0: the check digit from which of the six digits are of set B
// (bit 5 the first); number system 1 is the complement.
inline constexpr std::array<int, 10> kUpcEParity{0b111000, 0b110100, 0b110010, 0b110001, 0b101100,
                                                 0b100110, 0b100011, 0b101010, 0b101001, 0b100101};

struct EanChar {
  int digit = -1;
  bool setB = false;
  double decodability = 0;
};

EanChar eanCharacter(const Widths& w, std::size_t j, bool leftHalf, bool allowSetB) {
  EanChar out;
  const double p = w[j] + w[j + 1] + w[j + 2] + w[j + 3];
  if (p <= 0) return out;
  const double t1 = (w[j] + w[j + 1]) * 7 / p;
  const double t2 = (w[j + 1] + w[j + 2]) * 7 / p;
  const int whole1 = static_cast<int>(std::floor(t1 + 0.5));
  const int whole2 = static_cast<int>(std::floor(t2 + 0.5));
  if (whole1 < 2 || whole1 > 5 || whole2 < 2 || whole2 > 5) return out;
  double v = std::max(0.0, 1 - 2 * std::max(std::abs(t1 - whole1), std::abs(t2 - whole2)));

  struct Candidate {
    int digit;
    bool setB;
    int bars;
  };
  std::vector<Candidate> found;
  for (int b = 0; b < (leftHalf && allowSetB ? 2 : 1); ++b) {
    for (int d = 0; d < 10; ++d) {
      std::array<int, 4> m = kSetA[static_cast<std::size_t>(d)];
      if (b == 1) std::reverse(m.begin(), m.end());
      if (m[0] + m[1] != whole1 || m[1] + m[2] != whole2) continue;
      // Left half: space first, bars second and fourth; right half: bars first and third.
      found.push_back({d, b == 1, leftHalf ? m[1] + m[3] : m[0] + m[2]});
    }
  }
  if (found.empty()) return out;
  Candidate pick = found[0];
  if (found.size() == 2) {
    const double bars = (leftHalf ? w[j + 1] + w[j + 3] : w[j] + w[j + 2]) * 7 / p;
    const double threshold = (found[0].bars + found[1].bars) / 2.0;
    const double ideal = std::abs(found[0].bars - found[1].bars) / 2.0;
    pick = (bars < threshold) == (found[0].bars < threshold) ? found[0] : found[1];
    v = std::min(v, std::min(1.0, std::abs(bars - threshold) / ideal));
  }
  out.digit = pick.digit;
  out.setB = pick.setB;
  out.decodability = v;
  return out;
}

std::string upcEToUpcA(const std::string& e) {
  // e: number system, six digits, check.
  const std::string d = e.substr(1, 6);
  std::string body;
  switch (d[5]) {
    case '0':
    case '1':
    case '2':
      body = d.substr(0, 2) + d[5] + "0000" + d.substr(2, 3);
      break;
    case '3':
      body = d.substr(0, 3) + "00000" + d.substr(3, 2);
      break;
    case '4':
      body = d.substr(0, 4) + "00000" + d[4];
      break;
    default:
      body = d.substr(0, 5) + "0000" + d[5];
      break;
  }
  return e[0] + body + e[7];
}

Attempt decodeEan(const Widths& w, std::size_t i, Symbology symbology) {
  const bool upcE = symbology == Symbology::UpcE;
  const int leftDigits = symbology == Symbology::Ean8 ? 4 : 6;
  const int rightDigits = upcE ? 0 : leftDigits;
  const std::size_t endGuard = upcE ? 6 : 3;
  const std::size_t count = 3 + 4 * static_cast<std::size_t>(leftDigits) + (upcE ? 0 : 5) +
                            4 * static_cast<std::size_t>(rightDigits) + endGuard;
  const double modules = upcE ? 50 : (symbology == Symbology::Ean8 ? 66 : 94);
  if (i + count >= w.size()) return fail("no guard pattern", 0);
  const double x = (position(w, i + count - 1) - position(w, i)) / modules;
  auto guard = [&](std::size_t from, std::size_t n) {
    for (std::size_t k = 0; k < n; ++k)
      if (w[from + k] <= 0 || w[from + k] >= 2 * x) return false;
    return true;
  };
  if (!guard(i, 3)) return fail("no guard pattern", 0);
  std::string digits;
  int parity = 0;
  double v = 1;
  std::size_t j = i + 3;
  for (int k = 0; k < leftDigits; ++k, j += 4) {
    const EanChar c = eanCharacter(w, j, true, symbology != Symbology::Ean8);
    if (c.digit < 0) return fail("digit " + std::to_string(k + 1) + " is not EAN/UPC", k);
    digits += static_cast<char>('0' + c.digit);
    parity = parity << 1 | (c.setB ? 1 : 0);
    v = std::min(v, c.decodability);
  }
  if (!upcE) {
    if (!guard(j, 5)) return fail("no centre guard", leftDigits);
    j += 5;
    for (int k = 0; k < rightDigits; ++k, j += 4) {
      const EanChar c = eanCharacter(w, j, false, false);
      if (c.digit < 0)
        return fail("digit " + std::to_string(leftDigits + k + 1) + " is not EAN/UPC",
                    leftDigits + k);
      digits += static_cast<char>('0' + c.digit);
      v = std::min(v, c.decodability);
    }
  }
  if (!guard(j, endGuard)) return fail("no end guard", leftDigits + rightDigits);
  const int all = leftDigits + rightDigits;
  std::string text;
  if (symbology == Symbology::Ean8) {
    if (parity != 0) return fail("set B digits in an EAN-8", all);
    text = digits;
  } else if (upcE) {
    for (int ns = 0; ns < 2 && text.empty(); ++ns)
      for (int check = 0; check < 10; ++check)
        if ((ns == 0 ? kUpcEParity[static_cast<std::size_t>(check)]
                     : 0b111111 ^ kUpcEParity[static_cast<std::size_t>(check)]) == parity)
          text =
              std::string(1, static_cast<char>('0' + ns)) + digits + static_cast<char>('0' + check);
    if (text.empty()) return fail("no UPC-E parity pattern", all);
    if (!gs1CheckOk(upcEToUpcA(text))) return fail("wrong check digit", all);
  } else {
    const auto first = std::find(kEan13Parity.begin(), kEan13Parity.end(), parity);
    if (first == kEan13Parity.end()) return fail("no EAN-13 parity pattern", all);
    text = static_cast<char>('0' + (first - kEan13Parity.begin())) + digits;
    if (symbology == Symbology::UpcA) {
      if (text[0] != '0') return fail("an EAN-13 that is not a UPC-A", all);
      text.erase(0, 1);
    }
  }
  if (!upcE && !gs1CheckOk(text)) return fail("wrong check digit", all);
  Attempt a;
  a.decoded.ok = true;
  a.decoded.text = std::move(text);
  a.decoded.first = i;
  a.decoded.last = i + count - 1;
  a.decoded.decodability = v;
  a.decoded.modulePx = x;
  return a;
}

Attempt decodeAt(Symbology symbology, const Widths& w, std::size_t i) {
  switch (symbology) {
    case Symbology::Code39:
      return decodeCode39(w, i);
    case Symbology::Interleaved2of5:
      return decodeTwoOfFive(w, i, false);
    case Symbology::Itf14:
      return decodeTwoOfFive(w, i, true);
    case Symbology::Codabar:
      return decodeCodabar(w, i);
    case Symbology::Code128:
      return decodeCode128(w, i, false);
    case Symbology::Gs1_128:
      return decodeCode128(w, i, true);
    case Symbology::Ean13:
    case Symbology::UpcA:
    case Symbology::Ean8:
    case Symbology::UpcE:
      return decodeEan(w, i, symbology);
  }
  return fail("unknown symbology", 0);
}

// Every bar with a space before it may start the symbol; the first that reads wins.
Attempt scan(Symbology symbology, const Widths& w) {
  Attempt best = fail("no bars", -1);
  for (std::size_t i = 1; i + 1 < w.size(); i += 2) {
    Attempt a = decodeAt(symbology, w, i);
    if (a.decoded.ok) return a;
    if (a.progress > best.progress) best = std::move(a);
  }
  return best;
}

}  // namespace

Decoded referenceDecode(Symbology symbology, const std::vector<double>& widths) {
  Attempt forward = scan(symbology, widths);
  if (forward.decoded.ok) return forward.decoded;
  const Widths reversed(widths.rbegin(), widths.rend());
  Attempt backward = scan(symbology, reversed);
  if (backward.decoded.ok) {
    Decoded d = backward.decoded;
    const std::size_t n = widths.size() - 1;
    d.first = n - backward.decoded.last;
    d.last = n - backward.decoded.first;
    return d;
  }
  return backward.progress > forward.progress ? backward.decoded : forward.decoded;
}

}  // namespace verify::detail

#include "symbologies/eanupc/variants.h"

#include <algorithm>
#include <array>
#include <optional>

#include "symbologies/eanupc/numbersets.h"

namespace eanupc {

namespace {

std::optional<NotADigit> firstNonDigit(std::u32string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i)
    if (!isAsciiDigit(text[i])) return NotADigit{text[i], i};
  return std::nullopt;
}

// Only called on text of ASCII digits.
std::string narrow(std::u32string_view digits) { return std::string(digits.begin(), digits.end()); }

char checkDigitOf(std::string_view digits) {
  return static_cast<char>('0' + symbologies::gs1CheckDigit(digits));
}

// Each digit in the set its letter names.
void appendDigits(std::string& modules, std::string_view digits, std::string_view sets) {
  for (std::size_t k = 0; k < digits.size(); ++k) modules += numberSetModules(sets[k], digits[k]);
}

// UPC-E number system 0: the sets of the six digits by the check digit
// (ISO/IEC 15420, UPC-E parity table); number system 1 swaps L and G. The
// last five letters are the EAN-5 sets by its check value.
inline constexpr std::array<std::string_view, 10> kUpcESets = {
    "GGGLLL", "GGLGLL", "GGLLGL", "GGLLLG", "GLGGLL",  // 0-4
    "GLLGGL", "GLLLGG", "GLGLGL", "GLGLLG", "GLLGLG",  // 5-9
};

// EAN-2: the sets by the add-on's value modulo 4.
inline constexpr std::array<std::string_view, 4> kEan2Sets = {"LL", "LG", "GL", "GG"};

// Three G in each, after a G; ten mixes, so the sets carry the check digit.
// EAN-2 takes the four mixes of two.
constexpr bool setTablesAreConsistent() {
  for (std::size_t d = 0; d < kUpcESets.size(); ++d) {
    const std::string_view sets = kUpcESets[d];
    if (sets.size() != 6 || sets.front() != 'G') return false;
    if (std::count(sets.begin(), sets.end(), 'G') != 3) return false;
    if (std::count(sets.begin(), sets.end(), 'L') != 3) return false;
    for (std::size_t e = 0; e < d; ++e)
      if (kUpcESets[e] == sets) return false;
  }
  for (std::size_t v = 0; v < kEan2Sets.size(); ++v)
    if (kEan2Sets[v][0] != (v < 2 ? 'L' : 'G') || kEan2Sets[v][1] != (v % 2 == 0 ? 'L' : 'G'))
      return false;
  return true;
}
static_assert(setTablesAreConsistent());

// The six UPC-E digits of an eleven-digit UPC-A number, or the first item
// digit that leaves no room. Digits 1 to 5 are the manufacturer's, 6 to 10
// the item's (0-based).
std::variant<std::string, DoesNotCompress> compress(std::string_view upcA) {
  const std::string_view m = upcA.substr(1, 5), p = upcA.substr(6, 5);
  // The item digits that must be 0, and what the rest of the manufacturer's
  // code leaves of the item number.
  std::size_t zeros = 4;
  Manufacturer shape = Manufacturer::EndsOther;
  std::string six;
  if (m[3] == '0' && m[4] == '0' && m[2] <= '2') {
    zeros = 2, shape = Manufacturer::Ends000To200;
    six = {m[0], m[1], p[2], p[3], p[4], m[2]};
  } else if (m[3] == '0' && m[4] == '0') {
    zeros = 3, shape = Manufacturer::Ends00;
    six = {m[0], m[1], m[2], p[3], p[4], '3'};
  } else if (m[4] == '0') {
    shape = Manufacturer::Ends0;
    six = {m[0], m[1], m[2], m[3], p[4], '4'};
  } else {
    six = {m[0], m[1], m[2], m[3], m[4], p[4]};
  }
  for (std::size_t k = 0; k < zeros; ++k)
    if (p[k] != '0') return DoesNotCompress{6 + k, static_cast<char32_t>(p[k]), shape};
  // Items 0 to 4 would read back as the other shapes.
  if (shape == Manufacturer::EndsOther && p[4] < '5')
    return DoesNotCompress{10, static_cast<char32_t>(p[4]), shape};
  return six;
}

}  // namespace

Ean8Encoding encodeEan8(std::u32string_view number) {
  if (number.size() != 7 && number.size() != 8) return WrongLength{number.size(), 7};
  if (const auto bad = firstNonDigit(number)) return *bad;
  std::string digits = narrow(number.substr(0, 7));
  const char check = checkDigitOf(digits);
  if (number.size() == 8 && number[7] != static_cast<char32_t>(check))
    return WrongCheckDigit{7, number[7], static_cast<char32_t>(check)};
  digits.push_back(check);

  std::string modules;
  modules.reserve(kEan8Modules);
  modules += "101";
  appendDigits(modules, std::string_view(digits).substr(0, 4), "LLLL");
  modules += "01010";
  appendDigits(modules, std::string_view(digits).substr(4), "RRRR");
  modules += "101";
  return Ean8Symbol{std::move(digits), std::move(modules)};
}

std::string expandUpcE(char numberSystem, std::string_view six) {
  const std::string_view d = six;
  std::string upcA(1, numberSystem);
  switch (d[5]) {
    case '0':
    case '1':
    case '2':
      upcA += {d[0], d[1], d[5], '0', '0', '0', '0', d[2], d[3], d[4]};
      break;
    case '3':
      upcA += {d[0], d[1], d[2], '0', '0', '0', '0', '0', d[3], d[4]};
      break;
    case '4':
      upcA += {d[0], d[1], d[2], d[3], '0', '0', '0', '0', '0', d[4]};
      break;
    default:
      upcA += {d[0], d[1], d[2], d[3], d[4], '0', '0', '0', '0', d[5]};
  }
  upcA.push_back(checkDigitOf(upcA));
  return upcA;
}

UpcEEncoding encodeUpcE(std::u32string_view number) {
  const std::size_t n = number.size();
  if (n != 6 && n != 7 && n != 8 && n != 11 && n != 12) return WrongLength{n, 6};
  if (const auto bad = firstNonDigit(number)) return *bad;
  const std::string digits = narrow(number);
  const char system = n == 6 ? '0' : digits[0];
  if (system != '0' && system != '1') return NotNumberSystem01{0, number[0]};

  std::string six;
  if (n >= 11) {
    const char check = checkDigitOf(std::string_view(digits).substr(0, 11));
    if (n == 12 && digits[11] != check)
      return WrongCheckDigit{11, number[11], static_cast<char32_t>(check)};
    auto compressed = compress(digits);
    if (auto* refused = std::get_if<DoesNotCompress>(&compressed)) return *refused;
    six = std::move(std::get<std::string>(compressed));
  } else {
    six = digits.substr(n == 6 ? 0 : 1, 6);
  }
  std::string upcA = expandUpcE(system, six);
  const char check = upcA.back();
  if (n == 8 && digits[7] != check)
    return WrongCheckDigit{7, number[7], static_cast<char32_t>(check)};

  std::string sets(kUpcESets[static_cast<std::size_t>(check - '0')]);
  if (system == '1')
    for (char& set : sets) set = set == 'G' ? 'L' : 'G';
  std::string modules;
  modules.reserve(kUpcEModules);
  modules += "101";
  appendDigits(modules, six, sets);
  modules += "010101";
  return UpcESymbol{std::string(1, system) + six + check, std::move(upcA), std::move(modules)};
}

AddOnEncoding encodeAddOn(std::u32string_view digits) {
  if (digits.size() != 2 && digits.size() != 5)
    return WrongLength{digits.size(), digits.size() > 2 ? std::size_t{5} : std::size_t{2}};
  if (const auto bad = firstNonDigit(digits)) return *bad;
  std::string text = narrow(digits);
  std::string_view sets;
  if (text.size() == 2) {
    sets = kEan2Sets[static_cast<std::size_t>((10 * (text[0] - '0') + text[1] - '0') % 4)];
  } else {
    // Weights 3 and 9 alternate from the first digit.
    int sum = 0;
    for (std::size_t k = 0; k < 5; ++k) sum += (text[k] - '0') * (k % 2 == 0 ? 3 : 9);
    sets = kUpcESets[static_cast<std::size_t>(sum % 10)].substr(1);
  }
  std::string modules = "1011";
  for (std::size_t k = 0; k < text.size(); ++k) {
    if (k > 0) modules += "01";
    modules += numberSetModules(sets[k], text[k]);
  }
  return AddOnSymbol{std::move(text), std::move(modules)};
}

AddOnSplitting splitAddOn(std::u32string_view text) {
  const std::size_t plus = text.find(U'+');
  if (plus == std::u32string_view::npos) return AddOnSplit{text, {}};
  const std::u32string_view addOn = text.substr(plus + 1);
  for (std::size_t i = 0; i < addOn.size(); ++i)
    if (!isAsciiDigit(addOn[i])) return NotADigit{addOn[i], plus + 1 + i};
  if (addOn.size() != 2 && addOn.size() != 5) return WrongAddOnLength{plus, addOn.size()};
  return AddOnSplit{text.substr(0, plus), addOn};
}

}  // namespace eanupc

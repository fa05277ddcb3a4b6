#include "symbologies/linear/gs1.h"

#include <algorithm>
#include <array>
#include <optional>

#include "symbologies/gs1check.h"

namespace linear {

namespace {

enum class Check : unsigned char {
  None,
  Mod10,     // the last digit of the first part is its GS1 check digit
  Date,      // the first six digits are YYMMDD; DD may be 00, a day not stated
  DateTime,  // YYMMDDHHMM, every part stated
};

// One AI, or a range of AIs of one length sharing a format. With a highest
// fourth digit ('5' or '9'), a fourth digit 0 to that follows the three; it
// says where the decimal point stands.
struct AiFormat {
  std::string_view first, last;
  char fourthDigit;
  // Parts of the data: "N" digits, "X" GS1 character set 82; a length fixed,
  // or up to it after "..". Only the last part may be variable.
  std::string_view format;
  Check check;
};

// Common GS1 Application Identifiers (GS1 table of AIs), in the table's order.
// clang-format off
inline constexpr std::array<AiFormat, 38> kAis = {{
    {"00", "00", 0, "N18", Check::Mod10},            // 0: SSCC
    {"01", "01", 0, "N14", Check::Mod10},            // GTIN
    {"02", "02", 0, "N14", Check::Mod10},            // GTIN of contained trade items
    {"10", "10", 0, "X..20", Check::None},           // batch or lot
    {"11", "13", 0, "N6", Check::Date},              // production, due, packaging date
    {"15", "17", 0, "N6", Check::Date},              // best before, sell by, expiry date
    {"20", "20", 0, "N2", Check::None},              // internal product variant
    {"21", "22", 0, "X..20", Check::None},           // serial number, consumer product variant
    {"240", "241", 0, "X..30", Check::None},         // additional product id, customer part no.
    {"250", "251", 0, "X..30", Check::None},         // secondary serial, source entity
    {"253", "253", 0, "N13+X..17", Check::Mod10},    // 10: GDTI
    {"254", "254", 0, "X..20", Check::None},         // GLN extension
    {"30", "30", 0, "N..8", Check::None},            // variable count
    {"310", "316", '5', "N6", Check::None},          // metric net weight, length, ... area, volume
    {"320", "329", '5', "N6", Check::None},          // the same in imperial units
    {"330", "337", '5', "N6", Check::None},          // logistic measures, kg per square metre
    {"340", "349", '5', "N6", Check::None},          // logistic measures, imperial
    {"350", "357", '5', "N6", Check::None},          // area and volume, imperial
    {"360", "369", '5', "N6", Check::None},          // volume, imperial
    {"37", "37", 0, "N..8", Check::None},            // count of trade items
    {"390", "390", '9', "N..15", Check::None},       // 20: amount payable
    {"391", "391", '9', "N3+N..15", Check::None},    // amount payable with ISO currency
    {"392", "392", '9', "N..15", Check::None},       // amount payable for a variable item
    {"393", "393", '9', "N3+N..15", Check::None},    // the same with ISO currency
    {"400", "401", 0, "X..30", Check::None},         // order number, GINC
    {"402", "402", 0, "N17", Check::Mod10},          // GSIN
    {"403", "403", 0, "X..30", Check::None},         // routing code
    {"410", "417", 0, "N13", Check::Mod10},          // GLNs: ship to, bill to, ... party
    {"420", "420", 0, "X..20", Check::None},         // ship-to postal code
    {"421", "421", 0, "N3+X..9", Check::None},       // the same with ISO country code
    {"422", "422", 0, "N3", Check::None},            // 30: country of origin
    {"7003", "7003", 0, "N10", Check::DateTime},     // expiry date and time
    {"8003", "8003", 0, "N14+X..16", Check::Mod10},  // GRAI
    {"8004", "8004", 0, "X..30", Check::None},       // GIAI
    {"8005", "8005", 0, "N6", Check::None},          // price per unit of measure
    {"8020", "8020", 0, "X..25", Check::None},       // payment slip reference
    {"90", "90", 0, "X..30", Check::None},           // mutually agreed
    {"91", "99", 0, "X..90", Check::None},           // company internal
}};
// clang-format on

struct Part {
  char kind = 'N';
  bool variable = false;
  std::size_t length = 0;
};

struct Parts {
  std::array<Part, 2> part{};
  std::size_t count = 0;
  bool valid = false;
};

constexpr Parts partsOf(std::string_view format) {
  Parts parts;
  std::size_t i = 0;
  while (i < format.size()) {
    if (parts.count == parts.part.size()) return parts;
    Part p;
    p.kind = format[i++];
    if (p.kind != 'N' && p.kind != 'X') return parts;
    if (format.substr(i, 2) == "..") p.variable = true, i += 2;
    const std::size_t digitsFrom = i;
    for (; i < format.size() && format[i] >= '0' && format[i] <= '9'; ++i)
      p.length = 10 * p.length + static_cast<std::size_t>(format[i] - '0');
    if (i == digitsFrom || p.length == 0) return parts;
    parts.part[parts.count++] = p;
    if (i == format.size()) break;
    if (format[i] != '+' || p.variable || ++i == format.size()) return parts;
  }
  parts.valid = parts.count > 0;
  return parts;
}

constexpr bool isDigitString(std::string_view s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Rows in order and apart, each AI two to four digits, each format well
// formed; a check digit or date only on a first part of fixed digits.
constexpr bool aiTableIsConsistent() {
  for (std::size_t r = 0; r < kAis.size(); ++r) {
    const AiFormat& row = kAis[r];
    const std::size_t digits = row.first.size() + (row.fourthDigit != 0 ? 1 : 0);
    if (row.first.size() != row.last.size() || row.first > row.last) return false;
    if (!isDigitString(row.first) || !isDigitString(row.last) || digits < 2 || digits > 4)
      return false;
    if (r > 0 && !(kAis[r - 1].last < row.first)) return false;
    const Parts parts = partsOf(row.format);
    if (!parts.valid) return false;
    const Part& head = parts.part[0];
    const bool fixedDigits = head.kind == 'N' && !head.variable;
    if (row.check == Check::Mod10 && !fixedDigits) return false;
    if (row.check == Check::Date && !(fixedDigits && head.length == 6)) return false;
    if (row.check == Check::DateTime && !(fixedDigits && head.length == 10)) return false;
  }
  return true;
}
static_assert(aiTableIsConsistent());

// GS1 AI encodable character set 82.
inline constexpr std::u32string_view kSet82 =
    U"!\"%&'()*+,-./0123456789:;<=>?ABCDEFGHIJKLMNOPQRSTUVWXYZ_abcdefghijklmnopqrstuvwxyz";
static_assert(kSet82.size() == 82);

const AiFormat* findAi(std::string_view ai) {
  for (const AiFormat& row : kAis) {
    const std::size_t n = row.first.size();
    if (ai.size() != n + (row.fourthDigit != 0 ? 1 : 0)) continue;
    const std::string_view head = ai.substr(0, n);
    if (head < row.first || head > row.last) continue;
    if (row.fourthDigit != 0 && ai.back() > row.fourthDigit) continue;
    return &row;
  }
  return nullptr;
}

constexpr bool isDigit(char32_t c) { return c >= U'0' && c <= U'9'; }

int twoDigits(std::u32string_view data, std::size_t at) {
  return static_cast<int>(10 * (data[at] - U'0') + (data[at + 1] - U'0'));
}

Gs1Refused refusal(Gs1Problem problem, std::string_view ai, std::u32string_view text,
                   std::size_t position) {
  Gs1Refused r;
  r.problem = problem;
  r.position = position;
  r.ai = std::string(ai);
  r.character = position < text.size() ? text[position] : 0;
  return r;
}

// YYMMDD at the start of the data; the year only decides 29 February.
std::optional<Gs1Refused> checkDate(std::u32string_view text, std::string_view ai, std::size_t at,
                                    bool dayZero) {
  static constexpr std::array<int, 12> kDays = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const int year = twoDigits(text, at), month = twoDigits(text, at + 2),
            day = twoDigits(text, at + 4);
  if (month < 1 || month > 12) return refusal(Gs1Problem::BadDate, ai, text, at + 2);
  const int days = month == 2 && year % 4 != 0 ? 28 : kDays[static_cast<std::size_t>(month - 1)];
  if (day > days || (day == 0 && !dayZero)) return refusal(Gs1Problem::BadDate, ai, text, at + 4);
  return std::nullopt;
}

// The data of one AI, text[at, end).
std::optional<Gs1Refused> checkData(const AiFormat& row, std::string_view ai,
                                    std::u32string_view text, std::size_t at, std::size_t end) {
  const Parts parts = partsOf(row.format);
  std::size_t least = 0, most = 0;
  for (std::size_t p = 0; p < parts.count; ++p) {
    least += parts.part[p].variable ? 1 : parts.part[p].length;
    most += parts.part[p].length;
  }
  std::size_t k = at;
  for (std::size_t p = 0; p < parts.count; ++p) {
    const Part& part = parts.part[p];
    const std::size_t take = std::min(end - k, part.length);
    for (std::size_t j = k; j < k + take; ++j) {
      if (part.kind == 'N' && !isDigit(text[j]))
        return refusal(Gs1Problem::NotNumeric, ai, text, j);
      if (part.kind == 'X' && kSet82.find(text[j]) == std::u32string_view::npos)
        return refusal(Gs1Problem::NotInSet82, ai, text, j);
    }
    k += take;
    if (take < (part.variable ? 1 : part.length)) {
      Gs1Refused r = refusal(Gs1Problem::TooShort, ai, text, k);
      r.limit = least;
      return r;
    }
  }
  if (k < end) {
    Gs1Refused r = refusal(Gs1Problem::TooLong, ai, text, k);
    r.limit = most;
    return r;
  }
  switch (row.check) {
    case Check::None:
      break;
    case Check::Mod10: {
      const std::size_t n = parts.part[0].length;
      std::string digits;
      for (std::size_t j = at; j + 1 < at + n; ++j) digits.push_back(static_cast<char>(text[j]));
      const char32_t expected = U'0' + static_cast<char32_t>(symbologies::gs1CheckDigit(digits));
      if (text[at + n - 1] != expected) {
        Gs1Refused r = refusal(Gs1Problem::WrongCheckDigit, ai, text, at + n - 1);
        r.expected = expected;
        return r;
      }
      break;
    }
    case Check::Date:
      return checkDate(text, ai, at, true);
    case Check::DateTime:
      if (auto bad = checkDate(text, ai, at, false)) return bad;
      if (twoDigits(text, at + 6) > 23) return refusal(Gs1Problem::BadTime, ai, text, at + 6);
      if (twoDigits(text, at + 8) > 59) return refusal(Gs1Problem::BadTime, ai, text, at + 8);
      break;
  }
  return std::nullopt;
}

std::string narrow(std::u32string_view ascii) {
  std::string s;
  s.reserve(ascii.size());
  for (const char32_t c : ascii) s.push_back(static_cast<char>(c));
  return s;
}

// The first data character past the limit, counting each field's AI and data
// and the FNC1 that ends a field (standing at the next "(").
std::optional<Gs1Refused> checkCount(const std::vector<Gs1Element>& elements,
                                     std::u32string_view text) {
  std::size_t count = 0;
  for (std::size_t e = 0; e < elements.size(); ++e) {
    const Gs1Element& element = elements[e];
    const std::size_t length = element.ai.size() + element.data.size();
    if (count + length > kGs1MaxDataCharacters) {
      // The AI's digits, then its data after the ")".
      std::size_t k = kGs1MaxDataCharacters - count;
      const std::size_t position = element.position + 1 + k + (k >= element.ai.size() ? 1 : 0);
      Gs1Refused r = refusal(Gs1Problem::TooManyCharacters, element.ai, text, position);
      r.limit = kGs1MaxDataCharacters;
      return r;
    }
    count += length;
    if (e + 1 < elements.size() && !hasPredefinedLength(element.ai)) {
      if (++count > kGs1MaxDataCharacters) {
        Gs1Refused r = refusal(Gs1Problem::TooManyCharacters, elements[e + 1].ai, text,
                               elements[e + 1].position);
        r.limit = kGs1MaxDataCharacters;
        return r;
      }
    }
  }
  return std::nullopt;
}

}  // namespace

bool hasPredefinedLength(std::string_view ai) {
  if (ai.size() < 2 || !isDigitString(ai.substr(0, 2))) return false;
  const int head = 10 * (ai[0] - '0') + (ai[1] - '0');
  return head <= 4 || (head >= 11 && head <= 20) || (head >= 31 && head <= 36) || head == 41;
}

std::variant<std::vector<Gs1Element>, Gs1Refused> parseGs1(std::u32string_view text) {
  std::vector<Gs1Element> elements;
  std::size_t i = 0;
  do {
    if (i >= text.size() || text[i] != U'(') return refusal(Gs1Problem::AiExpected, {}, text, i);
    std::size_t j = i + 1;
    while (j < text.size() && isDigit(text[j]) && j < i + 5) ++j;
    if (j >= text.size() || text[j] != U')' || j < i + 3)
      return refusal(Gs1Problem::AiExpected, {}, text, j);
    const std::string ai = narrow(text.substr(i + 1, j - i - 1));
    const AiFormat* row = findAi(ai);
    if (!row) return refusal(Gs1Problem::UnknownAi, ai, text, i + 1);
    const std::size_t at = j + 1;
    const std::size_t end = std::min(text.find(U'(', at), text.size());
    if (auto bad = checkData(*row, ai, text, at, end)) return *bad;
    elements.push_back(Gs1Element{ai, narrow(text.substr(at, end - at)), i});
    i = end;
  } while (i < text.size());
  if (auto bad = checkCount(elements, text)) return *bad;
  return elements;
}

Gs1Encoding encodeGs1128(std::u32string_view text, const Settings& settings) {
  auto parsed = parseGs1(text);
  if (auto* refused = std::get_if<Gs1Refused>(&parsed)) return *refused;
  Gs1Symbol gs1;
  gs1.elements = std::move(std::get<std::vector<Gs1Element>>(parsed));

  std::u32string data(1, kFnc1);
  gs1.transmitted = "]C1";
  for (std::size_t e = 0; e < gs1.elements.size(); ++e) {
    const Gs1Element& element = gs1.elements[e];
    const std::string field = element.ai + element.data;
    data.append(field.begin(), field.end());
    gs1.transmitted += field;
    gs1.humanReadable += "(" + element.ai + ")" + element.data;
    if (e + 1 < gs1.elements.size() && !hasPredefinedLength(element.ai)) {
      data.push_back(kFnc1);
      gs1.transmitted.push_back('\x1d');
    }
  }
  Code128Encoding encoding = encodeCode128Sets(data, settings, CodeSet::Auto);
  if (auto* tooLong = std::get_if<TooLong>(&encoding)) return *tooLong;
  gs1.code128 = std::move(std::get<Code128Symbol>(encoding));
  Symbol& symbol = gs1.code128.symbol;
  symbol.label.assign(gs1.humanReadable.begin(), gs1.humanReadable.end());
  symbol.labelX = shortLabelX(symbol.label.size(), settings);
  return gs1;
}

}  // namespace linear

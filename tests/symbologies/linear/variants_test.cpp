// Code 128 in all three code sets, GS1-128, ITF-14 and Codabar with chosen
// ends: modules laid against libzint's (or shorter), read back by zxing-cpp
// and zbar, and every refusal naming its position.
#include <gtest/gtest.h>

#include <cctype>

#include "symbologies/linear/codabarends.h"
#include "symbologies/linear/code128.h"
#include "symbologies/linear/code128sets.h"
#include "symbologies/linear/code128table.h"
#include "symbologies/linear/gs1.h"
#include "symbologies/linear/itf14.h"
#include "tests/symbologies/variants_support.h"

namespace {

using namespace varianttest;
using linear::CodeSet, linear::encodeCodabarBetween, linear::encodeCodabarFramed,
    linear::encodeCode128Sets, linear::encodeItf14;

struct AutoCase {
  const char* name;
  std::string data;
  bool shorterThanZint = false;  // libzint's choice of sets takes a character more
};

// clang-format off
const AutoCase kAutos[] = {
    {"letters: set B", "ABC"},
    {"two digits alone: Start C", "12"},
    {"three digits: C does not pay", "123"},
    {"odd run of 5 at the start: C, the last in B", "12345"},
    {"odd run of 7 at the start", "1234567"},
    {"even run of 10", "1234567890"},
    {"3 at the end: B", "a123"},
    {"4 at the end: C pays", "a1234"},
    {"odd 5 at the end: the first in B", "a12345"},
    {"4 in the middle: C, as short as B", "a1234b"},
    {"odd 5 in the middle: the first in B", "a12345b"},
    {"6 in the middle pays", "a123456b"},
    {"runs at start and middle", "1234ab5678"},
    {"two runs between letters", "abc123456def7890"},
    {"a run after one digit", "1X2345678"},
    {"a control between lower case: Shift", "a\x01" "b"},
    {"two controls: Code A, Shift back", "a\x01\x02" "b"},
    {"control first: Start A with Shifts", "\x01" "a\x01" "a"},
    {"tab among upper case: set A", "AB\tCD"},
    {"DEL in set B", "a\x7f" "b"},
    {"control last: Start A, where libzint starts B and shifts", "5 4\x01", true},
    {"run, then a control: Code A, where libzint takes B and shifts", "1574B4\x01", true},
};
// clang-format on

TEST(Code128Sets, AutoIsZintsSymbolOrShorterAndBothReadersReadIt) {
  for (const auto& c : kAutos) {
    const std::u32string text(c.data.begin(), c.data.end());
    const auto symbol = std::get<linear::Symbol>(linear::encodeCode128Shortest(text, kTight));
    const std::string ours = modulesOf(symbol), zint = zintModules(BARCODE_CODE128, c.data);
    if (c.shorterThanZint)
      EXPECT_EQ(ours.size() + 11, zint.size()) << c.name;
    else
      EXPECT_EQ(ours, zint) << c.name;
    EXPECT_EQ(zxingRead(ours, ZXing::BarcodeFormat::Code128), c.data + "|]C0") << c.name;
    EXPECT_EQ(zbarRead(ours), "CODE-128 " + c.data) << c.name;
  }
}

std::string valuesOf(const linear::Code128Encoding& encoding) {
  std::string values;
  for (const int v : std::get<linear::Code128Symbol>(encoding).values)
    values += std::to_string(v) + " ";
  return values;
}

TEST(Code128Sets, ForcedSetsGiveTheirValues) {
  const struct {
    const char* name;  // the check worked by hand
    std::string got, values;
  } cases[] = {
      // clang-format off
      {"A: 103 + 33 + 2*34 + 3*65 = 399, check 90", valuesOf(encodeCode128Sets(U"AB\x01", kTight, CodeSet::A)), "103 33 34 65 90 "},
      {"B: 104 + 65 + 2*66 = 301, check 95", valuesOf(encodeCode128Sets(U"ab", kTight, CodeSet::B)), "104 65 66 95 "},
      {"B for digits: 104 + 17 + 2*18 = 157, check 54", valuesOf(encodeCode128Sets(U"12", kTight, CodeSet::B)), "104 17 18 54 "},
      {"C: 105 + 12 + 2*34 = 185, check 82", valuesOf(encodeCode128Sets(U"1234", kTight, CodeSet::C)), "105 12 34 82 "},
      {"C, FNC1: 105 + 102 + 2*12 + 3*34 = 333, check 24", valuesOf(encodeCode128Sets(U"\uE0011234", kTight, CodeSet::C)), "105 102 12 34 24 "},
      // clang-format on
  };
  for (const auto& c : cases) EXPECT_EQ(c.got, c.values) << c.name;
}

struct Gs1Case {
  const char* name;
  std::u32string typed;     // also the human-readable text
  const char* transmitted;  // FNC1 as GS after each field of no predefined length, not last
  bool shorterThanZint = false;
};

// clang-format off
const Gs1Case kGs1[] = {
    {"GTIN, date, batch last", U"(01)09501101530003(17)250101(10)ABC",
     "]C101095011015300031725010110ABC"},
    {"batch first ends with FNC1", U"(10)ABC(01)09501101530003", "]C110ABC\x1d" "0109501101530003"},
    {"fixed (8005) ends with FNC1 too", U"(8005)123456(10)A1", "]C18005123456\x1d" "10A1"},
    {"SSCC", U"(00)106141411234567897", "]C100106141411234567897"},
    {"odd run after the first FNC1", U"(400)1234", "]C14001234"},
    {"decimals, day 00, serial", U"(01)09501101530003(3103)000123(15)251200(21)1234567",
     "]C10109501101530003310300012315251200211234567"},
    {"stays in C over FNC1", U"(402)12345678901234560(21)1", "]C140212345678901234560\x1d" "211", true},
    {"odd run before FNC1", U"(10)12345(21)ABC", "]C11012345\x1d" "21ABC", true},
};
// clang-format on

TEST(Gs1128, ZintsSymbolOrShorterAndBothReadersSayGs1) {
  for (const auto& c : kGs1) {
    const auto gs1 = std::get<linear::Gs1Symbol>(linear::encodeGs1128(c.typed, kTight));
    const std::string typed(c.typed.begin(), c.typed.end()), ours = modulesOf(gs1.code128.symbol);
    const std::string zint = zintModules(BARCODE_GS1_128, typed, GS1_MODE | GS1PARENS_MODE);
    if (c.shorterThanZint)
      EXPECT_EQ(ours.size() + 11, zint.size()) << c.name;
    else
      EXPECT_EQ(ours, zint) << c.name;
    EXPECT_EQ(gs1.humanReadable, typed) << c.name;
    EXPECT_EQ(gs1.code128.symbol.label, c.typed) << c.name;
    EXPECT_EQ(gs1.transmitted, c.transmitted) << c.name;
    const std::string data = gs1.transmitted.substr(3);
    EXPECT_EQ(zxingRead(ours, ZXing::BarcodeFormat::Code128), data + "|]C1") << c.name;
    EXPECT_EQ(zbarRead(ours), "CODE-128 GS1 " + data) << c.name;
  }
}

struct Gs1RefusalCase {
  const char* name;
  std::u32string typed;
  linear::Gs1Problem problem;
  std::size_t position;
  char32_t expected = 0;
  bool zintTakesIt = false;  // libzint 2.11 does not count to 48
};

using P = linear::Gs1Problem;
// clang-format off
const Gs1RefusalCase kGs1Refusals[] = {
    {"(01) 0950110153000 calls for 3", U"(01)09501101530004", P::WrongCheckDigit, 17, U'3'},
    {"(00) 10614141123456789 calls for 7", U"(00)106141411234567896", P::WrongCheckDigit, 21, U'7'},
    {"(414) 541234500001 calls for 3", U"(414)5412345000014", P::WrongCheckDigit, 17, U'3'},
    {"AI 23 is not one", U"(01)09501101530003(23)12", P::UnknownAi, 19},
    {"month 13", U"(17)251301", P::BadDate, 6},
    {"29 February of 25", U"(11)250229", P::BadDate, 8},
    {"hour 24", U"(7003)2501012400", P::BadTime, 12},
    {"(10) of 21", U"(10)ABCDEFGHIJKLMNOPQRSTU", P::TooLong, 24},
    {"(01) of 13", U"(01)0950110153000", P::TooShort, 17},
    {"letter in (30)", U"(30)12A", P::NotNumeric, 6},
    {"# is not in set 82", U"(21)AB#", P::NotInSet82, 6},
    {"no AI first", U"0109501101530003", P::AiExpected, 0},
    {"49th character: 16 + 22 + FNC1 + 9",
     U"(01)09501101530003(10)ABCDEFGHIJKLMNOPQRST(21)ABCDEFGHIJ", P::TooManyCharacters, 53, 0, true},
};
// clang-format on

TEST(Gs1128, RefusalsNameThePositionAndZintRefusesToo) {
  for (const auto& c : kGs1Refusals) {
    const auto refused = std::get<linear::Gs1Refused>(linear::encodeGs1128(c.typed, kTight));
    EXPECT_EQ(refused.problem, c.problem) << c.name;
    EXPECT_EQ(refused.position, c.position) << c.name;
    EXPECT_EQ(refused.expected, c.expected) << c.name;
    const std::string typed(c.typed.begin(), c.typed.end());
    const std::string zint = zintModules(BARCODE_GS1_128, typed, GS1_MODE | GS1PARENS_MODE);
    EXPECT_EQ(zint.starts_with("zint:"), !c.zintTakesIt) << c.name << " " << zint;
  }
}

linear::Encoding itf14(std::u32string_view number) {
  return std::get<linear::Symbol>(encodeItf14(number, kTight));
}

struct LinearCase {
  const char* name;
  linear::Encoding encoding;
  std::string read;  // zxing-cpp's and zbar's text, libzint's data (ITF-14 without check)
};

// clang-format off
const LinearCase kLinear[] = {
    {"ITF-14 of 13: 3(1+3+5+7+9+1+3) + 2+4+6+8+0+2 = 109, check 1", itf14(U"1234567890123"),
     "12345678901231"},
    {"ITF-14 of 14", itf14(U"09501101530003"), "09501101530003"},
    {"Codabar ends in the data", encodeCodabarFramed(U"B123C", kTight), "B123C"},
    {"Codabar ends lower case", encodeCodabarFramed(U"d40156a", kTight), "D40156A"},
    {"Codabar ends given apart", encodeCodabarBetween(U"31-17", kTight, U'c', U'B'), "C31-17B"},
    {"Codabar with no letters: A and A", encodeCodabarFramed(U"$1.50", kTight), "A$1.50A"},
};
// clang-format on

TEST(LinearVariants, ZintsModulesAndBothReadersReadThem) {
  for (const auto& c : kLinear) {
    const bool itf = std::isdigit(static_cast<unsigned char>(c.read.back()));
    // libzint draws a Codabar wide element two modules wide.
    const std::string ours = modulesOf(std::get<linear::Symbol>(c.encoding), itf ? 3 : 2);
    const std::string zint =
        zintModules(itf ? BARCODE_ITF14 : BARCODE_CODABAR, itf ? c.read.substr(0, 13) : c.read);
    EXPECT_EQ(ours, zint) << c.name;
    EXPECT_EQ(zxingRead(ours, itf ? ZXing::BarcodeFormat::ITF : ZXing::BarcodeFormat::Codabar),
              c.read + (itf ? "|]I1" : "|]F0"))
        << c.name;
    EXPECT_EQ(zbarRead(ours), (itf ? "I2/5 " : "Codabar ") + c.read) << c.name;
  }
}

TEST(LinearVariants, RefusalsNameThePosition) {
  const struct {
    const char* name;
    std::string got, refused;
  } cases[] = {
      // clang-format off
      {"forced C, odd run", describe(encodeCode128Sets(U"12345", kTight, CodeSet::C)), "UnpairedDigit at 4"},
      {"forced C, a letter", describe(encodeCode128Sets(U"12a4", kTight, CodeSet::C)), "Rejected at 2"},
      {"forced A, lower case", describe(encodeCode128Sets(U"Ab", kTight, CodeSet::A)), "Rejected at 1"},
      {"forced B, a control", describe(encodeCode128Sets(U"a\x01", kTight, CodeSet::B)), "Rejected at 1"},
      {"Auto, past ASCII", describe(encodeCode128Sets(U"ab\u00e9", kTight)), "Rejected at 2"},
      {"ITF-14 check 1 wanted", describe(encodeItf14(U"12345678901234", kTight)), "WrongCheckDigit at 13 should be 1"},
      {"ITF-14 of 12", describe(encodeItf14(U"123456789012", kTight)), "WrongLength of 12"},
      {"ITF-14 letter", describe(encodeItf14(U"1234567890l23", kTight)), "Rejected at 10"},
      {"Codabar without stop", describe(encodeCodabarFramed(U"B123", kTight)), "Rejected at 3"},
      {"Codabar without start", describe(encodeCodabarFramed(U"123C", kTight)), "Rejected at 0"},
      {"Codabar letter inside", describe(encodeCodabarFramed(U"B12D3C", kTight)), "Rejected at 3"},
      {"Codabar stop E", describe(encodeCodabarBetween(U"12", kTight, U'A', U'E')), "Rejected at 2"},
      {"Codabar * before bad stop", describe(encodeCodabarBetween(U"1*", kTight, U'A', U'E')), "Rejected at 1"},
      // clang-format on
  };
  for (const auto& c : cases) EXPECT_EQ(c.got, c.refused) << c.name;
}

}  // namespace

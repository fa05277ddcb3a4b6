// Code 128 in all three code sets: the shortest symbol laid against libzint's
// and read back by zxing-cpp and zbar, forced sets, and the refusals.
#include "symbologies/linear/code128sets.h"

#include <gtest/gtest.h>

#include "symbologies/linear/code128.h"
#include "symbologies/linear/code128table.h"
#include "tests/symbologies/variants_support.h"

namespace {

using namespace varianttest;
using linear::CodeSet;
using ZXing::BarcodeFormat;

std::u32string u32(std::string_view s) { return {s.begin(), s.end()}; }

struct AutoCase {
  const char* name;
  std::string data;
  bool shorterThanZint = false;  // libzint's choice of sets takes more characters
};

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
    {"a control between lower case: Shift",
     "a\x01"
     "b"},
    {"two controls: Code A, Shift back",
     "a\x01\x02"
     "b"},
    {"control first: Start A with Shifts",
     "\x01"
     "a\x01"
     "a"},
    {"tab among upper case: set A", "AB\tCD"},
    {"DEL in set B",
     "a\x7f"
     "b"},
};

TEST(Code128Sets, AutoIsZintsSymbolAndBothReadersReadIt) {
  for (const auto& c : kAutos) {
    const auto symbol =
        std::get<linear::Symbol>(linear::encodeCode128Shortest(u32(c.data), kTight));
    const std::string ours = modulesOf(symbol), zint = zintModules(BARCODE_CODE128, c.data);
    if (c.shorterThanZint)
      EXPECT_LT(ours.size(), zint.size()) << c.name;
    else
      EXPECT_EQ(ours, zint) << c.name;
    EXPECT_EQ(zxingRead(ours, BarcodeFormat::Code128), c.data + "|]C0") << c.name;
    EXPECT_EQ(zbarRead(ours), "CODE-128 " + c.data) << c.name;
  }
}

TEST(Code128Sets, SharedTableIsTheCodeSetBEncoders) {
  // Start B, the character, the check, the stop: the second six elements.
  for (char32_t c = U' '; c <= U'~'; ++c) {
    const auto symbol =
        std::get<linear::Symbol>(linear::encodeCode128(std::u32string(1, c), kTight));
    EXPECT_EQ(symbol.elements.substr(6, 6), linear::code128::kPatterns[c - U' ']) << char(c);
  }
}

struct ForcedCase {
  const char* name;
  std::u32string text;
  CodeSet set;
  std::vector<int> values;  // the check worked by hand
};

const ForcedCase kForced[] = {
    {"A: 103 + 33 + 2*34 + 3*65 = 399, check 90", U"AB\x01", CodeSet::A, {103, 33, 34, 65, 90}},
    {"B: 104 + 65 + 2*66 = 301, check 95", U"ab", CodeSet::B, {104, 65, 66, 95}},
    {"B for digits: 104 + 17 + 2*18 = 157, check 54", U"12", CodeSet::B, {104, 17, 18, 54}},
    {"C: 105 + 12 + 2*34 = 185, check 82", U"1234", CodeSet::C, {105, 12, 34, 82}},
    {"C with FNC1: 105 + 102 + 2*12 + 3*34 = 333, check 24",
     U"\uE0011234",
     CodeSet::C,
     {105, 102, 12, 34, 24}},
};

TEST(Code128Sets, ForcedSetsGiveTheirValues) {
  for (const auto& c : kForced) {
    const auto symbol =
        std::get<linear::Code128Symbol>(linear::encodeCode128Sets(c.text, kTight, c.set));
    EXPECT_EQ(symbol.values, c.values) << c.name;
  }
}

std::string refusalOf(const linear::Code128Encoding& outcome) {
  if (auto* r = std::get_if<linear::Rejected>(&outcome))
    return "rejected at " + std::to_string(r->position);
  if (auto* r = std::get_if<linear::UnpairedDigit>(&outcome))
    return "unpaired at " + std::to_string(r->position);
  return "accepted";
}

TEST(Code128Sets, RefusalsNameThePosition) {
  const struct {
    const char* name;
    std::string got, refused;
  } cases[] = {
      {"forced C, odd run", refusalOf(linear::encodeCode128Sets(U"12345", kTight, CodeSet::C)),
       "unpaired at 4"},
      {"forced C, a letter", refusalOf(linear::encodeCode128Sets(U"12a4", kTight, CodeSet::C)),
       "rejected at 2"},
      {"forced A, lower case", refusalOf(linear::encodeCode128Sets(U"Ab", kTight, CodeSet::A)),
       "rejected at 1"},
      {"forced B, a control", refusalOf(linear::encodeCode128Sets(U"a\x01", kTight, CodeSet::B)),
       "rejected at 1"},
      {"Auto, past ASCII", refusalOf(linear::encodeCode128Sets(U"ab\u00e9", kTight)),
       "rejected at 2"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.got, c.refused) << c.name;
}

}  // namespace

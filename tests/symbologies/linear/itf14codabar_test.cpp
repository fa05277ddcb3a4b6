// ITF-14 and Codabar with chosen ends: libzint's modules, read back by
// zxing-cpp and zbar, and the refusals naming their position.
#include <gtest/gtest.h>

#include "symbologies/linear/codabarends.h"
#include "symbologies/linear/itf14.h"
#include "tests/symbologies/variants_support.h"

namespace {

using namespace varianttest;
using ZXing::BarcodeFormat;

struct LinearCase {
  const char* name;
  linear::Encoding encoding;
  int wide;  // libzint's wide element: 3 modules in ITF-14, 2 in Codabar
  int zint;
  const char* zintData;
  BarcodeFormat format;
  const char* zxing;
  const char* zbar;
};

linear::Encoding itf14(std::u32string_view number) {
  auto e = linear::encodeItf14(number, kTight);
  return std::holds_alternative<linear::Symbol>(e) ? std::get<linear::Symbol>(e)
                                                   : linear::Encoding{};
}

const LinearCase kLinear[] = {
    {"ITF-14 of 13, check 1 by hand", itf14(U"1234567890123"), 3, BARCODE_ITF14, "1234567890123",
     BarcodeFormat::ITF, "12345678901231|]I1", "I2/5 12345678901231"},
    {"ITF-14 of 14", itf14(U"09501101530003"), 3, BARCODE_ITF14, "0950110153000",
     BarcodeFormat::ITF, "09501101530003|]I1", "I2/5 09501101530003"},
    {"Codabar ends in the data", linear::encodeCodabarFramed(U"B123C", kTight), 2, BARCODE_CODABAR,
     "B123C", BarcodeFormat::Codabar, "B123C|]F0", "Codabar B123C"},
    {"Codabar ends lower case", linear::encodeCodabarFramed(U"d40156a", kTight), 2, BARCODE_CODABAR,
     "D40156A", BarcodeFormat::Codabar, "D40156A|]F0", "Codabar D40156A"},
    {"Codabar ends given apart", linear::encodeCodabarBetween(U"31-17", kTight, U'c', U'B'), 2,
     BARCODE_CODABAR, "C31-17B", BarcodeFormat::Codabar, "C31-17B|]F0", "Codabar C31-17B"},
    {"Codabar with no letters: A and A", linear::encodeCodabarFramed(U"$1.50", kTight), 2,
     BARCODE_CODABAR, "A$1.50A", BarcodeFormat::Codabar, "A$1.50A|]F0", "Codabar A$1.50A"},
};

TEST(LinearVariants, ZintsModulesAndBothReadersReadThem) {
  for (const auto& c : kLinear) {
    const std::string ours = modulesOf(std::get<linear::Symbol>(c.encoding), c.wide);
    EXPECT_EQ(ours, zintModules(c.zint, c.zintData)) << c.name;
    EXPECT_EQ(zxingRead(ours, c.format), c.zxing) << c.name;
    EXPECT_EQ(zbarRead(ours), c.zbar) << c.name;
  }
}

template <class Outcome>
std::string refusalOf(const Outcome& outcome) {
  if (auto* r = std::get_if<linear::Rejected>(&outcome))
    return "rejected at " + std::to_string(r->position);
  if constexpr (std::is_same_v<Outcome, linear::Itf14Encoding>) {
    if (auto* r = std::get_if<linear::WrongLength>(&outcome))
      return "length " + std::to_string(r->length);
    if (auto* r = std::get_if<linear::WrongCheckDigit>(&outcome))
      return "check at " + std::to_string(r->position) + " should be " + char(r->expected);
  }
  return "accepted";
}

TEST(LinearVariants, RefusalsNameThePosition) {
  const struct {
    const char* name;
    std::string got, refused;
  } cases[] = {
      {"ITF-14 check 1 wanted", refusalOf(linear::encodeItf14(U"12345678901234", kTight)),
       "check at 13 should be 1"},
      {"ITF-14 of 12", refusalOf(linear::encodeItf14(U"123456789012", kTight)), "length 12"},
      {"ITF-14 letter", refusalOf(linear::encodeItf14(U"1234567890l23", kTight)), "rejected at 10"},
      {"Codabar without stop", refusalOf(linear::encodeCodabarFramed(U"B123", kTight)),
       "rejected at 3"},
      {"Codabar without start", refusalOf(linear::encodeCodabarFramed(U"123C", kTight)),
       "rejected at 0"},
      {"Codabar letter inside", refusalOf(linear::encodeCodabarFramed(U"B12D3C", kTight)),
       "rejected at 3"},
      {"Codabar stop E", refusalOf(linear::encodeCodabarBetween(U"12", kTight, U'A', U'E')),
       "rejected at 2"},
      {"Codabar * before bad stop",
       refusalOf(linear::encodeCodabarBetween(U"1*", kTight, U'A', U'E')), "rejected at 1"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.got, c.refused) << c.name;
}

}  // namespace

// GS1-128 from AIs in parentheses: libzint's symbol (or a shorter one), what
// zxing-cpp and zbar transmit, and every refusal naming its position.
#include <gtest/gtest.h>

#include "symbologies/linear/gs1.h"
#include "tests/symbologies/variants_support.h"

namespace {

using namespace varianttest;
using ZXing::BarcodeFormat;

struct Gs1Case {
  const char* name;
  std::u32string typed;
  const char* transmitted;  // FNC1 as GS after each field with no predefined length, not last
  bool shorterThanZint = false;
};

const Gs1Case kGs1[] = {
    {"GTIN, date, batch last", U"(01)09501101530003(17)250101(10)ABC",
     "]C1010950110153000317250101"
     "10ABC"},
    {"batch first ends with FNC1", U"(10)ABC(01)09501101530003",
     "]C110ABC\x1d"
     "0109501101530003"},
    {"fixed (8005) outside the predefined table ends with FNC1", U"(8005)123456(10)A1",
     "]C18005123456\x1d"
     "10A1"},
    {"SSCC", U"(00)106141411234567897", "]C100106141411234567897"},
    {"odd run after FNC1 at the start", U"(400)1234", "]C14001234"},
    {"weight with decimals, day 00, serial", U"(01)09501101530003(3103)000123(15)251200(21)1234567",
     "]C10109501101530003310300012315251200211234567"},
    {"stays in C over FNC1", U"(402)12345678901234560(21)1",
     "]C140212345678901234560\x1d"
     "211",
     true},
    {"odd run before FNC1", U"(10)12345(21)ABC",
     "]C11012345\x1d"
     "21ABC",
     true},
};

TEST(Gs1128, ZintsSymbolAndBothReadersSayGs1) {
  for (const auto& c : kGs1) {
    const auto gs1 = std::get<linear::Gs1Symbol>(linear::encodeGs1128(c.typed, kTight));
    const std::string ours = modulesOf(gs1.code128.symbol);
    const std::string zint =
        zintModules(BARCODE_GS1_128, gs1.humanReadable, GS1_MODE | GS1PARENS_MODE);
    if (c.shorterThanZint)
      EXPECT_LT(ours.size(), zint.size()) << c.name;
    else
      EXPECT_EQ(ours, zint) << c.name;
    EXPECT_EQ(gs1.humanReadable, std::string(c.typed.begin(), c.typed.end())) << c.name;
    EXPECT_EQ(gs1.transmitted, c.transmitted) << c.name;
    const std::string data = gs1.transmitted.substr(3);
    EXPECT_EQ(zxingRead(ours, BarcodeFormat::Code128), data + "|]C1") << c.name;
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
     U"(01)09501101530003(10)ABCDEFGHIJKLMNOPQRST(21)ABCDEFGHIJ", P::TooManyCharacters, 53, 0,
     true},
};

TEST(Gs1128, RefusalsNameThePositionAndZintRefusesToo) {
  for (const auto& c : kGs1Refusals) {
    const auto refused = std::get<linear::Gs1Refused>(linear::encodeGs1128(c.typed, kTight));
    EXPECT_EQ(refused.problem, c.problem) << c.name;
    EXPECT_EQ(refused.position, c.position) << c.name;
    EXPECT_EQ(refused.expected, c.expected) << c.name;
    const std::string typed(c.typed.begin(), c.typed.end());
    EXPECT_EQ(
        zintModules(BARCODE_GS1_128, typed, GS1_MODE | GS1PARENS_MODE).substr(0, 5) == "zint:",
        !c.zintTakesIt)
        << c.name;
  }
}

}  // namespace

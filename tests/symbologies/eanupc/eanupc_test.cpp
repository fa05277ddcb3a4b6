// Check digits and the modules of the EAN/UPC family, without drawing.
#include "symbologies/eanupc/eanupc.h"

#include <gtest/gtest.h>

#include <QString>

#include "tests/support/modules.h"

namespace {

using eanupc::Encoding;

std::string text(const Encoding& encoding) {
  const auto* symbol = std::get_if<eanupc::Symbol>(&encoding);
  return symbol ? symbol->number : std::string("(not encoded)");
}

struct UpcCheckCase {
  const char* name;
  std::u32string text;
  int check;
};

const UpcCheckCase kUpcChecks[] = {
    {"UPC-A 097363395843, as printed on the product", U"09736339584", 3},
    {"UPC-A 036000291452, as printed on the product", U"03600029145", 2},
    {"eleven zeros", U"00000000000", 0},
    {"weighted sum 10 gives 0, never 10", U"00000000013", 0},
    {"a letter counts as a 0 in its place", U"0973633958A", 5},
    {"so does a full-width digit", U"0973633958\uff18", 5},
    {"empty text", U"", 0},
    {"an even length reads its last digit with weight 1", U"097363395843", 0},
    {"past 210 the result is the sum's last digit", std::u32string(21, U'9'), 7},
    {"characters past the 21st are not read", std::u32string(21, U'9') + U"12345", 7},
};

TEST(UpcCheckNumber, WeighsOddPositionsThree) {
  for (const auto& c : kUpcChecks) EXPECT_EQ(eanupc::upcCheckNumber(c.text), c.check) << c.name;
  EXPECT_EQ(eanupc::upcCheckNumber(U"0973633958A"), eanupc::upcCheckNumber(U"09736339580"));
}

struct EanCase {
  const char* name;
  const char32_t* data;
  const char* number;
};

// Numbers printed on products and books; their check digits are their own.
const EanCase kEans[] = {
    {"EAN-13 5901234123457", U"590123412345", "5901234123457"},
    {"ISBN 978-0-14-300723-4", U"978014300723", "9780143007234"},
    {"ISBN 978-0-306-40615-7", U"978030640615", "9780306406157"},
    {"JAN-13 prefix 49", U"490000000000", "4900000000009"},
    {"EAN-13 4006381333931", U"400638133393", "4006381333931"},
    {"twelve zeros", U"000000000000", "0000000000000"},
};

TEST(Ean13, AppendsTheCheckDigit) {
  for (const auto& c : kEans) {
    const Encoding encoding = eanupc::encodeEan13(c.data);
    EXPECT_EQ(text(encoding), c.number) << c.name;
    EXPECT_EQ(std::get<eanupc::Symbol>(encoding).modules.size(), 95u) << c.name;
  }
}

TEST(Ean13, UpcAIsEan13WithALeadingZero) {
  for (const char32_t* number : {U"097363395843", U"036000291452", U"012345678905"}) {
    const std::u32string upc(number);
    const auto ean = std::get<eanupc::Symbol>(eanupc::encodeEan13(U"0" + upc.substr(0, 11)));
    const auto upca = std::get<eanupc::Symbol>(eanupc::encodeUpcA(upc));
    EXPECT_EQ(upca.modules, ean.modules);
    EXPECT_EQ("0" + upca.number, ean.number);
  }
}

struct RejectCase {
  const char* name;
  Encoding (*encode)(std::u32string_view);
  std::u32string data;
  std::variant<eanupc::WrongLength, eanupc::NotADigit> expected;
};

const RejectCase kRejects[] = {
    {"EAN-13 of eleven", eanupc::encodeEan13, U"59012341234", eanupc::WrongLength{11, 12}},
    {"EAN-13 of thirteen", eanupc::encodeEan13, U"5901234123457", eanupc::WrongLength{13, 12}},
    {"EAN-13 letter last", eanupc::encodeEan13, U"59012341234A", eanupc::NotADigit{U'A', 11}},
    {"EAN-13 blank", eanupc::encodeEan13, U"590123 12345", eanupc::NotADigit{U' ', 6}},
    {"EAN-13 sign first", eanupc::encodeEan13, U"-90123412345", eanupc::NotADigit{U'-', 0}},
    {"EAN-13 full-width digit", eanupc::encodeEan13, U"\uff1590123412345",
     eanupc::NotADigit{U'\uff15', 0}},
    {"EAN-13 Arabic-Indic digit", eanupc::encodeEan13, U"59012341234\u0665",
     eanupc::NotADigit{U'\u0665', 11}},
    {"UPC-A of eleven", eanupc::encodeUpcA, U"09736339584", eanupc::WrongLength{11, 12}},
    {"UPC-A letter", eanupc::encodeUpcA, U"0973633958A3", eanupc::NotADigit{U'A', 10}},
};

TEST(EanUpc, RejectsTheFirstFault) {
  for (const auto& c : kRejects) {
    const Encoding encoding = c.encode(c.data);
    if (const auto* wanted = std::get_if<eanupc::WrongLength>(&c.expected)) {
      const auto* got = std::get_if<eanupc::WrongLength>(&encoding);
      ASSERT_NE(got, nullptr) << c.name;
      EXPECT_EQ(got->length, wanted->length) << c.name;
      EXPECT_EQ(got->wanted, wanted->wanted) << c.name;
    } else {
      const auto& want = std::get<eanupc::NotADigit>(c.expected);
      const auto* got = std::get_if<eanupc::NotADigit>(&encoding);
      ASSERT_NE(got, nullptr) << c.name;
      EXPECT_EQ(got->character, want.character) << c.name;
      EXPECT_EQ(got->position, want.position) << c.name;
    }
  }
}

}  // namespace

namespace {

// The modules zxing-cpp's writer makes of a number, "1" dark: an encoder
// written by others from the same standard.
std::string zxingModules(ZXing::BarcodeFormat format, const std::string& number) {
  ZXing::MultiFormatWriter writer(format);
  writer.setMargin(0);
  const ZXing::BitMatrix matrix = writer.encode(number, 0, 1);
  std::string modules;
  for (int x = 0; x < matrix.width(); ++x) modules += matrix.get(x, 0) ? '1' : '0';
  return modules;
}

// Every first digit chooses its own mix of number sets for the left half, so
// each is tried: a wrong row for one digit would pass every other number.
TEST(EanUpc, ModulesEqualZxingCppsForEveryFirstDigit) {
  for (char first = '0'; first <= '9'; ++first) {
    const std::string data = std::string(1, first) + "12345678901";
    const auto symbol =
        std::get<eanupc::Symbol>(eanupc::encodeEan13(std::u32string(data.begin(), data.end())));
    EXPECT_EQ(symbol.modules, zxingModules(ZXing::BarcodeFormat::EAN13, symbol.number))
        << "first digit " << first;
  }
  for (const char* number : {"097363395843", "036000291452", "012345678905"}) {
    const std::string text(number);
    const auto symbol =
        std::get<eanupc::Symbol>(eanupc::encodeUpcA(std::u32string(text.begin(), text.end())));
    EXPECT_EQ(symbol.modules, zxingModules(ZXing::BarcodeFormat::UPCA, text)) << number;
  }
}

}  // namespace

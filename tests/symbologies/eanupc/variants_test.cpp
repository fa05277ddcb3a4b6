// EAN-8, UPC-E, the add-ons and ISBN input: modules laid against libzint's,
// read back by zxing-cpp and zbar, and every refusal naming its position.
#include "symbologies/eanupc/variants.h"

#include <gtest/gtest.h>

#include "tests/symbologies/variants_support.h"

namespace {

using namespace varianttest;
using ZXing::BarcodeFormat;
constexpr auto kEan8 = BarcodeFormat::EAN8, kUpcE = BarcodeFormat::UPCE;
constexpr auto kEan13 = BarcodeFormat::EAN13;

// Our modules and number (for UPC-E the UPC-A it stands for); an add-on
// after "+" stands the least gap to the right.
std::pair<std::string, std::string> encode(BarcodeFormat format, std::u32string_view text) {
  const auto split = std::get<eanupc::AddOnSplit>(eanupc::splitAddOn(text));
  const auto take = [](const auto& s) {
    if constexpr (requires { s.upcA; })
      return std::pair{s.modules, s.upcA};
    else
      return std::pair{s.modules, s.number};
  };
  auto out = format == kEan8   ? take(std::get<eanupc::Ean8Symbol>(eanupc::encodeEan8(split.main)))
             : format == kUpcE ? take(std::get<eanupc::UpcESymbol>(eanupc::encodeUpcE(split.main)))
                               : take(std::get<eanupc::Symbol>(eanupc::encodeEan13(split.main)));
  if (split.addOn.empty()) return out;
  const auto addOn = std::get<eanupc::AddOnSymbol>(eanupc::encodeAddOn(split.addOn));
  out.first += std::string(eanupc::kAddOnGapMin, '0') + addOn.modules;
  return out;
}

struct ReadCase {
  const char* name;
  BarcodeFormat format;
  std::u32string text;
  const char* number;  // check digits worked by hand: GS1 modulo 10 of the UPC-A
  std::string read;    // zxing-cpp's text; libzint is given it, zbar reads it too
  bool zbarReads = true;
};

// clang-format off
const ReadCase kReads[] = {
    {"EAN-8: 3(9+3+5+7) + 6+8+0 = 86, check 4", kEan8, U"9638507", "96385074", "96385074"},
    {"EAN-8 with its check digit", kEan8, U"55123457", "55123457", "55123457"},
    {"UPC-E of 6, last 5-9: 0 12345 0000 6", kUpcE, U"123456", "012345000065", "01234565"},
    {"UPC-E 1 234560, last 0-2: 1 23 0 0000 456; zbar reads system 0 only", kUpcE, U"1234560",
     "123000004561", "12345601", false},
    {"UPC-E of 8 with check", kUpcE, U"01234565", "012345000065", "01234565"},
    {"UPC-A 0 12000 00345 is 123450", kUpcE, U"01200000345", "012000003455", "01234505"},
    {"UPC-A 0 12300 00045 is 123453", kUpcE, U"012300000451", "012300000451", "01234531"},
    {"UPC-A 0 12340 00005 is 123454", kUpcE, U"01234000005", "012340000053", "01234543"},
    {"EAN-2 12: 12 mod 4 = 0, LL", kEan13, U"590123412345+12", "5901234123457", "5901234123457 12"},
    {"EAN-2 07: 3, GG", kEan13, U"590123412345+07", "5901234123457", "5901234123457 07"},
    {"EAN-5 86104: 3(8+1+4) + 9(6+0) = 93, sets of 3", kEan13, U"590123412345+86104",
     "5901234123457", "5901234123457 86104"},
    {"UPC-E + EAN-5", kUpcE, U"123456+52495", "012345000065", "01234565 52495"},
};
// clang-format on

TEST(EanUpcVariants, ModulesAreZintsAndBothReadersReadThem) {
  for (const auto& c : kReads) {
    const auto [modules, number] = encode(c.format, c.text);
    const bool addOn = c.read.find(' ') != std::string::npos;
    std::string zint = c.read, zbar = c.read;
    if (addOn) zint[zint.find(' ')] = '+', zbar.erase(zbar.find(' '), 1);
    if (c.format == kEan8) zint.pop_back();  // libzint takes eight digits for EAN-13
    EXPECT_EQ(number, c.number) << c.name;
    EXPECT_EQ(modules, zintModules(c.format == kUpcE ? BARCODE_UPCE : BARCODE_EANX, zint))
        << c.name;
    const char* id = addOn ? "|]E3" : c.format == kEan8 ? "|]E4" : "|]E0";
    EXPECT_EQ(zxingRead(modules, c.format, addOn), c.read + id) << c.name;
    const std::string kind = addOn ? "COMPOSITE " : c.format == kEan8 ? "EAN-8 " : "UPC-E ";
    EXPECT_EQ(zbarRead(modules), c.zbarReads ? std::optional(kind + zbar) : std::nullopt) << c.name;
  }
}

struct IsbnCase {
  const char* name;
  std::u32string typed;
  const char* zint;           // libzint's ISBN symbol takes the bare characters
  std::u32string isbn13Text;  // its digits are what zxing-cpp and zbar read
};

// clang-format off
const IsbnCase kIsbns[] = {
    {"ISBN-13 with hyphens", U"978-0-306-40615-7", "9780306406157", U"978-0-306-40615-7"},
    {"ISBN-10, check 2: 978 and a new check 7", U"0-306-40615-2", "0306406152", U"978-0-306-40615-7"},
    {"ISBN-10 ending x, with prefix", U" ISBN: 0-8044-2957-x ", "080442957X", U"978-0-8044-2957-3"},
    {"ISBN-10 with spaces", U"0 14 300723 8", "0143007238", U"978 0 14 300723 4"},
    {"ISBN-13 bare, 979", U"9791090636071", "9791090636071", U"9791090636071"},
};
// clang-format on

TEST(EanUpcVariants, IsbnBecomesTheEan13Zint) {
  for (const auto& c : kIsbns) {
    const auto isbn = std::get<eanupc::Isbn>(eanupc::readIsbn(c.typed));
    const auto symbol = std::get<eanupc::Symbol>(eanupc::encodeEan13(isbn.ean13Data));
    std::string digits;
    for (const char32_t d : c.isbn13Text)
      if (d != U'-' && d != U' ') digits.push_back(static_cast<char>(d));
    EXPECT_EQ(symbol.modules, zintModules(BARCODE_ISBNX, c.zint)) << c.name;
    EXPECT_EQ(zxingRead(symbol.modules, kEan13), digits + "|]E0") << c.name;
    EXPECT_EQ(zbarRead(symbol.modules), "ISBN-13 " + digits) << c.name;
    EXPECT_EQ(isbn.hyphenated, digits.size() != c.isbn13Text.size()) << c.name;
    EXPECT_EQ(isbn.isbn13Text, c.isbn13Text) << c.name;
  }
}

TEST(EanUpcVariants, RefusalsNameThePosition) {
  using namespace eanupc;
  const struct {
    const char* name;
    std::string got, refused;
  } cases[] = {
      // clang-format off
      {"EAN-8 check 5 for 4", describe(encodeEan8(U"96385075")), "WrongCheckDigit at 7 should be 4"},
      {"EAN-8 of 6", describe(encodeEan8(U"963850")), "WrongLength of 6"},
      {"EAN-8 letter", describe(encodeEan8(U"96385a7")), "NotADigit at 5"},
      {"UPC-E system 2", describe(encodeUpcE(U"2123456")), "NotNumberSystem01 at 0"},
      {"UPC-E check 6 for 5", describe(encodeUpcE(U"01234566")), "WrongCheckDigit at 7 should be 5"},
      {"UPC-A check", describe(encodeUpcE(U"012345000066")), "WrongCheckDigit at 11 should be 5"},
      {"12000: items to 999", describe(encodeUpcE(U"01200001345")), "DoesNotCompress at 7 shape 0"},
      {"12300: items to 99", describe(encodeUpcE(U"01230000145")), "DoesNotCompress at 8 shape 1"},
      {"12340: items to 9", describe(encodeUpcE(U"01234000015")), "DoesNotCompress at 9 shape 2"},
      {"12345: items 5 to 9", describe(encodeUpcE(U"01234500003")), "DoesNotCompress at 10 shape 3"},
      {"add-on of 3", describe(splitAddOn(U"5901234123457+123")), "WrongAddOnLength at 13 of 3"},
      {"second +", describe(splitAddOn(U"590123412345+1+")), "NotADigit at 14"},
      {"ISBN-10 check 3 for 2", describe(readIsbn(U"0-306-40615-3")), "WrongCheckDigit at 12 should be 2"},
      {"ISBN-10 check X", describe(readIsbn(U"0804429571")), "WrongCheckDigit at 9 should be X"},
      {"ISBN-13 check", describe(readIsbn(U"978-0-306-40615-8")), "WrongCheckDigit at 16 should be 7"},
      {"ISBN-13 977", describe(readIsbn(U"9770306406157")), "NotBookland at 2"},
      {"X inside", describe(readIsbn(U"0-306-4061X-2")), "NotADigit at 10"},
      {"two hyphens", describe(readIsbn(U"0--306406152")), "NotADigit at 2"},
      {"ISBN of 12", describe(readIsbn(U"978030640615")), "WrongLength of 12"},
      // clang-format on
  };
  for (const auto& c : cases) EXPECT_EQ(c.got, c.refused) << c.name;
}

}  // namespace

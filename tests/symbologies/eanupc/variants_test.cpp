// EAN-8, UPC-E, the add-ons and ISBN input: modules laid against libzint's,
// read back by zxing-cpp and zbar, and every refusal naming its position.
#include "symbologies/eanupc/variants.h"

#include <gtest/gtest.h>

#include "tests/symbologies/variants_support.h"

namespace {

using namespace varianttest;
using ZXing::BarcodeFormat;

// Our modules and number: EAN-8, UPC-E (its UPC-A number), or EAN-13 from
// twelve digits; an add-on after "+" stands the least gap to the right.
std::pair<std::string, std::string> encode(BarcodeFormat format, std::u32string_view text) {
  const auto split = std::get<eanupc::AddOnSplit>(eanupc::splitAddOn(text));
  std::pair<std::string, std::string> out;
  if (format == BarcodeFormat::EAN8) {
    const auto s = std::get<eanupc::Ean8Symbol>(eanupc::encodeEan8(split.main));
    out = {s.modules, s.number};
  } else if (format == BarcodeFormat::UPCE) {
    const auto s = std::get<eanupc::UpcESymbol>(eanupc::encodeUpcE(split.main));
    out = {s.modules, s.upcA};
  } else {
    const auto s = std::get<eanupc::Symbol>(eanupc::encodeEan13(split.main));
    out = {s.modules, s.number};
  }
  if (!split.addOn.empty())
    out.first += std::string(eanupc::kAddOnGapMin, '0') +
                 std::get<eanupc::AddOnSymbol>(eanupc::encodeAddOn(split.addOn)).modules;
  return out;
}

struct ReadCase {
  const char* name;
  BarcodeFormat format;
  std::u32string text;
  const char* number;  // check digits worked by hand (GS1 modulo 10)
  int zint;
  const char* zintData;
  const char* zxing;  // text|symbology identifier
  const char* zbar;   // nullptr: not read
};

constexpr auto kEan8 = BarcodeFormat::EAN8, kUpcE = BarcodeFormat::UPCE,
               kEan13 = BarcodeFormat::EAN13;

const ReadCase kReads[] = {
    {"EAN-8 of 7: 3(9+3+5+7) + 6+8+0 = 86, check 4", kEan8, U"9638507", "96385074", BARCODE_EANX,
     "9638507", "96385074|]E4", "EAN-8 96385074"},
    {"EAN-8 with its check digit", kEan8, U"55123457", "55123457", BARCODE_EANX, "5512345",
     "55123457|]E4", "EAN-8 55123457"},
    {"UPC-E of 6, last 5-9: 0 12345 0000 6", kUpcE, U"123456", "012345000065", BARCODE_UPCE,
     "0123456", "01234565|]E0", "UPC-E 01234565"},
    {"UPC-E 1 234560, last 0-2: 1 23 0 0000 456 (zbar reads system 0 only)", kUpcE, U"1234560",
     "123000004561", BARCODE_UPCE, "1234560", "12345601|]E0", nullptr},
    {"UPC-E of 8 with check", kUpcE, U"01234565", "012345000065", BARCODE_UPCE, "0123456",
     "01234565|]E0", "UPC-E 01234565"},
    {"UPC-A 0 12000 00345 -> 123450", kUpcE, U"01200000345", "012000003455", BARCODE_UPCE,
     "0123450", "01234505|]E0", "UPC-E 01234505"},
    {"UPC-A 0 12300 00045 -> 123453", kUpcE, U"012300000451", "012300000451", BARCODE_UPCE,
     "0123453", "01234531|]E0", "UPC-E 01234531"},
    {"UPC-A 0 12340 00005 -> 123454", kUpcE, U"01234000005", "012340000053", BARCODE_UPCE,
     "0123454", "01234543|]E0", "UPC-E 01234543"},
    {"EAN-13 + EAN-2 12: 12 mod 4 = 0, LL", kEan13, U"590123412345+12", "5901234123457",
     BARCODE_EANX, "5901234123457+12", "5901234123457 12|]E3", "COMPOSITE 590123412345712"},
    {"EAN-13 + EAN-2 07: GG", kEan13, U"590123412345+07", "5901234123457", BARCODE_EANX,
     "5901234123457+07", "5901234123457 07|]E3", "COMPOSITE 590123412345707"},
    {"EAN-13 + EAN-5 86104: 3(8+1+4) + 9(6+0) = 93, sets 3", kEan13, U"590123412345+86104",
     "5901234123457", BARCODE_EANX, "5901234123457+86104", "5901234123457 86104|]E3",
     "COMPOSITE 590123412345786104"},
    {"UPC-E + EAN-5 52495", kUpcE, U"123456+52495", "012345000065", BARCODE_UPCE, "0123456+52495",
     "01234565 52495|]E3", "COMPOSITE 0123456552495"},
};

TEST(EanUpcVariants, ModulesAreZintsAndBothReadersReadThem) {
  for (const auto& c : kReads) {
    const auto [modules, number] = encode(c.format, c.text);
    EXPECT_EQ(number, c.number) << c.name;
    EXPECT_EQ(modules, zintModules(c.zint, c.zintData)) << c.name;
    EXPECT_EQ(zxingRead(modules, c.format, c.text.find(U'+') != std::u32string::npos),
              std::optional<std::string>(c.zxing))
        << c.name;
    EXPECT_EQ(zbarRead(modules), c.zbar ? std::optional<std::string>(c.zbar) : std::nullopt)
        << c.name;
  }
}

TEST(EanUpcVariants, ModuleCounts) {
  EXPECT_EQ(encode(kEan8, U"9638507").first.size(), eanupc::kEan8Modules);
  EXPECT_EQ(encode(kUpcE, U"123456").first.size(), eanupc::kUpcEModules);
  EXPECT_EQ(std::get<eanupc::AddOnSymbol>(eanupc::encodeAddOn(U"12")).modules.size(), 20u);
  EXPECT_EQ(std::get<eanupc::AddOnSymbol>(eanupc::encodeAddOn(U"12345")).modules.size(), 47u);
}

// libzint's ISBN symbol takes the bare digits; ours what was typed.
struct IsbnCase {
  const char* name;
  std::u32string typed;
  const char* zintData;
  const char* ean13;  // read by zxing-cpp
  bool hyphenated;
  std::u32string isbn13Text;
};

const IsbnCase kIsbns[] = {
    {"ISBN-13 with hyphens", U"978-0-306-40615-7", "9780306406157", "9780306406157", true,
     U"978-0-306-40615-7"},
    {"ISBN-10, check 2: 978 and a new check 7", U"0-306-40615-2", "0306406152", "9780306406157",
     true, U"978-0-306-40615-7"},
    {"ISBN-10 ending x, with prefix", U" ISBN: 0-8044-2957-x ", "080442957X", "9780804429573", true,
     U"978-0-8044-2957-3"},
    {"ISBN-10 with spaces", U"0 14 300723 8", "0143007238", "9780143007234", true,
     U"978 0 14 300723 4"},
    {"ISBN-13 bare, 979", U"9791090636071", "9791090636071", "9791090636071", false,
     U"9791090636071"},
};

TEST(EanUpcVariants, IsbnBecomesTheEan13Zint) {
  for (const auto& c : kIsbns) {
    const auto isbn = std::get<eanupc::Isbn>(eanupc::readIsbn(c.typed));
    const auto symbol = std::get<eanupc::Symbol>(eanupc::encodeEan13(isbn.ean13Data));
    EXPECT_EQ(symbol.modules, zintModules(BARCODE_ISBNX, c.zintData)) << c.name;
    EXPECT_EQ(zxingRead(symbol.modules, kEan13), std::string(c.ean13) + "|]E0") << c.name;
    EXPECT_EQ(isbn.hyphenated, c.hyphenated) << c.name;
    EXPECT_EQ(isbn.isbn13Text, c.isbn13Text) << c.name;
  }
}

template <class... F>
struct Overloaded : F... {
  using F::operator()...;
};

template <class Outcome>
std::string describe(const Outcome& outcome) {
  using std::to_string;
  return std::visit(
      Overloaded{
          [](const eanupc::WrongLength& r) { return "length " + to_string(r.length); },
          [](const eanupc::NotADigit& r) { return "not a digit at " + to_string(r.position); },
          [](const eanupc::WrongCheckDigit& r) {
            return "check at " + to_string(r.position) + " should be " +
                   static_cast<char>(r.expected);
          },
          [](const eanupc::NotNumberSystem01& r) { return "system at " + to_string(r.position); },
          [](const eanupc::DoesNotCompress& r) {
            return "no UPC-E at " + to_string(r.position) + " shape " +
                   to_string(static_cast<int>(r.manufacturer));
          },
          [](const eanupc::NotBookland& r) { return "not 978/979 at " + to_string(r.position); },
          [](const eanupc::WrongAddOnLength& r) { return "add-on of " + to_string(r.length); },
          [](const auto&) { return std::string("accepted"); }},
      outcome);
}

struct RefusalCase {
  const char* name;
  std::string got;
  const char* refused;
};

TEST(EanUpcVariants, RefusalsNameThePosition) {
  const RefusalCase cases[] = {
      {"EAN-8 check 5 for 4", describe(eanupc::encodeEan8(U"96385075")), "check at 7 should be 4"},
      {"EAN-8 of 6", describe(eanupc::encodeEan8(U"963850")), "length 6"},
      {"EAN-8 letter", describe(eanupc::encodeEan8(U"96385a7")), "not a digit at 5"},
      {"UPC-E system 2", describe(eanupc::encodeUpcE(U"2123456")), "system at 0"},
      {"UPC-E check 6 for 5", describe(eanupc::encodeUpcE(U"01234566")), "check at 7 should be 5"},
      {"UPC-A check", describe(eanupc::encodeUpcE(U"012345000066")), "check at 11 should be 5"},
      {"12000: items to 999 only", describe(eanupc::encodeUpcE(U"01200001345")),
       "no UPC-E at 7 shape 0"},
      {"12300: items to 99 only", describe(eanupc::encodeUpcE(U"01230000145")),
       "no UPC-E at 8 shape 1"},
      {"12340: items to 9 only", describe(eanupc::encodeUpcE(U"01234000015")),
       "no UPC-E at 9 shape 2"},
      {"12345: items 5 to 9 only", describe(eanupc::encodeUpcE(U"01234500003")),
       "no UPC-E at 10 shape 3"},
      {"add-on of 3", describe(eanupc::splitAddOn(U"5901234123457+123")), "add-on of 3"},
      {"second +", describe(eanupc::splitAddOn(U"590123412345+1+")), "not a digit at 14"},
      {"ISBN-10 check 3 for 2", describe(eanupc::readIsbn(U"0-306-40615-3")),
       "check at 12 should be 2"},
      {"ISBN-10 check X wanted", describe(eanupc::readIsbn(U"0804429571")),
       "check at 9 should be X"},
      {"ISBN-13 check", describe(eanupc::readIsbn(U"978-0-306-40615-8")),
       "check at 16 should be 7"},
      {"ISBN-13 977", describe(eanupc::readIsbn(U"9770306406157")), "not 978/979 at 2"},
      {"X inside", describe(eanupc::readIsbn(U"0-306-4061X-2")), "not a digit at 10"},
      {"two hyphens", describe(eanupc::readIsbn(U"0--306406152")), "not a digit at 2"},
      {"ISBN of 12", describe(eanupc::readIsbn(U"978030640615")), "length 12"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.got, c.refused) << c.name;
}

}  // namespace

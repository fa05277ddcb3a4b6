// Every character of each symbology's table, drawn by zint and read by the grader's
// reference decode: what it reads must be what zbarimg reads from the same file.

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "support.h"
#include "verify/grade.h"

namespace {

using verify::Symbology;
using namespace verifytest;

struct CharsetCase {
  const char* name;
  const char* zintType;
  std::string data;
  Symbology symbology;
  const char* zbarimgOptions;
  const char* expected = nullptr;  // when zbarimg cannot read it
};

std::string controls() {
  std::string s;
  for (char c = 1; c < 32; ++c) s += c;
  return s + "ABC";
}

// zint draws at most 60 Code 128 characters: printable ASCII in two symbols.
std::string printable(char from, char to) {
  std::string s;
  for (char c = from; c < to; ++c) s += c;
  return s;
}

const CharsetCase kCharsetCases[] = {
    {"code39_all_43", "8", "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%", Symbology::Code39,
     "-Scode39.enable"},
    {"codabar_all_16_between_c_and_d", "18", "C0123456789-$:/.+D", Symbology::Codabar,
     "-Scodabar.enable"},
    {"code128_printable_ascii_to_o", "20", printable(32, 80), Symbology::Code128,
     "-Scode128.enable"},
    {"code128_printable_ascii_from_p", "20", printable(80, 127), Symbology::Code128,
     "-Scode128.enable"},
    {"code128_control_characters", "20", controls(), Symbology::Code128, "-Scode128.enable"},
    {"interleaved_2_of_5_all_digits", "3", "01234567890123456789", Symbology::Interleaved2of5,
     "-Si25.enable"},
    // First digits 1, 5 and 9 give the left half three patterns of sets A and B.
    {"ean13_first_digit_1", "13", "123456789012", Symbology::Ean13, "-Sean13.enable"},
    {"ean13_first_digit_5", "13", "567890123456", Symbology::Ean13, "-Sean13.enable"},
    {"ean13_first_digit_9", "13", "901234567890", Symbology::Ean13, "-Sean13.enable"},
    {"ean8_all_digits", "13", "8901234", Symbology::Ean8, "-Sean8.enable"},
    // zbar reads no UPC-E of number system 1. By hand: 1 654321 stands for UPC-A
    // 1 65100 00432; weights 3, 1, ... from the right give 46, so the check digit is 4.
    {"upce_number_system_1", "37", "1654321", Symbology::UpcE, "-Supce.enable", "16543214"},
    {"upce_number_system_0", "37", "0654321", Symbology::UpcE, "-Supce.enable"},
};

void PrintTo(const CharsetCase& c, std::ostream* os) { *os << c.name; }

class Charsets : public testing::TestWithParam<CharsetCase> {};

TEST_P(Charsets, ReadAsZbarimgReadsThem) {
  const CharsetCase& c = GetParam();
  TempDir dir;
  const auto input = dir.file("data.txt");
  std::ofstream(input, std::ios::binary) << c.data;
  const auto file = dir.file("zint.png");
  ASSERT_EQ(run(std::string("zint -b ") + c.zintType + " --scale=2 --notext --quietzones -i " +
                quoted(input) + " -o " + quoted(file))
                .status,
            0);
  std::string expected = c.expected != nullptr ? c.expected : "";
  const verifytest::Run zbar =
      run(std::string("zbarimg -q --raw -Sdisable ") + c.zbarimgOptions + " " + quoted(file));
  if (c.expected == nullptr) {
    ASSERT_EQ(zbar.status, 0);
    expected = zbar.out;
    if (!expected.empty() && expected.back() == '\n') expected.pop_back();
  }
  const auto image = loadImage(file, kDpmm300);
  ASSERT_TRUE(image);
  verify::GradeOptions options;
  options.spreadSweep = false;
  const verify::Report report = verify::grade(*image, c.symbology, options);
  EXPECT_EQ(report.text, expected);
  EXPECT_DOUBLE_EQ(report.grade, 4.0) << verify::lineTable(report);
}

INSTANTIATE_TEST_SUITE_P(ZintSymbols, Charsets, testing::ValuesIn(kCharsetCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

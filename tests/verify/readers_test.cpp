// Our two readers against the same decoders run another way: zbarimg on the file, and
// zxing-cpp on the file's RGB pixels with every format allowed.

#include <gtest/gtest.h>

#define ZX_USE_UTF8 1
#include <ZXing/ReadBarcode.h>

#include <optional>
#include <string>

#include "support.h"
#include "verify/readers.h"

namespace {

using verify::Symbology;
using namespace verifytest;

struct ReaderCase {
  const char* name;
  const char* zint;
  const char* convert;  // applied to zint's file; empty: none
  Symbology symbology;
  const char* zbarimgOptions;
  const char* zbarType;  // how zbarimg names the symbology
  ZXing::BarcodeFormat format;
  // Coloured bars: zbarimg and zxing-cpp see luminance, a 660 nm scanner the red channel,
  // so they are given that channel alone.
  bool redChannel = false;
};

const ReaderCase kReaderCases[] = {
    {"ean13", "-b 13 -d 400638133393 --scale=2 --notext", "", Symbology::Ean13, "-Sean13.enable",
     "EAN-13", ZXing::BarcodeFormat::EAN13},
    {"ean13_grey", "-b 13 -d 400638133393 --scale=2 --notext", "+level 20%,80%", Symbology::Ean13,
     "-Sean13.enable", "EAN-13", ZXing::BarcodeFormat::EAN13},
    {"ean13_quiet_zone_cut_to_one_module", "-b 13 -d 400638133393 --scale=2 --notext",
     "-crop +40+0 +repage", Symbology::Ean13, "-Sean13.enable", "EAN-13",
     ZXing::BarcodeFormat::EAN13},
    {"ean13_red_bars", "-b 13 -d 400638133393 --scale=2 --notext --fg=FF0000", "", Symbology::Ean13,
     "-Sean13.enable", "EAN-13", ZXing::BarcodeFormat::EAN13, true},
    {"upca", "-b 34 -d 03600029145 --scale=2 --notext", "", Symbology::UpcA,
     "-Sean13.enable -Supca.enable", "UPC-A", ZXing::BarcodeFormat::UPCA},
    {"ean8", "-b 13 -d 1234567 --scale=2 --notext", "", Symbology::Ean8, "-Sean8.enable", "EAN-8",
     ZXing::BarcodeFormat::EAN8},
    {"upce", "-b 37 -d 0123456 --scale=2 --notext", "", Symbology::UpcE, "-Supce.enable", "UPC-E",
     ZXing::BarcodeFormat::UPCE},
    {"code128", "-b 20 -d ABCDEFGHIJ0123456789 --scale=2 --notext --quietzones", "",
     Symbology::Code128, "-Scode128.enable", "CODE-128", ZXing::BarcodeFormat::Code128},
    {"code128_without_quiet_zones", "-b 20 -d ABCDEFGHIJ0123456789 --scale=2 --notext", "",
     Symbology::Code128, "-Scode128.enable", "CODE-128", ZXing::BarcodeFormat::Code128},
    {"gs1_128", "-b 16 -d [01]09501101530003 --scale=2 --notext --quietzones", "",
     Symbology::Gs1_128, "-Scode128.enable", "CODE-128", ZXing::BarcodeFormat::Code128},
    {"code39", "-b 8 -d CODE39 --scale=2 --notext --quietzones", "", Symbology::Code39,
     "-Scode39.enable", "CODE-39", ZXing::BarcodeFormat::Code39},
    {"interleaved_2_of_5", "-b 3 -d 12345678 --scale=2 --notext --quietzones", "",
     Symbology::Interleaved2of5, "-Si25.enable -Si25.min-length=4", "I2/5",
     ZXing::BarcodeFormat::ITF},
    {"itf14", "-b 89 -d 1234567890123 --scale=2 --notext", "", Symbology::Itf14,
     "-Si25.enable -Si25.min-length=14 -Si25.max-length=14", "I2/5", ZXing::BarcodeFormat::ITF},
    {"codabar", "-b 18 -d A1234B --scale=2 --notext --quietzones", "", Symbology::Codabar,
     "-Scodabar.enable", "Codabar", ZXing::BarcodeFormat::Codabar},
};

std::optional<std::string> zbarimg(const std::filesystem::path& file, const ReaderCase& c) {
  const Run r = run(std::string("zbarimg -q -Sdisable ") + c.zbarimgOptions + " " + quoted(file));
  const std::string prefix = std::string(c.zbarType) + ":";
  if (r.status != 0 || r.out.rfind(prefix, 0) != 0) return std::nullopt;
  std::string text = r.out.substr(prefix.size());
  if (!text.empty() && text.back() == '\n') text.pop_back();
  return text;
}

std::optional<std::string> zxingOnRgb(const Png& png, ZXing::BarcodeFormat format) {
  std::vector<unsigned char> rgb;
  for (std::size_t i = 0; i < png.rgba.size(); i += 4)
    rgb.insert(rgb.end(), png.rgba.begin() + static_cast<std::ptrdiff_t>(i),
               png.rgba.begin() + static_cast<std::ptrdiff_t>(i) + 3);
  const ZXing::ImageView view(rgb.data(), png.width, png.height, ZXing::ImageFormat::RGB);
  for (const ZXing::Result& r : ZXing::ReadBarcodes(view, ZXing::DecodeHints()))
    if (r.format() == format) return r.text();
  return std::nullopt;
}

void PrintTo(const ReaderCase& c, std::ostream* os) { *os << c.name; }

class Readers : public testing::TestWithParam<ReaderCase> {};

TEST_P(Readers, AgreeWithZbarimgAndZxingOnTheSameFile) {
  const ReaderCase& c = GetParam();
  TempDir dir;
  const auto drawn = dir.file("zint.png");
  ASSERT_EQ(run("zint " + std::string(c.zint) + " -o " + quoted(drawn)).status, 0);
  auto file = drawn;
  if (*c.convert != '\0') {
    file = dir.file("changed.png");
    ASSERT_EQ(run("convert " + quoted(drawn) + " " + c.convert + " " + quoted(file)).status, 0);
  }
  auto seen = file;
  if (c.redChannel) {
    seen = dir.file("red.png");
    ASSERT_EQ(run("convert " + quoted(file) + " -channel R -separate " + quoted(seen)).status, 0);
  }
  const std::optional<verify::Image> image = loadImage(file, kDpmm300);
  const std::optional<Png> png = loadPng(seen);
  ASSERT_TRUE(image && png);

  const verify::Reading ourZbar = verify::readZbar(*image, c.symbology);
  EXPECT_EQ(ourZbar.text, zbarimg(seen, c)) << ourZbar.why;
  const verify::Reading ourZxing = verify::readZxing(*image, c.symbology);
  EXPECT_EQ(ourZxing.text, zxingOnRgb(*png, c.format)) << ourZxing.why;
  EXPECT_TRUE(ourZbar.text || !ourZbar.why.empty());
  EXPECT_TRUE(ourZxing.text || !ourZxing.why.empty());
}

INSTANTIATE_TEST_SUITE_P(ZintFiles, Readers, testing::ValuesIn(kReaderCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

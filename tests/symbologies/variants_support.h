#pragma once

// Independent oracles for the variant encoders: libzint's modules for the
// same data, and what zxing-cpp and zbar read from our modules drawn 3 pixels
// a module, 10 light modules each side, 60 pixels tall.

// zbar before zxing-cpp, whose error macros would rename zbar's C++ classes.
#include <zbar.h>
#include <zint.h>
#define ZX_USE_UTF8 1
#include <ZXing/ReadBarcode.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "symbologies/linear/linear.h"

namespace varianttest {

// Linear symbols at one pixel a module, as libzint counts them.
inline const linear::Settings kTight{0, 1, 0};

// libzint's modules of the data, "1" dark, or "zint: " and its message when it
// refuses the data or warns that it is not as GS1 requires.
inline std::string zintModules(int symbology, const std::string& data, int inputMode = DATA_MODE) {
  zint_symbol* symbol = ZBarcode_Create();
  symbol->symbology = symbology;
  symbol->input_mode = inputMode;
  const int error = ZBarcode_Encode(symbol, reinterpret_cast<const unsigned char*>(data.data()),
                                    static_cast<int>(data.size()));
  std::string modules = error != 0 ? std::string("zint: ") + symbol->errtxt : "";
  for (int x = 0; error == 0 && x < symbol->width; ++x)
    modules.push_back(symbol->encoded_data[0][x / 8] >> (x % 8) & 1 ? '1' : '0');
  ZBarcode_Delete(symbol);
  // Codabar's row ends in a light module; every symbol ends on a bar.
  while (error == 0 && !modules.empty() && modules.back() == '0') modules.pop_back();
  return modules;
}

// The modules of a linear symbol, a wide element of NarrowWide `wide` modules.
inline std::string modulesOf(const linear::Symbol& symbol, int wide = 3) {
  std::string modules;
  for (std::size_t i = 0; i < symbol.elements.size(); ++i) {
    const int d = symbol.elements[i] - '0';
    const int width = symbol.kind == linear::ElementKind::Modules ? d : d == 1 ? wide : 1;
    modules.append(static_cast<std::size_t>(width), i % 2 == 0 ? '1' : '0');
  }
  return modules;
}

struct Grey {
  int width = 0, height = 60;
  std::vector<std::uint8_t> pixels;
};

inline Grey draw(const std::string& modules) {
  constexpr int kPixels = 3, kQuiet = 10;
  Grey grey;
  grey.width = (static_cast<int>(modules.size()) + 2 * kQuiet) * kPixels;
  grey.pixels.assign(static_cast<std::size_t>(grey.width * grey.height), 255);
  for (int y = 0; y < grey.height; ++y)
    for (std::size_t m = 0; m < modules.size(); ++m)
      for (int p = 0; p < kPixels && modules[m] == '1'; ++p)
        grey.pixels[static_cast<std::size_t>(y * grey.width +
                                             (kQuiet + static_cast<int>(m)) * kPixels + p)] = 0;
  return grey;
}

// zxing-cpp's text, its symbology identifier after a "|".
inline std::optional<std::string> zxingRead(const std::string& modules, ZXing::BarcodeFormat format,
                                            bool addOn = false) {
  const Grey grey = draw(modules);
  ZXing::DecodeHints hints;
  hints.setFormats(format);
  hints.setReturnCodabarStartEnd(true);
  hints.setValidateITFCheckSum(format == ZXing::BarcodeFormat::ITF);
  if (addOn) hints.setEanAddOnSymbol(ZXing::EanAddOnSymbol::Require);
  const ZXing::Result result = ZXing::ReadBarcode(
      {grey.pixels.data(), grey.width, grey.height, ZXing::ImageFormat::Lum}, hints);
  if (!result.isValid()) return std::nullopt;
  return result.text() + "|" + result.symbologyIdentifier();
}

// zbar's symbol type name, "GS1" when it says so, and data: "EAN-8 96385074".
inline std::optional<std::string> zbarRead(const std::string& modules) {
  Grey grey = draw(modules);
  zbar::zbar_image_scanner_t* scanner = zbar::zbar_image_scanner_create();
  zbar::zbar_image_scanner_set_config(scanner, zbar::ZBAR_NONE, zbar::ZBAR_CFG_ENABLE, 1);
  zbar::zbar_image_scanner_set_config(scanner, zbar::ZBAR_EAN2, zbar::ZBAR_CFG_ENABLE, 1);
  zbar::zbar_image_scanner_set_config(scanner, zbar::ZBAR_EAN5, zbar::ZBAR_CFG_ENABLE, 1);
  zbar::zbar_image_t* image = zbar::zbar_image_create();
  zbar::zbar_image_set_format(image, zbar_fourcc('Y', '8', '0', '0'));
  zbar::zbar_image_set_size(image, static_cast<unsigned>(grey.width),
                            static_cast<unsigned>(grey.height));
  zbar::zbar_image_set_data(image, grey.pixels.data(), grey.pixels.size(), nullptr);
  std::optional<std::string> read;
  if (zbar::zbar_scan_image(scanner, image) > 0) {
    const zbar::zbar_symbol_t* symbol = zbar::zbar_image_first_symbol(image);
    const bool gs1 = zbar::zbar_symbol_get_modifiers(symbol) & (1u << zbar::ZBAR_MOD_GS1);
    read = std::string(zbar::zbar_get_symbol_name(zbar::zbar_symbol_get_type(symbol))) +
           (gs1 ? " GS1 " : " ") + zbar::zbar_symbol_get_data(symbol);
  }
  zbar::zbar_image_destroy(image);
  zbar::zbar_image_scanner_destroy(scanner);
  return read;
}

}  // namespace varianttest

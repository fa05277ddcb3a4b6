#pragma once

// Independent oracles for the variant encoders: libzint's modules for the
// same data, and what zxing-cpp and zbar read from our modules.

// zbar before zxing-cpp, whose error macros would rename zbar's C++ classes.
#include <zbar.h>
#include <zint.h>
#define ZX_USE_UTF8 1
#include <ZXing/ReadBarcode.h>
#include <cxxabi.h>

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

// Grey pixels of the modules: 3 a module, 10 light modules each side, 60 rows.
inline std::vector<std::uint8_t> draw(const std::string& modules, int& width) {
  std::vector<std::uint8_t> row;
  for (const char m : "0000000000" + modules + "0000000000")
    row.insert(row.end(), 3, m == '1' ? 0 : 255);
  width = static_cast<int>(row.size());
  std::vector<std::uint8_t> pixels;
  for (int y = 0; y < 60; ++y) pixels.insert(pixels.end(), row.begin(), row.end());
  return pixels;
}

// zxing-cpp's text, its symbology identifier after a "|".
inline std::optional<std::string> zxingRead(const std::string& modules, ZXing::BarcodeFormat format,
                                            bool addOn = false) {
  int width = 0;
  const std::vector<std::uint8_t> pixels = draw(modules, width);
  ZXing::DecodeHints hints;
  hints.setFormats(format).setReturnCodabarStartEnd(true);
  hints.setValidateITFCheckSum(format == ZXing::BarcodeFormat::ITF);
  if (addOn) hints.setEanAddOnSymbol(ZXing::EanAddOnSymbol::Require);
  const auto result =
      ZXing::ReadBarcode({pixels.data(), width, 60, ZXing::ImageFormat::Lum}, hints);
  if (!result.isValid()) return std::nullopt;
  return result.text() + "|" + result.symbologyIdentifier();
}

// zbar's symbol type name, "GS1" when it says so, and data: "EAN-8 96385074".
inline std::optional<std::string> zbarRead(const std::string& modules) {
  using namespace zbar;
  int width = 0;
  std::vector<std::uint8_t> pixels = draw(modules, width);
  zbar_image_scanner_t* scanner = zbar_image_scanner_create();
  for (const zbar_symbol_type_t type : {ZBAR_NONE, ZBAR_EAN2, ZBAR_EAN5})
    zbar_image_scanner_set_config(scanner, type, ZBAR_CFG_ENABLE, 1);
  zbar_image_t* image = zbar_image_create();
  zbar_image_set_format(image, zbar_fourcc('Y', '8', '0', '0'));
  zbar_image_set_size(image, static_cast<unsigned>(width), 60);
  zbar_image_set_data(image, pixels.data(), pixels.size(), nullptr);
  std::optional<std::string> read;
  if (zbar_scan_image(scanner, image) > 0) {
    const zbar_symbol_t* symbol = zbar_image_first_symbol(image);
    const bool gs1 = zbar_symbol_get_modifiers(symbol) & (1u << ZBAR_MOD_GS1);
    read = std::string(zbar_get_symbol_name(zbar_symbol_get_type(symbol))) + (gs1 ? " GS1 " : " ") +
           zbar_symbol_get_data(symbol);
  }
  zbar_image_destroy(image);
  zbar_image_scanner_destroy(scanner);
  return read;
}

// What an encoder returned, "WrongCheckDigit at 7 should be 4": the type's
// name, then the position, length and expected character it carries.
template <class Outcome>
std::string describe(const Outcome& outcome) {
  return std::visit(
      [](const auto& r) {
        int status = 0;
        char* name = abi::__cxa_demangle(typeid(r).name(), nullptr, nullptr, &status);
        std::string s = name ? name : "?";
        std::free(name);
        s.erase(0, s.rfind(':') + 1);
        if constexpr (requires { r.position; }) s += " at " + std::to_string(r.position);
        if constexpr (requires { r.length; }) s += " of " + std::to_string(r.length);
        if constexpr (requires { r.expected; })
          s += " should be " + std::string(1, char(r.expected));
        if constexpr (requires { r.manufacturer; })
          s += " shape " + std::to_string(static_cast<int>(r.manufacturer));
        return s;
      },
      outcome);
}

}  // namespace varianttest

#include "verify/readers.h"

// zbar first: zxing-cpp's error macros break zbar's C++ headers.
#include <zbar.h>

#define ZX_USE_UTF8 1
#include <ZXing/ReadBarcode.h>

#include <memory>

namespace verify {

namespace {

ZXing::BarcodeFormat zxingFormat(Symbology symbology) {
  using ZXing::BarcodeFormat;
  switch (symbology) {
    case Symbology::Code39:
      return BarcodeFormat::Code39;
    case Symbology::Interleaved2of5:
    case Symbology::Itf14:
      return BarcodeFormat::ITF;
    case Symbology::Code128:
    case Symbology::Gs1_128:
      return BarcodeFormat::Code128;
    case Symbology::Codabar:
      return BarcodeFormat::Codabar;
    case Symbology::Ean13:
      return BarcodeFormat::EAN13;
    case Symbology::UpcA:
      return BarcodeFormat::UPCA;
    case Symbology::Ean8:
      return BarcodeFormat::EAN8;
    case Symbology::UpcE:
      return BarcodeFormat::UPCE;
  }
  return BarcodeFormat::None;
}

bool badImage(const Image& image) {
  return image.width <= 0 || image.height <= 0 ||
         image.reflectance.size() !=
             static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height);
}

}  // namespace

Reading readZxing(const Image& image, Symbology symbology, bool addOn) {
  if (badImage(image)) return {std::nullopt, "empty image"};
  const ZXing::ImageView view(image.reflectance.data(), image.width, image.height,
                              ZXing::ImageFormat::Lum);
  ZXing::DecodeHints hints;
  hints.setFormats(zxingFormat(symbology));
  hints.setTryHarder(true);
  hints.setTryRotate(false);
  hints.setEanAddOnSymbol(addOn ? ZXing::EanAddOnSymbol::Require : ZXing::EanAddOnSymbol::Ignore);
  const ZXing::Result result = ZXing::ReadBarcode(view, hints);
  if (!result.isValid())
    return {std::nullopt, "zxing-cpp found no " + std::string(rulesFor(symbology).name) +
                              (addOn ? " with an add-on" : "")};
  const bool gs1 = result.symbologyIdentifier() == "]C1";
  if (symbology == Symbology::Gs1_128 && !gs1)
    return {std::nullopt, "zxing-cpp read Code 128 without FNC1"};
  if (symbology == Symbology::Itf14 && result.text().size() != 14)
    return {std::nullopt, "zxing-cpp read " + std::to_string(result.text().size()) + " digits"};
  return {result.text(), {}};
}

Reading readZbar(const Image& image, Symbology symbology, bool addOn) {
  if (badImage(image)) return {std::nullopt, "empty image"};
  std::unique_ptr<zbar::zbar_image_scanner_t, decltype(&zbar::zbar_image_scanner_destroy)> scanner(
      zbar::zbar_image_scanner_create(), &zbar::zbar_image_scanner_destroy);
  zbar::zbar_image_scanner_t* s = scanner.get();
  zbar::zbar_image_scanner_set_config(s, zbar::ZBAR_NONE, zbar::ZBAR_CFG_ENABLE, 0);
  zbar::zbar_symbol_type_t wanted = zbar::ZBAR_NONE;
  switch (symbology) {
    case Symbology::Code39:
      wanted = zbar::ZBAR_CODE39;
      break;
    case Symbology::Interleaved2of5:
    case Symbology::Itf14:
      wanted = zbar::ZBAR_I25;
      break;
    case Symbology::Code128:
    case Symbology::Gs1_128:
      wanted = zbar::ZBAR_CODE128;
      break;
    case Symbology::Codabar:
      wanted = zbar::ZBAR_CODABAR;
      break;
    case Symbology::Ean13:
      wanted = zbar::ZBAR_EAN13;
      break;
    case Symbology::UpcA:
      wanted = zbar::ZBAR_UPCA;
      break;
    case Symbology::Ean8:
      wanted = zbar::ZBAR_EAN8;
      break;
    case Symbology::UpcE:
      wanted = zbar::ZBAR_UPCE;
      break;
  }
  zbar::zbar_image_scanner_set_config(s, wanted, zbar::ZBAR_CFG_ENABLE, 1);
  // zbar finds UPC-A only through its EAN-13 decoder, so that one runs too and anything
  // it reports other than UPC-A is refused below.
  if (wanted == zbar::ZBAR_UPCA)
    zbar::zbar_image_scanner_set_config(s, zbar::ZBAR_EAN13, zbar::ZBAR_CFG_ENABLE, 1);
  // zbar reports an add-on as a symbol of its own.
  const bool withAddOn = addOn && isEanUpc(symbology);
  if (withAddOn) {
    zbar::zbar_image_scanner_set_config(s, zbar::ZBAR_EAN2, zbar::ZBAR_CFG_ENABLE, 1);
    zbar::zbar_image_scanner_set_config(s, zbar::ZBAR_EAN5, zbar::ZBAR_CFG_ENABLE, 1);
  }
  if (wanted == zbar::ZBAR_I25) {
    const int length = symbology == Symbology::Itf14 ? 14 : 4;
    zbar::zbar_image_scanner_set_config(s, wanted, zbar::ZBAR_CFG_MIN_LEN, length);
    if (symbology == Symbology::Itf14)
      zbar::zbar_image_scanner_set_config(s, wanted, zbar::ZBAR_CFG_MAX_LEN, length);
  }

  std::unique_ptr<zbar::zbar_image_t, decltype(&zbar::zbar_image_destroy)> picture(
      zbar::zbar_image_create(), &zbar::zbar_image_destroy);
  zbar::zbar_image_set_format(picture.get(), zbar_fourcc('Y', '8', '0', '0'));
  zbar::zbar_image_set_size(picture.get(), static_cast<unsigned>(image.width),
                            static_cast<unsigned>(image.height));
  // zbar only reads the data; no cleanup handler, the image stays ours.
  zbar::zbar_image_set_data(picture.get(), image.reflectance.data(), image.reflectance.size(),
                            nullptr);
  if (zbar::zbar_scan_image(s, picture.get()) <= 0)
    return {std::nullopt, "zbar found no " + std::string(rulesFor(symbology).name)};
  std::optional<std::string> main, extra;
  for (const zbar::zbar_symbol_t* symbol = zbar::zbar_image_first_symbol(picture.get());
       symbol != nullptr; symbol = zbar::zbar_symbol_next(symbol)) {
    const zbar::zbar_symbol_type_t type = zbar::zbar_symbol_get_type(symbol);
    std::string data(zbar::zbar_symbol_get_data(symbol), zbar::zbar_symbol_get_data_length(symbol));
    if (withAddOn && (type == zbar::ZBAR_EAN2 || type == zbar::ZBAR_EAN5)) {
      extra = std::move(data);
      continue;
    }
    if (type != wanted || main) continue;
    const bool gs1 = (zbar::zbar_symbol_get_modifiers(symbol) & (1u << zbar::ZBAR_MOD_GS1)) != 0;
    if (symbology == Symbology::Gs1_128 && !gs1)
      return {std::nullopt, "zbar read Code 128 without FNC1"};
    main = std::move(data);
  }
  if (main && withAddOn && !extra) return {std::nullopt, "zbar found no add-on"};
  if (main) return {withAddOn ? *main + " " + *extra : *main, {}};
  return {std::nullopt, "zbar read another symbology"};
}

}  // namespace verify

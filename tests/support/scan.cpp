#include "tests/support/scan.h"

#define ZX_USE_UTF8 1
#include <ZXing/ReadBarcode.h>

#include <QPainter>

namespace testsupport {

namespace {

ZXing::BarcodeFormat zxingFormat(Format format) {
  switch (format) {
    case Format::Code39:
      return ZXing::BarcodeFormat::Code39;
    case Format::Interleaved2of5:
      return ZXing::BarcodeFormat::ITF;
    case Format::Code128:
      return ZXing::BarcodeFormat::Code128;
    case Format::Codabar:
      return ZXing::BarcodeFormat::Codabar;
    case Format::Ean13:
      return ZXing::BarcodeFormat::EAN13;
    case Format::UpcA:
      return ZXing::BarcodeFormat::UPCA;
  }
  return ZXing::BarcodeFormat::None;
}

}  // namespace

std::optional<std::string> scan(const QImage& image, Format format) {
  // A white margin all round, as a symbol on paper has.
  constexpr int kMargin = 40;
  QImage page(image.width() + 2 * kMargin, image.height() + 2 * kMargin, QImage::Format_Grayscale8);
  page.fill(Qt::white);
  QPainter(&page).drawImage(kMargin, kMargin, image);

  ZXing::DecodeHints hints;
  hints.setFormats(zxingFormat(format));
  hints.setTryHarder(true);
  hints.setReturnCodabarStartEnd(true);
  const ZXing::ImageView view(page.constBits(), page.width(), page.height(),
                              ZXing::ImageFormat::Lum, static_cast<int>(page.bytesPerLine()));
  const ZXing::Result result = ZXing::ReadBarcode(view, hints);
  if (!result.isValid()) return std::nullopt;
  return result.text();
}

std::string scanAny(const QImage& image, bool addOn) {
  const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
  ZXing::DecodeHints hints;
  hints.setTryHarder(true);
  hints.setEanAddOnSymbol(addOn ? ZXing::EanAddOnSymbol::Require : ZXing::EanAddOnSymbol::Ignore);
  const ZXing::Result result =
      ZXing::ReadBarcode({grey.constBits(), grey.width(), grey.height(), ZXing::ImageFormat::Lum,
                          static_cast<int>(grey.bytesPerLine())},
                         hints);
  return result.isValid() ? result.text() + "|" + result.symbologyIdentifier() : "none";
}

}  // namespace testsupport

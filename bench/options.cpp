#include "bench/options.h"

#include <zint.h>

#include "app/barcodegenerator.h"
#include "symbologies/eanupc/eanupc.h"
#include "symbologies/linear/codabar.h"
#include "symbologies/linear/code128.h"
#include "symbologies/linear/code39.h"
#include "symbologies/linear/interleaved2of5.h"

namespace bench {

const std::vector<Option>& options() {
  using app::Controls;
  using ZXing::BarcodeFormat;
  // Code 128 data and its variations without a run of four digits, so that a
  // peer choosing code set C for digits still makes our code set B symbol.
  static const std::vector<Option> list = {
      {"code39", "Code 39", Family::Linear, 0, nullptr, &linear::encodeCode39, 0,
       "CODE39 BENCH 1234567", "0123456789", BARCODE_CODE39, BarcodeFormat::Code39, U'8'},
      {"i2of5", "Interleaved 2 of 5", Family::Linear, 1, nullptr, &linear::encodeInterleaved2of5, 0,
       "12345678901234567890", "0123456789", BARCODE_C25INTER, BarcodeFormat::ITF, U'1'},
      {"code128", "Code 128", Family::Linear, 2, nullptr, &linear::encodeCode128, 1,
       "Code 128 bench: xyz!", "abcdefghijklmnopqrstuvwxyz", BARCODE_CODE128B,
       BarcodeFormat::Code128, U'A'},
      {"codabar", "Codabar", Family::Linear, 3, nullptr, &linear::encodeCodabar, 0,
       "1234-5678/9012.3456+", "0123456789", BARCODE_CODABAR, BarcodeFormat::Codabar, U'1'},
      {"ean13", "EAN-13", Family::Ean13, -1, &Controls::Option2, nullptr, 1, "590123412345",
       "0123456789", BARCODE_EANX, BarcodeFormat::EAN13, 0},
      {"upca", "UPC-A", Family::UpcA, -1, &Controls::Option3, nullptr, 1, "03600029145",
       "0123456789", BARCODE_UPCA, BarcodeFormat::UPCA, 0},
      {"jan13", "JAN-13", Family::Ean13, -1, &Controls::Option7, nullptr, 1, "490123456789",
       "0123456789", BARCODE_EANX, BarcodeFormat::EAN13, 0},
      {"isbn", "ISBN", Family::Ean13, -1, &Controls::Option8, nullptr, 1, "978030640615",
       "0123456789", BARCODE_ISBNX, BarcodeFormat::EAN13, 0},
  };
  return list;
}

surface::PictureBox* pictureOf(const app::Controls& ui, const Option& option) {
  switch (option.family) {
    case Family::Linear:
      return ui.Picture1;
    case Family::Ean13:
      return ui.picEan;
    case Family::UpcA:
      return ui.picUPC;
  }
  return nullptr;
}

QString keystrokeText(const Option& option, unsigned n) {
  QString text = QString::fromLatin1(option.data);
  const QLatin1String digits(option.varying);
  for (qsizetype i = text.size() - 1; i >= text.size() - 6; --i, n /= digits.size())
    text[i] = digits[n % digits.size()];
  return text;
}

std::string zintInput(const Option& option, const QString& input) {
  // libzint takes Codabar's start and stop characters, which ours always
  // draws as A, and an ISBN with its check digit.
  if (option.zint == BARCODE_CODABAR) return "A" + input.toStdString() + "A";
  if (option.zint == BARCODE_ISBNX) {
    const auto encoding = eanupc::encodeEan13(input.toStdU32String());
    return std::get<eanupc::Symbol>(encoding).number;
  }
  return input.toStdString();
}

}  // namespace bench

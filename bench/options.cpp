#include "bench/options.h"

#include <zint.h>

#include <cstdio>
#include <string_view>

#include "symbologies/eanupc/eanupc.h"

namespace bench {

namespace {

// What the benchmark adds to a row of the window's table.
struct Peers {
  std::string_view key;
  int checkCharacter;
  const char* data;
  const char* varying;
  int zint;
  ZXing::BarcodeFormat zxing;
  char32_t filler;
};

// Code 128 data and its variations without a run of four digits, so that a
// peer choosing code set C for digits still makes our code set B symbol.
// clang-format off
constexpr Peers kPeers[] = {
    {"code39", 0, "CODE39 BENCH 1234567", "0123456789", BARCODE_CODE39,
     ZXing::BarcodeFormat::Code39, U'8'},
    {"i2of5", 0, "12345678901234567890", "0123456789", BARCODE_C25INTER,
     ZXing::BarcodeFormat::ITF, U'1'},
    {"code128", 1, "Code 128 bench: xyz!", "abcdefghijklmnopqrstuvwxyz", BARCODE_CODE128B,
     ZXing::BarcodeFormat::Code128, U'A'},
    {"codabar", 0, "1234-5678/9012.3456+", "0123456789", BARCODE_CODABAR,
     ZXing::BarcodeFormat::Codabar, U'1'},
    {"ean13", 1, "590123412345", "0123456789", BARCODE_EANX, ZXing::BarcodeFormat::EAN13, 0},
    {"jan13", 1, "490123456789", "0123456789", BARCODE_EANX, ZXing::BarcodeFormat::EAN13, 0},
    {"isbn", 1, "978030640615", "0123456789", BARCODE_ISBNX, ZXing::BarcodeFormat::EAN13, 0},
    {"upca", 1, "03600029145", "0123456789", BARCODE_UPCA, ZXing::BarcodeFormat::UPCA, 0},
};
// clang-format on

Family familyOf(const app::Choice& choice) {
  switch (choice.picture) {
    case app::PictureRole::Linear:
      return Family::Linear;
    case app::PictureRole::Ean:
      return Family::Ean13;
    case app::PictureRole::Upc:
      return Family::UpcA;
  }
  return Family::Linear;
}

}  // namespace

const std::vector<Option>& options() {
  static const std::vector<Option> list = [] {
    std::vector<Option> made;
    for (const app::Choice& choice : app::choices()) {
      const Peers* peers = nullptr;
      for (const Peers& p : kPeers)
        if (p.key == choice.key) peers = &p;
      if (!peers) {
        std::printf("No benchmark data for %s: not measured\n", choice.key.data());
        continue;
      }
      made.push_back({&choice, familyOf(choice), peers->checkCharacter, peers->data, peers->varying,
                      peers->zint, peers->zxing, peers->filler});
    }
    return made;
  }();
  return list;
}

surface::PictureBox* pictureOf(const app::Controls& ui, const Option& option) {
  switch (option.family) {
    case Family::Linear:
      return ui.linearPicture;
    case Family::Ean13:
      return ui.eanPicture;
    case Family::UpcA:
      return ui.upcPicture;
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

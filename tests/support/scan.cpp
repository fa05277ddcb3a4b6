#include "tests/support/scan.h"

#define ZX_USE_UTF8 1
#include <ZXing/ReadBarcode.h>

#include <QPainter>
#include <QProcess>
#include <map>

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
  return scan(image, zxingFormat(format));
}

std::optional<std::string> scan(const QImage& image, ZXing::BarcodeFormat format) {
  // A white margin all round, as a symbol on paper has.
  constexpr int kMargin = 40;
  QImage page(image.width() + 2 * kMargin, image.height() + 2 * kMargin, QImage::Format_Grayscale8);
  page.fill(Qt::white);
  QPainter(&page).drawImage(kMargin, kMargin, image);

  ZXing::DecodeHints hints;
  hints.setFormats(format);
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

std::optional<std::string> zbarimg(const QString& file, std::string_view key) {
  // zbarimg's names for the options, and how it names each in its output.
  static const std::map<std::string_view, std::pair<QStringList, std::string>> kConfig{
      {"code39", {{"-Scode39.enable"}, "CODE-39"}},
      {"i2of5", {{"-Si25.enable"}, "I2/5"}},
      {"code128", {{"-Scode128.enable"}, "CODE-128"}},
      {"codabar", {{"-Scodabar.enable"}, "Codabar"}},
      {"ean13", {{"-Sean13.enable"}, "EAN-13"}},
      {"jan13", {{"-Sean13.enable"}, "EAN-13"}},
      {"isbn", {{"-Sean13.enable"}, "EAN-13"}},
      {"upca", {{"-Sean13.enable", "-Supca.enable"}, "UPC-A"}},
  };
  const auto& [options, name] = kConfig.at(key);
  QProcess process;
  process.start(
      QStringLiteral("zbarimg"),
      QStringList{QStringLiteral("-q"), QStringLiteral("-Sdisable")} + options + QStringList{file});
  if (!process.waitForFinished(60000) || process.exitCode() != 0) return std::nullopt;
  std::string out = process.readAllStandardOutput().toStdString();
  const std::string prefix = name + ":";
  if (out.rfind(prefix, 0) != 0) return std::nullopt;
  out = out.substr(prefix.size());
  out = out.substr(0, out.find('\n'));
  const auto frame = [](char c) { return c >= 'A' && c <= 'D'; };
  if (key == "codabar" && out.size() >= 2 && frame(out.front()) && frame(out.back()))
    out = out.substr(1, out.size() - 2);
  return out;
}

}  // namespace testsupport

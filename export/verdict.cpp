#include "export/verdict.h"

// text() as UTF-8, which zxing-cpp 1.4 offers only on request.
#define ZX_USE_UTF8 1
#include <ZXing/ReadBarcode.h>

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QRegularExpression>
#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <string_view>

#include "export/choices.h"
#include "export/limits.h"
#include "symbologies/eanupc/eanupc.h"
#include "symbologies/eanupc/variants.h"

namespace app {

namespace {

// The format zxing-cpp reads each option's symbols as, by the table's order.
constexpr std::array<ZXing::BarcodeFormat, kSymbologyCount> kReaderFormats = {
    ZXing::BarcodeFormat::Code39,  ZXing::BarcodeFormat::ITF,   ZXing::BarcodeFormat::Code128,
    ZXing::BarcodeFormat::Codabar, ZXing::BarcodeFormat::EAN13, ZXing::BarcodeFormat::EAN13,
    ZXing::BarcodeFormat::EAN13,   ZXing::BarcodeFormat::UPCA,  ZXing::BarcodeFormat::UPCE,
    ZXing::BarcodeFormat::EAN8,    ZXing::BarcodeFormat::ITF,   ZXing::BarcodeFormat::Code128,
};

ZXing::BarcodeFormat readerFormat(const Choice& choice) {
  return kReaderFormats[static_cast<std::size_t>(choice.id)];
}

// Many scanners are set to refuse shorter Interleaved 2 of 5 symbols: a short
// one is too easily read from part of another.
constexpr int kShortestItf = 6;

// The white around a symbol on paper: ten modules, the quiet zone these
// symbologies ask for.
int quietZone(int dotsPerModule) { return 10 * std::max(1, dotsPerModule); }

// The image on white paper in 8-bit grey, which is what the reader takes.
QImage onPaper(const QImage& image, int margin) {
  if (!image.hasAlphaChannel()) {
    // Row by row: a large export costs one byte a dot here, not five.
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    QImage page(grey.width() + 2 * margin, grey.height() + 2 * margin, QImage::Format_Grayscale8);
    if (grey.isNull() || page.isNull()) return {};
    page.fill(255);
    for (int y = 0; y < grey.height(); ++y)
      std::memcpy(page.scanLine(y + margin) + margin, grey.constScanLine(y),
                  static_cast<std::size_t>(grey.width()));
    return page;
  }
  QImage page(image.width() + 2 * margin, image.height() + 2 * margin, QImage::Format_RGB32);
  page.fill(Qt::white);
  {
    QPainter painter(&page);
    painter.drawImage(margin, margin, image);
  }
  return page.convertToFormat(QImage::Format_Grayscale8);
}

// The text read, and its symbology identifier when asked for (GS1-128's "]C1").
std::optional<QString> decode(const QImage& image, ZXing::BarcodeFormat format, int dotsPerModule,
                              const ReaderText& wanted = {}) {
  if (image.isNull()) return std::nullopt;
  const QImage page = onPaper(image, quietZone(dotsPerModule));
  if (page.isNull()) return std::nullopt;
  ZXing::DecodeHints hints;
  hints.setFormats(format);
  hints.setTryHarder(true);
  hints.setTryRotate(false);
  hints.setReturnCodabarStartEnd(false);
  if (wanted.addOn) hints.setEanAddOnSymbol(ZXing::EanAddOnSymbol::Require);
  const ZXing::ImageView view(page.constBits(), page.width(), page.height(),
                              ZXing::ImageFormat::Lum, static_cast<int>(page.bytesPerLine()));
  const ZXing::Result result = ZXing::ReadBarcode(view, hints);
  if (!result.isValid()) return std::nullopt;
  const QString text = QString::fromStdString(result.text());
  if (wanted.symbologyIdentifier.empty()) return text;
  return QString::fromStdString(result.symbologyIdentifier()) + text;
}

// GS separators and other control characters would break the one line.
QString shown(const QString& text) {
  QString out;
  for (const QChar c : text) {
    if (c.unicode() == 0x1d)
      out += QStringLiteral("<GS>");
    else if (c.unicode() < 0x20)
      out += QStringLiteral("<%1>").arg(c.unicode(), 2, 16, QLatin1Char('0'));
    else
      out += c;
  }
  return out;
}

bool isCodabarFrameLetter(QChar c) {
  const char16_t u = c.toUpper().unicode();
  return u >= u'A' && u <= u'D';
}

QString quoted(const QString& text) { return QStringLiteral("\u201C%1\u201D").arg(text); }

// Why a symbol that does not decode to its data fails, where that is known.
QString reason(const Choice& choice, const ScanContext& known, const std::optional<QString>& read,
               const QString& carried, const QString& name) {
  if (choice.id == Symbology::Codabar) {
    const auto found = std::find_if(known.data.begin(), known.data.end(), isCodabarFrameLetter);
    if (found != known.data.end())
      return QStringLiteral("the start/stop letter %1 inside Codabar data ends the symbol early")
          .arg(quoted(QString(*found)));
  }
  if (choice.family == Family::Linear && known.printSpacing && known.dotsPerModule <= 1)
    return QStringLiteral(
        "print spacing at one pixel per module; untick Optimize for Printing, or export at 2 or "
        "more dots per module");
  if (read) return QStringLiteral("it reads as %1, not %2").arg(quoted(*read), quoted(carried));
  return QStringLiteral("no reader finds a %1 symbol in it").arg(name);
}

QString digitCount(qsizetype count) {
  return QStringLiteral("%1 digit%2").arg(count).arg(count == 1 ? "" : "s");
}

QString prefixList(const Choice& choice) {
  QStringList prefixes;
  for (std::string_view prefix : choice.prefixes)
    if (!prefix.empty()) prefixes << QString::fromLatin1(prefix.data(), prefix.size());
  return prefixes.join(QStringLiteral(" or "));
}

int checkDigitOf(const Choice& choice, const QString& digits) {
  if (choice.picture == PictureRole::Upc) return eanupc::upcCheckNumber(digits.toStdU32String());
  const auto encoding = eanupc::encodeEan13(digits.toStdU32String());
  const auto* symbol = std::get_if<eanupc::Symbol>(&encoding);
  return symbol ? symbol->number.back() - '0' : 0;
}

// What to type for an ISBN-10, or an ISBN with hyphens.
constexpr const char* kIsbn10 = "; for an ISBN-10, type 978 and its first nine digits";

QString isbnGuidance(std::u32string_view text) {
  const auto reading = eanupc::readIsbn(text);
  if (const auto* isbn = std::get_if<eanupc::Isbn>(&reading)) {
    const QString digits = QString::fromStdU32String(isbn->ean13Data);
    if (isbn->fromIsbn10)
      return QStringLiteral(
                 "ISBN-10: type 978 and its first nine digits, %1; the check digit is "
                 "added")
          .arg(digits);
    if (isbn->hyphenated)
      return QStringLiteral("ISBN: type the 12 digits without hyphens, %1").arg(digits);
    return {};
  }
  if (!text.empty() && (text.back() == U'X' || text.back() == U'x'))
    return QStringLiteral("ISBN: an ISBN-10's check character is not typed") + kIsbn10;
  return {};
}

}  // namespace

QString gs1Guidance(const Choice& choice, const QString& data) {
  static const QRegularExpression gs1(QStringLiteral("\\(01\\)[0-9]{14}"));
  if (choice.form != Form::Code128 || !gs1.match(data).hasMatch()) return {};
  return QStringLiteral(
      "GS1 data? Code 128 carries the parentheses as text and no FNC1: export it as GS1-128 "
      "(--type gs1-128)");
}

QString symbologyName(const Choice& choice) { return QString::fromLatin1(choice.readerName); }

std::optional<QString> carriedText(const Choice& choice, const QString& data,
                                   const linear::Settings& settings) {
  const std::u32string text = data.toStdU32String();
  if (text.empty()) return std::nullopt;
  if (!hasButton(choice)) {
    const auto carried =
        readerText({.choice = &choice, .data = data.toStdString(), .settings = settings});
    return carried ? std::optional(QString::fromStdString(carried->text)) : std::nullopt;
  }
  if (choice.family == Family::Linear) {
    const linear::Encoding encoding = choice.encodeLinear(text, settings);
    const auto* symbol = std::get_if<linear::Symbol>(&encoding);
    if (!symbol) return std::nullopt;
    QString label = QString::fromStdU32String(symbol->label);
    // Codabar's "a" to "d" are the letters A to D.
    if (choice.id == Symbology::Codabar) label = label.toUpper();
    return label;
  }
  if (text.size() != choice.dataLength ||
      matchPrefix(choice, data.toStdU32String()) == PrefixMatch::Wrong)
    return std::nullopt;
  if (!std::all_of(text.begin(), text.end(), eanupc::isAsciiDigit)) return std::nullopt;
  return data + QString::number(checkDigitOf(choice, data));
}

Verdict scanVerdict(const QImage& image, const Choice& choice, const QString& carried,
                    const ScanContext& known) {
  return scanVerdictFor(image, choice, ReaderText{.text = carried.toStdString()}, known);
}

Verdict scanVerdictFor(const QImage& image, const Choice& choice, const ReaderText& carried,
                       const ScanContext& known) {
  const QString name = QString::fromLatin1(choice.readerName);
  const QString text = QString::fromStdString(carried.text);
  if (choice.id == Symbology::Interleaved2of5 && text.size() < kShortestItf)
    return {false, QStringLiteral("Does not scan: %1 in Interleaved 2 of 5; many scanners need %2 "
                                  "or more")
                       .arg(digitCount(text.size()))
                       .arg(kShortestItf)};
  const QString wanted = QString::fromStdString(carried.symbologyIdentifier) + text;
  const std::optional<QString> read =
      decode(image, readerFormat(choice), known.dotsPerModule, carried);
  if (read && *read == wanted)
    return {true, QStringLiteral("Scans as %1: %2").arg(name, shown(*read))};
  return {false, QStringLiteral("Does not scan: ") +
                     reason(choice, known, read ? std::optional(shown(*read)) : std::nullopt,
                            shown(wanted), name)};
}

QImage imageOfFile(const QByteArray& bytes) {
  QByteArray held = bytes;  // shared, not copied
  QBuffer buffer(&held);
  buffer.open(QIODevice::ReadOnly);
  // In megabytes, for the largest image a file may have at four bytes a dot;
  // the limit is the process's (QT_IMAGEIO_MAXALLOC still overrides it).
  const qint64 megabytes = (limits().filePixels * 4 >> 20) + 1;
  QImageReader::setAllocationLimit(static_cast<int>(std::min<qint64>(megabytes, INT_MAX)));
  QImageReader reader(&buffer);
  return reader.read();
}

QString eanUpcGuidance(const Choice& choice, const QString& data) {
  if (choice.family != Family::EanUpc || data.isEmpty()) return {};
  const QString caption = QString::fromLatin1(choice.shortName);
  const std::u32string text = data.toStdU32String();
  if (choice.form == Form::Isbn)
    if (const QString isbn = isbnGuidance(text); !isbn.isEmpty()) return isbn;
  const auto wrong = std::find_if_not(text.begin(), text.end(), eanupc::isAsciiDigit);
  if (wrong != text.end()) {
    const char32_t c = *wrong;
    if (choice.id == Symbology::Isbn && (c == U'-' || c == U' '))
      return QStringLiteral("ISBN: type the %1 without hyphens")
          .arg(digitCount(static_cast<qsizetype>(choice.dataLength)));
    // A control character would break the one line; it is named by its code.
    const QString shown =
        QChar::isPrint(c) ? QString::fromUcs4(&c, 1)
                          : QStringLiteral("U+%1").arg(uint(c), 4, 16, QLatin1Char('0')).toUpper();
    if (QChar::isLetter(c)) return QStringLiteral("letters are not allowed in %1").arg(caption);
    return QStringLiteral("%1 is not allowed in %2: digits only").arg(quoted(shown), caption);
  }
  if (matchPrefix(choice, data.toStdU32String()) == PrefixMatch::Wrong)
    return QStringLiteral("%1 numbers start with %2").arg(caption, prefixList(choice)) +
           (choice.form == Form::Isbn && !data.startsWith(QLatin1String("97")) ? kIsbn10 : "");
  const auto wanted = static_cast<qsizetype>(choice.dataLength);
  const auto typed = static_cast<qsizetype>(text.size());
  if (typed == wanted + 1)
    return QStringLiteral(
               "%1 typed: type the first %2, the check digit is added (yours %3, the right one %4)")
        .arg(digitCount(typed))
        .arg(wanted)
        .arg(data.back())
        .arg(checkDigitOf(choice, data.first(wanted)));
  if (typed > wanted + 1)
    return QStringLiteral("%1 typed: %2 takes %3, the check digit is added")
        .arg(digitCount(typed), caption)
        .arg(wanted);
  return {};
}

QImage imageOf(const render::Picture& picture) {
  QImage image(picture.width, picture.height, QImage::Format_Grayscale8);
  if (image.isNull()) return image;
  for (int y = 0; y < picture.height; ++y)
    std::copy_n(picture.grey.data() + static_cast<std::size_t>(y) * picture.width, picture.width,
                image.scanLine(y));
  const int perMetre = static_cast<int>(picture.dpi / 0.0254 + 0.5);
  image.setDotsPerMeterX(perMetre);
  image.setDotsPerMeterY(perMetre);
  return image;
}

std::optional<Verdict> exportVerdict(const QImage& drawn, const SymbolRequest& request,
                                     int dotsPerModule) {
  const auto carried = readerText(request);
  if (!carried) return std::nullopt;
  return scanVerdictFor(drawn, *request.choice, *carried,
                        {.dotsPerModule = dotsPerModule,
                         .printSpacing = request.settings.printSpacing != 0,
                         .data = QString::fromStdString(request.data)});
}

}  // namespace app

#include "export/verdict.h"

#include <QPainter>
#include <QRegularExpression>
#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

#include "export/filepicture.h"
#include "symbologies/eanupc/eanupc.h"
#include "symbologies/eanupc/variants.h"

namespace app {

namespace {

using ZXing::BarcodeFormat;

// By the choices table's order; every option has its row.
constexpr std::array<ReaderSymbology, kSymbologyCount> kReaderSymbologies{{
    {Symbology::Code39, verify::Symbology::Code39, BarcodeFormat::Code39},
    {Symbology::Interleaved2of5, verify::Symbology::Interleaved2of5, BarcodeFormat::ITF},
    {Symbology::Code128, verify::Symbology::Code128, BarcodeFormat::Code128},
    {Symbology::Codabar, verify::Symbology::Codabar, BarcodeFormat::Codabar},
    {Symbology::Ean13, verify::Symbology::Ean13, BarcodeFormat::EAN13},
    {Symbology::Jan13, verify::Symbology::Ean13, BarcodeFormat::EAN13},
    {Symbology::Isbn, verify::Symbology::Ean13, BarcodeFormat::EAN13},
    {Symbology::UpcA, verify::Symbology::UpcA, BarcodeFormat::UPCA},
    {Symbology::UpcE, verify::Symbology::UpcE, BarcodeFormat::UPCE},
    {Symbology::Ean8, verify::Symbology::Ean8, BarcodeFormat::EAN8},
    {Symbology::Itf14, verify::Symbology::Itf14, BarcodeFormat::ITF},
    {Symbology::Gs1_128, verify::Symbology::Gs1_128, BarcodeFormat::Code128},
}};

constexpr bool readerRowsInOrder() {
  for (std::size_t i = 0; i < kReaderSymbologies.size(); ++i)
    if (static_cast<std::size_t>(kReaderSymbologies[i].option) != i) return false;
  return true;
}
static_assert(readerRowsInOrder());

// Many scanners are set to refuse shorter Interleaved 2 of 5 symbols: a short
// one is too easily read from part of another.
constexpr int kShortestItf = 6;

constexpr qsizetype kZbarLongest = 253;

// The white around a painted picture, as on paper: ten modules, the quiet zone these
// symbologies ask for.
constexpr int kQuietZoneModules = 10;

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

bool isFrameLetter(char32_t c) { return (c >= U'A' && c <= U'D') || (c >= U'a' && c <= U'd'); }

// zbar reports Codabar's start and stop letters, zxing-cpp (and carriedText) does not.
verify::Reading withoutFrame(verify::Reading reading) {
  std::optional<std::string>& text = reading.text;
  if (text && text->size() >= 2 && isFrameLetter(text->front()) && isFrameLetter(text->back()))
    *text = text->substr(1, text->size() - 2);
  return reading;
}

QString quoted(const QString& text) { return QStringLiteral("\u201C%1\u201D").arg(text); }

// The data's code 39 characters whose three wide elements are all spaces.
bool hasWideSpacedCode39(const QString& carried) {
  return std::any_of(carried.begin(), carried.end(),
                     [](QChar c) { return c == u'$' || c == u'/' || c == u'+' || c == u'%'; });
}

QString textOf(const verify::Reading& reading) {
  return QString::fromStdString(reading.text.value_or(std::string()));
}

// "Does not scan: …" in the window's few words; "Does not scan with zbar: …" when only
// one reader fails.
QString notScanning(const Choice& choice, const QString& carried, const ScanContext& known,
                    const Readings& readings) {
  const QString name = QString::fromLatin1(choice.readerName);
  const QString cause = causeOf(choice, carried, known, readings);
  const bool zxingRight = readings.zxing.text == carried.toStdString();
  const bool zbarRight = readings.zbar.text == carried.toStdString();
  if (zxingRight != zbarRight) {
    const QString failing = zxingRight ? QStringLiteral("zbar") : QStringLiteral("zxing-cpp");
    const verify::Reading& failed = zxingRight ? readings.zbar : readings.zxing;
    const QString why = !cause.isEmpty() ? cause
                        : failed.text
                            ? QStringLiteral("it reads %1, not %2")
                                  .arg(quoted(shown(textOf(failed))), quoted(shown(carried)))
                            : QStringLiteral("it finds no %1 symbol").arg(name);
    return QStringLiteral("Does not scan with %1: %2").arg(failing, why);
  }
  if (!cause.isEmpty()) return QStringLiteral("Does not scan: ") + cause;
  const verify::Reading& read = readings.zxing.text ? readings.zxing : readings.zbar;
  if (read.text)
    return QStringLiteral("Does not scan: it reads as %1, not %2")
        .arg(quoted(shown(textOf(read))), quoted(shown(carried)));
  return QStringLiteral("Does not scan: no reader finds a %1 symbol in it").arg(name);
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

const ReaderSymbology& readerSymbology(Symbology option) {
  return kReaderSymbologies[static_cast<std::size_t>(option)];
}

bool Readings::bothRead(const QString& text) const {
  const std::string wanted = text.toStdString();
  return zxing.text == wanted && zbar.text == wanted;
}

Readings readBoth(const verify::Image& image, verify::Symbology symbology, bool addOn) {
  Readings readings{verify::readZxing(image, symbology, addOn),
                    verify::readZbar(image, symbology, addOn)};
  if (symbology == verify::Symbology::Codabar) {
    readings.zxing = withoutFrame(readings.zxing);
    readings.zbar = withoutFrame(readings.zbar);
  }
  return readings;
}

QString refusalOf(const Choice& choice, const QString& carried) {
  if (choice.id == Symbology::Interleaved2of5 && carried.size() < kShortestItf)
    return QStringLiteral("%1 in Interleaved 2 of 5; many scanners need %2 or more")
        .arg(digitCount(carried.size()))
        .arg(kShortestItf);
  return {};
}

QString causeOf(const Choice& choice, const QString& carried, const ScanContext& known,
                const Readings& readings) {
  const std::string wanted = carried.toStdString();
  const bool zxingFails = readings.zxing.text != wanted;
  const bool zbarFails = readings.zbar.text != wanted;
  if (!zxingFails && !zbarFails) return {};
  if (choice.id == Symbology::Codabar) {
    const auto found = std::find_if(known.data.begin(), known.data.end(),
                                    [](QChar c) { return isFrameLetter(c.unicode()); });
    if (found != known.data.end())
      return QStringLiteral("the start/stop letter %1 inside Codabar data ends the symbol early")
          .arg(quoted(QString(*found)));
  }
  // zbar's decoders keep a symbol's characters in 256 bytes: 253 of Code 128 read, 254 do
  // not; Code 39 stops at 255, Codabar and Interleaved 2 of 5 at 254.
  if (zbarFails && !zxingFails && carried.size() > kZbarLongest)
    return QStringLiteral("too long: it reads up to about %1 characters").arg(kZbarLongest);
  if (choice.family != Family::Linear || !known.printSpacing) return {};
  // zxing-cpp refuses a Code 39 character whose widest space is over three times its
  // widest bar: with print spacing, that is every "$", "/", "+" and "%" at any size.
  if (choice.id == Symbology::Code39 && zxingFails && !zbarFails && hasWideSpacedCode39(carried))
    return QStringLiteral(
        "print spacing makes the spaces of $ / + % over 3 times their bars; untick Optimize for "
        "Printing");
  if (known.dotsPerModule <= 1)
    return QStringLiteral(
        "print spacing at one pixel per module; untick Optimize for Printing, or export at 2 or "
        "more dots per module");
  return {};
}

Verdict scanVerdict(const QImage& image, const Choice& choice, const QString& carried,
                    const ScanContext& known) {
  return scanVerdictFor(image, choice, ReaderText{.text = carried.toStdString()}, known);
}

Verdict scanVerdictFor(const QImage& image, const Choice& choice, const ReaderText& carried,
                       const ScanContext& known) {
  const QString text = QString::fromStdString(carried.text);
  if (const QString refused = refusalOf(choice, text); !refused.isEmpty())
    return {false, QStringLiteral("Does not scan: ") + refused};
  const verify::Image page =
      readerImage(onPaper(image, kQuietZoneModules * std::max(1, known.dotsPerModule)), 1);
  const Readings readings = readBoth(page, readerSymbology(choice.id).graded, carried.addOn);
  const QString name = QString::fromLatin1(choice.readerName);
  if (readings.bothRead(text))
    return {true, QStringLiteral("Scans as %1: %2").arg(name, shown(text))};
  return {false, notScanning(choice, text, known, readings)};
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

}  // namespace app

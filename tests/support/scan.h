#pragma once

#include <ZXing/BarcodeFormat.h>

#include <QImage>
#include <QString>
#include <optional>
#include <string>
#include <string_view>

namespace testsupport {

enum class Format { Code39, Interleaved2of5, Code128, Codabar, Ean13, UpcA };

// Decodes the image with zxing-cpp, an independent reader: the text it reads,
// or nothing when it finds no symbol of that format.
std::optional<std::string> scan(const QImage& image, Format format);
std::optional<std::string> scan(const QImage& image, ZXing::BarcodeFormat format);

// zbarimg, the other reader, run on a file with only the option's symbology enabled
// (key as in the choices table): what it reports, Codabar's start and stop letters taken
// off, or nothing.
std::optional<std::string> zbarimg(const QString& file, std::string_view key);

// Any format zxing-cpp knows, as it reports it: "text|symbology identifier"
// ("5901234123457 12|]E3"), an add-on required when asked; "none" unread.
std::string scanAny(const QImage& image, bool addOn = false);

}  // namespace testsupport

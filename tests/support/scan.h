#pragma once

#include <QImage>
#include <optional>
#include <string>

namespace testsupport {

enum class Format { Code39, Interleaved2of5, Code128, Codabar, Ean13, UpcA };

// Decodes the image with zxing-cpp, an independent reader: the text it reads,
// or nothing when it finds no symbol of that format.
std::optional<std::string> scan(const QImage& image, Format format);

// Any format zxing-cpp knows, as it reports it: "text|symbology identifier"
// ("5901234123457 12|]E3"), an add-on required when asked; "none" unread.
std::string scanAny(const QImage& image, bool addOn = false);

}  // namespace testsupport

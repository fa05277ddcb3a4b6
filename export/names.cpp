#include "export/names.h"

namespace app {

namespace {

constexpr char16_t kEscapedByte = 0xdc00;  // + the byte, 0x80 to 0xff

// The length of the valid UTF-8 sequence at i, or 0.
qsizetype sequenceAt(QByteArrayView bytes, qsizetype i) {
  const auto lead = static_cast<unsigned char>(bytes[i]);
  const qsizetype length = lead < 0x80   ? 1
                           : lead < 0xc2 ? 0
                           : lead < 0xe0 ? 2
                           : lead < 0xf0 ? 3
                           : lead < 0xf5 ? 4
                                         : 0;
  if (length <= 1) return length;
  if (i + length > bytes.size()) return 0;
  // fromUtf8 replaces overlong forms and surrogates: they fail the round trip.
  const QByteArrayView sequence = bytes.sliced(i, length);
  return QString::fromUtf8(sequence).toUtf8() == sequence ? length : 0;
}

bool isEscapedByte(QChar c) {
  return c.unicode() >= kEscapedByte + 0x80 && c.unicode() <= kEscapedByte + 0xff;
}

}  // namespace

QString safeFileName(QString text) {
  for (QChar& c : text)
    if (c == QLatin1Char('/') || c.unicode() < 0x20 || c.unicode() == 0x7f) c = QLatin1Char('_');
  return text;
}

QString cutToBytes(const QString& text, int bytes) {
  int used = 0;
  qsizetype i = 0;
  while (i < text.size()) {
    const bool pair =
        text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
    const char32_t c = pair ? QChar::surrogateToUcs4(text[i], text[i + 1]) : text[i].unicode();
    const int length = c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
    if (used + length > bytes) break;
    used += length;
    i += pair ? 2 : 1;
  }
  return text.left(i);
}

QString fromNativeBytes(QByteArrayView bytes) {
  QString text;
  text.reserve(bytes.size());
  qsizetype start = 0;  // of the valid run not yet decoded
  qsizetype i = 0;
  while (i < bytes.size()) {
    const qsizetype length = sequenceAt(bytes, i);
    if (length > 0) {
      i += length;
      continue;
    }
    text += QString::fromUtf8(bytes.sliced(start, i - start));
    text += QChar(char16_t(kEscapedByte + static_cast<unsigned char>(bytes[i])));
    start = ++i;
  }
  return text + QString::fromUtf8(bytes.sliced(start));
}

QByteArray nativeBytes(const QString& text) {
  QByteArray bytes;
  bytes.reserve(text.size());
  qsizetype start = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    // A high surrogate before it makes a pair, which is a character, not a byte.
    if (!isEscapedByte(text[i]) || (i > 0 && text[i - 1].isHighSurrogate())) continue;
    bytes += QStringView(text).sliced(start, i - start).toUtf8();
    bytes += static_cast<char>(text[i].unicode() - kEscapedByte);
    start = i + 1;
  }
  return bytes + QStringView(text).sliced(start).toUtf8();
}

QString oneLine(const QString& text) {
  QString shown;
  shown.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t c = text[i].unicode();
    const bool pair =
        text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
    if (pair) {
      shown += text[i];
      shown += text[++i];
    } else if (c == u'\n') {
      shown += QLatin1String("\\n");
    } else if (c == u'\r') {
      shown += QLatin1String("\\r");
    } else if (c == u'\t') {
      shown += QLatin1String("\\t");
    } else if (c < 0x20 || (c >= 0x7f && c < 0xa0)) {
      shown += QStringLiteral("\\x%1").arg(uint(c), 2, 16, QLatin1Char('0'));
    } else if (isEscapedByte(text[i])) {
      // In capitals: a byte that was not text, told apart from the character U+0080 on.
      shown += QLatin1String("\\x") + QString::number(uint(c - kEscapedByte), 16).toUpper();
    } else if (text[i].isSurrogate() || c == 0x2028 || c == 0x2029 ||
               (c >= 0x202a && c <= 0x202e) || (c >= 0x2066 && c <= 0x2069)) {
      shown += QStringLiteral("\\u%1").arg(uint(c), 4, 16, QLatin1Char('0'));
    } else {
      shown += text[i];
    }
  }
  return shown;
}

}  // namespace app

#include "export/names.h"

namespace app {

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

}  // namespace app

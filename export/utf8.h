#pragma once

// UTF-8 to code points and back, for data and messages without Qt.

#include <string>
#include <string_view>

namespace app::utf8 {

// Malformed bytes become U+FFFD, each on its own.
inline std::u32string decode(std::string_view text) {
  std::u32string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    const int length = byte < 0x80         ? 1
                       : (byte >> 5) == 6  ? 2
                       : (byte >> 4) == 14 ? 3
                       : (byte >> 3) == 30 ? 4
                                           : 0;
    char32_t c = length == 1   ? byte
                 : length == 2 ? byte & 0x1f
                 : length == 3 ? byte & 0x0f
                               : byte & 0x07;
    bool valid = length > 0 && i + static_cast<std::size_t>(length) <= text.size();
    for (int k = 1; valid && k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
      valid = (next >> 6) == 2;
      c = (c << 6) | (next & 0x3f);
    }
    // Overlong forms, surrogates and values past Unicode are not characters.
    static constexpr char32_t kLeast[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (valid && (c < kLeast[length] || (c >= 0xd800 && c < 0xe000) || c > 0x10ffff)) valid = false;
    out += valid ? c : U'\uFFFD';
    i += valid ? static_cast<std::size_t>(length) : 1;
  }
  return out;
}

inline void append(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xc0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3f));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xe0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3f));
    out += static_cast<char>(0x80 | (c & 0x3f));
  } else {
    out += static_cast<char>(0xf0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3f));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3f));
    out += static_cast<char>(0x80 | (c & 0x3f));
  }
}

inline std::string encode(std::u32string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char32_t c : text) append(out, c);
  return out;
}

// Text from outside (data, names, reasons) as one line of a message: line
// breaks as \n, \r, \t, other control characters as \x1b, line separators
// and direction overrides as \u2028, and bytes that are not UTF-8 as \xFF,
// so a message is never split and never drives the terminal.
inline std::string oneLine(std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  static constexpr char kUpper[] = "0123456789ABCDEF";
  std::string shown;
  shown.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    const std::size_t length = byte < 0x80         ? 1
                               : (byte >> 5) == 6  ? 2
                               : (byte >> 4) == 14 ? 3
                               : (byte >> 3) == 30 ? 4
                                                   : 0;
    const std::u32string decoded =
        length > 0 && i + length <= text.size() ? decode(text.substr(i, length)) : U"\uFFFD";
    const bool valid = decoded.size() == 1 &&
                       !(decoded[0] == U'\uFFFD' && text.substr(i, length) != "\xef\xbf\xbd");
    if (!valid) {
      shown += "\\x";
      shown += kUpper[byte >> 4];
      shown += kUpper[byte & 15];
      ++i;
      continue;
    }
    const char32_t c = decoded[0];
    if (c == U'\n') {
      shown += "\\n";
    } else if (c == U'\r') {
      shown += "\\r";
    } else if (c == U'\t') {
      shown += "\\t";
    } else if (c < 0x20 || (c >= 0x7f && c < 0xa0)) {
      shown += "\\x";
      shown += kHex[c >> 4];
      shown += kHex[c & 15];
    } else if (c == 0x2028 || c == 0x2029 || (c >= 0x202a && c <= 0x202e) ||
               (c >= 0x2066 && c <= 0x2069)) {
      shown += "\\u";
      for (int shift = 12; shift >= 0; shift -= 4) shown += kHex[(c >> shift) & 15];
    } else {
      shown.append(text.substr(i, length));
    }
    i += length;
  }
  return shown;
}

}  // namespace app::utf8

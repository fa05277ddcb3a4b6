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

}  // namespace app::utf8

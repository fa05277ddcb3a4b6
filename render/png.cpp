#include "render/png.h"

#include <zlib.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

namespace render {

namespace {

void appendBigEndian(QByteArray& out, quint32 value) {
  const char bytes[4] = {static_cast<char>(value >> 24), static_cast<char>(value >> 16),
                         static_cast<char>(value >> 8), static_cast<char>(value)};
  out.append(bytes, 4);
}

void appendChunk(QByteArray& out, const char* type, const QByteArray& data) {
  appendBigEndian(out, static_cast<quint32>(data.size()));
  const qsizetype start = out.size();
  out.append(type, 4);
  out.append(data);
  const auto* crcFrom = reinterpret_cast<const Bytef*>(out.constData() + start);
  appendBigEndian(out,
                  static_cast<quint32>(crc32(0, crcFrom, static_cast<uInt>(out.size() - start))));
}

// Deflate bits go out lowest first; Huffman codes highest bit first.
class BitWriter {
 public:
  explicit BitWriter(QByteArray& out) : m_out(out) {}
  void put(std::uint32_t bits, int count) {
    m_buffer |= static_cast<std::uint64_t>(bits) << m_count;
    m_count += count;
    while (m_count >= 8) {
      m_out.append(static_cast<char>(m_buffer & 0xff));
      m_buffer >>= 8;
      m_count -= 8;
    }
  }
  void flush() {
    if (m_count > 0) m_out.append(static_cast<char>(m_buffer & 0xff));
    m_buffer = 0;
    m_count = 0;
  }

 private:
  QByteArray& m_out;
  std::uint64_t m_buffer = 0;
  int m_count = 0;
};

struct Code {
  std::uint16_t bits = 0;  // already reversed for the bit writer
  std::uint8_t length = 0;
};

constexpr std::uint16_t reversed(std::uint16_t code, int length) {
  std::uint16_t result = 0;
  for (int i = 0; i < length; ++i)
    result = static_cast<std::uint16_t>(result << 1 | (code >> i & 1));
  return result;
}

// The fixed Huffman code of deflate (RFC 1951, 3.2.6) for literal/length symbols.
constexpr std::array<Code, 288> fixedCodes() {
  std::array<Code, 288> codes{};
  for (int s = 0; s < 288; ++s) {
    int code = 0, length = 0;
    if (s < 144)
      code = 0x30 + s, length = 8;
    else if (s < 256)
      code = 0x190 + (s - 144), length = 9;
    else if (s < 280)
      code = s - 256, length = 7;
    else
      code = 0xc0 + (s - 280), length = 8;
    codes[static_cast<std::size_t>(s)] = {reversed(static_cast<std::uint16_t>(code), length),
                                          static_cast<std::uint8_t>(length)};
  }
  return codes;
}
constexpr std::array<Code, 288> kFixed = fixedCodes();

// Lengths 3 to 258: their symbol (257 to 285), extra bits and base (RFC 1951, 3.2.5).
struct LengthCode {
  std::uint16_t symbol;
  std::uint8_t extraBits;
  std::uint16_t base;
};
constexpr std::array<LengthCode, 29> kLengthCodes = {{
    {257, 0, 3},   {258, 0, 4},   {259, 0, 5},   {260, 0, 6},   {261, 0, 7},   {262, 0, 8},
    {263, 0, 9},   {264, 0, 10},  {265, 1, 11},  {266, 1, 13},  {267, 1, 15},  {268, 1, 17},
    {269, 2, 19},  {270, 2, 23},  {271, 2, 27},  {272, 2, 31},  {273, 3, 35},  {274, 3, 43},
    {275, 3, 51},  {276, 3, 59},  {277, 4, 67},  {278, 4, 83},  {279, 4, 99},  {280, 4, 115},
    {281, 5, 131}, {282, 5, 163}, {283, 5, 195}, {284, 5, 227}, {285, 0, 258},
}};

constexpr std::array<std::uint8_t, 259> lengthIndexes() {
  std::array<std::uint8_t, 259> index{};
  for (std::size_t k = 0; k < kLengthCodes.size(); ++k)
    for (int length = kLengthCodes[k].base;
         length <= 258 && (k + 1 == kLengthCodes.size() || length < kLengthCodes[k + 1].base);
         ++length)
      index[static_cast<std::size_t>(length)] = static_cast<std::uint8_t>(k);
  index[258] = 28;
  return index;
}
constexpr std::array<std::uint8_t, 259> kLengthIndex = lengthIndexes();

// A zlib stream of one fixed-Huffman block: every run of a repeated byte
// becomes a copy at distance 1. Filtered rows of a symbol are mostly such
// runs, and this packs them as tightly as zlib's own run-length strategy at
// a fraction of its cost (no hash tables, no trees to build).
QByteArray zlibRunLength(const Bytef* data, std::size_t size) {
  QByteArray out;
  out.reserve(static_cast<qsizetype>(size / 4 + 64));
  out.append("\x78\x01", 2);  // deflate, 32K window, fastest
  BitWriter bits(out);
  bits.put(1, 1);  // the last block
  bits.put(1, 2);  // fixed Huffman codes
  const auto literal = [&bits](Bytef byte) { bits.put(kFixed[byte].bits, kFixed[byte].length); };
  std::size_t i = 0;
  while (i < size) {
    const Bytef byte = data[i];
    literal(byte);
    std::size_t run = 0;
    while (i + 1 + run < size && run < 258 && data[i + 1 + run] == byte) ++run;
    if (run >= 3) {
      const LengthCode& code = kLengthCodes[kLengthIndex[run]];
      bits.put(kFixed[code.symbol].bits, kFixed[code.symbol].length);
      if (code.extraBits) bits.put(static_cast<std::uint32_t>(run - code.base), code.extraBits);
      bits.put(0, 5);  // distance code 0: distance 1
      i += 1 + run;
    } else {
      ++i;
    }
  }
  bits.put(kFixed[256].bits, kFixed[256].length);  // end of block
  bits.flush();
  const auto adler = static_cast<quint32>(adler32(1, data, static_cast<uInt>(size)));
  appendBigEndian(out, adler);
  return out;
}

}  // namespace

QByteArray pngOfBlackAndWhite(const QImage& picture) {
  const QImage grey = picture.format() == QImage::Format_Grayscale8
                          ? picture
                          : picture.convertToFormat(QImage::Format_Grayscale8);
  const int width = grey.width();
  const int height = grey.height();
  if (width <= 0 || height <= 0) return {};

  // Rows of eight dots a byte, "1" white, each after its filter byte: "Up",
  // the difference from the row above. A row like the one above (all of the
  // bars' rows) is all zeros and is not looked at twice.
  const std::size_t packedBytes = (static_cast<std::size_t>(width) + 7) / 8;
  const std::size_t rowBytes = packedBytes + 1;
  // Kept from picture to picture: a batch draws thousands of them.
  thread_local std::vector<Bytef> filtered;
  thread_local std::vector<Bytef> packed[2];
  filtered.assign(rowBytes * static_cast<std::size_t>(height), 0);
  packed[0].assign(packedBytes, 0);
  packed[1].assign(packedBytes, 0);
  for (int y = 0; y < height; ++y) {
    Bytef* out = filtered.data() + rowBytes * static_cast<std::size_t>(y);
    out[0] = 2;
    const uchar* row = grey.constScanLine(y);
    if (y > 0 && std::memcmp(row, grey.constScanLine(y - 1), static_cast<std::size_t>(width)) == 0)
      continue;
    std::vector<Bytef>& current = packed[y % 2];
    const std::vector<Bytef>& above = packed[(y + 1) % 2];
    // Eight dots at a time, without a branch for each.
    const int whole = width / 8;
    for (int b = 0; b < whole; ++b) {
      // The top bit of each of eight bytes, the first byte's highest.
      std::uint64_t eight;
      std::memcpy(&eight, row + 8 * b, 8);
      eight = __builtin_bswap64(eight) & 0x8080808080808080ULL;
      current[static_cast<std::size_t>(b)] =
          static_cast<Bytef>((eight * 0x0002040810204081ULL) >> 56);
    }
    if (width % 8 != 0) {
      unsigned bits = 0;
      for (int x = 8 * whole; x < 8 * whole + 8; ++x)
        bits = (bits << 1) | (x < width ? row[x] >> 7 : 0u);
      current[static_cast<std::size_t>(whole)] = static_cast<Bytef>(bits);
    }
    for (std::size_t i = 0; i < packedBytes; ++i)
      out[1 + i] = static_cast<Bytef>(current[i] - (y > 0 ? above[i] : 0));
    // The next row compares with this one.
    if (y + 1 < height &&
        std::memcmp(row, grey.constScanLine(y + 1), static_cast<std::size_t>(width)) == 0)
      packed[(y + 1) % 2] = current;
  }

  const QByteArray compressed = zlibRunLength(filtered.data(), filtered.size());

  QByteArray out;
  out.reserve(compressed.size() + 128);
  out.append("\x89PNG\r\n\x1a\n", 8);
  QByteArray header;
  appendBigEndian(header, static_cast<quint32>(width));
  appendBigEndian(header, static_cast<quint32>(height));
  header.append("\x01\x00\x00\x00\x00",
                5);  // 1-bit grey, deflate, filtered, not interlaced
  appendChunk(out, "IHDR", header);
  if (grey.dotsPerMeterX() > 0 && grey.dotsPerMeterY() > 0) {
    QByteArray physical;
    appendBigEndian(physical, static_cast<quint32>(grey.dotsPerMeterX()));
    appendBigEndian(physical, static_cast<quint32>(grey.dotsPerMeterY()));
    physical.append('\x01');  // per metre
    appendChunk(out, "pHYs", physical);
  }
  appendChunk(out, "IDAT", compressed);
  appendChunk(out, "IEND", {});
  return out;
}

}  // namespace render

#include "render/png.h"

#include <zlib.h>

#include <array>
#include <cstring>

#include "render/scene.h"
#include "render/units.h"

namespace render {

namespace {

void appendBigEndian(std::string& out, std::uint32_t value) {
  const char bytes[4] = {static_cast<char>(value >> 24), static_cast<char>(value >> 16),
                         static_cast<char>(value >> 8), static_cast<char>(value)};
  out.append(bytes, 4);
}

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

constexpr std::size_t kMaxRun = 258;
constexpr std::size_t kChunkBytes = 1 << 16;  // compressed bytes an IDAT chunk holds

// Adler-32 (RFC 1950) on, after `first`, `zeros` zero bytes, without reading them.
std::uint32_t adlerOfZeros(std::uint32_t adler, std::uint8_t first, std::size_t zeros) {
  constexpr std::uint32_t kBase = 65521;
  std::uint32_t a = adler & 0xffff, b = adler >> 16;
  a = (a + first) % kBase;
  b = (b + a) % kBase;
  b = static_cast<std::uint32_t>((b + (zeros % kBase) * static_cast<std::uint64_t>(a)) % kBase);
  return b << 16 | a;
}

bool blackOnWhite(const Style& style) {
  return style.foreground == kBlack && style.background == kWhite;
}

}  // namespace

void packPaperBits(const std::uint8_t* ink, int width, std::uint8_t* out) {
  const int whole = width / 8;
  for (int b = 0; b < whole; ++b) {
    // The low bit of each of eight bytes, the first byte's highest.
    std::uint64_t eight;
    std::memcpy(&eight, ink + 8 * b, 8);
    eight = __builtin_bswap64(eight << 7) & 0x8080808080808080ULL;
    out[b] = static_cast<std::uint8_t>(~((eight * 0x0002040810204081ULL) >> 56));
  }
  if (width % 8 != 0) {
    unsigned bits = 0;
    for (int x = 8 * whole; x < 8 * whole + 8; ++x)
      bits = (bits << 1) | (x < width ? (ink[x] ? 0u : 1u) : 0u);
    out[whole] = static_cast<std::uint8_t>(bits);
  }
}

PngWriter::PngWriter(int width, int height, int dpi, const Style& style, const Sink& sink)
    : m_sink(sink), m_width(width), m_packed((static_cast<std::size_t>(width) + 7) / 8) {
  m_rows[0].assign(m_packed, 0);
  m_rows[1].assign(m_packed, 0);
  m_filtered.assign(m_packed + 1, 0);
  const bool grey = blackOnWhite(style);
  std::string out("\x89PNG\r\n\x1a\n", 8);
  m_ok = m_sink(out.data(), out.size());
  std::string header;
  appendBigEndian(header, static_cast<std::uint32_t>(width));
  appendBigEndian(header, static_cast<std::uint32_t>(height));
  // 1 bit, grey or a palette; deflate, filtered, not interlaced.
  header.append(grey ? "\x01\x00\x00\x00\x00" : "\x01\x03\x00\x00\x00", 5);
  chunk("IHDR", header);
  if (!grey) {
    // Index 0 ink, 1 paper, as the bits are.
    const Colour paper = style.background.value_or(kWhite);
    const char palette[6] = {static_cast<char>(style.foreground.r),
                             static_cast<char>(style.foreground.g),
                             static_cast<char>(style.foreground.b),
                             static_cast<char>(paper.r),
                             static_cast<char>(paper.g),
                             static_cast<char>(paper.b)};
    chunk("PLTE", std::string(palette, 6));
    if (!style.background) chunk("tRNS", std::string("\xff\x00", 2));
  }
  std::string physical;
  const auto perMetre = static_cast<std::uint32_t>(units::dotsPerMetre(dpi));
  appendBigEndian(physical, perMetre);
  appendBigEndian(physical, perMetre);
  physical.push_back('\x01');  // per metre
  chunk("pHYs", physical);
  m_idat.append("\x78\x01", 2);  // deflate, 32K window, fastest
  put(1, 1);                     // the last block
  put(1, 2);                     // fixed Huffman codes
}

bool PngWriter::chunk(const char* type, const std::string& data) {
  std::string out;
  out.reserve(data.size() + 12);
  appendBigEndian(out, static_cast<std::uint32_t>(data.size()));
  out.append(type, 4);
  out.append(data);
  const auto* from = reinterpret_cast<const Bytef*>(out.data() + 4);
  appendBigEndian(out,
                  static_cast<std::uint32_t>(crc32(0, from, static_cast<uInt>(out.size() - 4))));
  m_ok = m_ok && m_sink(out.data(), out.size());
  return m_ok;
}

void PngWriter::put(std::uint32_t bits, int count) {
  m_bits |= static_cast<std::uint64_t>(bits) << m_bitCount;
  m_bitCount += count;
  while (m_bitCount >= 8) {
    m_idat.push_back(static_cast<char>(m_bits & 0xff));
    m_bits >>= 8;
    m_bitCount -= 8;
  }
}

void PngWriter::literal(std::uint8_t byte) { put(kFixed[byte].bits, kFixed[byte].length); }

// A copy of the byte before, `length` times: distance 1.
void PngWriter::copy(std::size_t length) {
  const LengthCode& code = kLengthCodes[kLengthIndex[length]];
  put(kFixed[code.symbol].bits, kFixed[code.symbol].length);
  if (code.extraBits) put(static_cast<std::uint32_t>(length - code.base), code.extraBits);
  put(0, 5);  // distance code 0: distance 1
}

void PngWriter::endRun() {
  if (m_run >= 3)
    copy(m_run);
  else
    for (std::size_t i = 0; i < m_run; ++i) literal(m_last);
  m_run = 0;
}

void PngWriter::feed(std::uint8_t byte) {
  if (m_haveLast && byte == m_last) {
    if (++m_run == kMaxRun) {
      copy(kMaxRun);
      m_run = 0;
    }
    return;
  }
  endRun();
  literal(byte);
  m_last = byte;
  m_haveLast = true;
}

void PngWriter::feedRun(std::uint8_t byte, std::size_t count) {
  if (count == 0) return;
  if (!m_haveLast || byte != m_last) {
    feed(byte);
    --count;
  }
  m_run += count;
  for (; m_run >= kMaxRun; m_run -= kMaxRun) copy(kMaxRun);
}

bool PngWriter::flushChunk(bool last) {
  if (!last && m_idat.size() < kChunkBytes) return m_ok;
  const bool ok = chunk("IDAT", m_idat);
  m_idat.clear();
  return ok;
}

bool PngWriter::row(const std::uint8_t* ink, bool again) {
  m_filtered[0] = 2;  // "Up": the difference from the row above
  bool same = again && m_y > 0;
  if (!same) {
    std::vector<std::uint8_t>& current = m_rows[1 - m_above];
    const std::vector<std::uint8_t>& above = m_rows[m_above];
    packPaperBits(ink, m_width, current.data());
    same = m_y > 0 && current == above;
    if (!same) {
      for (std::size_t i = 0; i < m_packed; ++i)
        m_filtered[1 + i] = static_cast<std::uint8_t>(current[i] - (m_y > 0 ? above[i] : 0));
      // Runs of one byte go to the encoder whole.
      for (std::size_t i = 0; i < m_filtered.size();) {
        std::size_t end = i + 1;
        while (end < m_filtered.size() && m_filtered[end] == m_filtered[i]) ++end;
        feedRun(m_filtered[i], end - i);
        i = end;
      }
      m_adler = static_cast<std::uint32_t>(
          adler32(m_adler, m_filtered.data(), static_cast<uInt>(m_filtered.size())));
      m_above = 1 - m_above;
    }
  }
  if (same) {
    // The row above once more: its filter byte and zeros.
    feed(2);
    feedRun(0, m_packed);
    m_adler = adlerOfZeros(m_adler, 2, m_packed);
  }
  ++m_y;
  return flushChunk(false);
}

bool PngWriter::finish() {
  endRun();
  put(kFixed[256].bits, kFixed[256].length);  // end of block
  if (m_bitCount > 0) m_idat.push_back(static_cast<char>(m_bits & 0xff));
  m_bits = 0;
  m_bitCount = 0;
  appendBigEndian(m_idat, m_adler);
  flushChunk(true);
  return chunk("IEND", {});
}

bool writePng(const Scene& scene, int dpi, const Sink& sink) {
  Rows rows(scene);
  if (rows.width() <= 0 || rows.height() <= 0) return false;
  PngWriter png(rows.width(), rows.height(), dpi, scene.style, sink);
  for (int y = 0; y < rows.height(); ++y) {
    const auto& ink = rows.next();
    if (!png.row(ink.data(), rows.repeated())) return false;
  }
  return png.finish();
}

}  // namespace render

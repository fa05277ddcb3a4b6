#include "render/png.h"

#include <zlib.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace render {

namespace {

// zlib clears a hash table of 2^(level + 8) bytes on every reset, which the
// run-length strategy never reads; its symbol buffer of 2^(level + 6) still
// holds a whole symbol's worth.
constexpr int kMemoryLevel = 5;

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

  // One compressor per thread, reset for each picture: setting one up costs
  // more than compressing a symbol.
  struct Compressor {
    z_stream stream{};
    bool ready = deflateInit2(&stream, 1, Z_DEFLATED, 15, kMemoryLevel, Z_RLE) == Z_OK;
    ~Compressor() {
      if (ready) deflateEnd(&stream);
    }
  };
  thread_local Compressor compressor;
  if (!compressor.ready || deflateReset(&compressor.stream) != Z_OK) return {};
  z_stream& stream = compressor.stream;
  QByteArray compressed(
      static_cast<qsizetype>(deflateBound(&stream, static_cast<uLong>(filtered.size()))),
      Qt::Uninitialized);
  stream.next_in = filtered.data();
  stream.avail_in = static_cast<uInt>(filtered.size());
  stream.next_out = reinterpret_cast<Bytef*>(compressed.data());
  stream.avail_out = static_cast<uInt>(compressed.size());
  if (deflate(&stream, Z_FINISH) != Z_STREAM_END) return {};
  compressed.resize(static_cast<qsizetype>(stream.total_out));

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

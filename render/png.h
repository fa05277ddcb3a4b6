#pragma once

// A two-colour PNG written row by row: memory stays near one row whatever
// the picture's size. Each row is filtered against the one above, so the
// rows a symbol repeats become zeros, which one fixed-Huffman deflate block
// of runs packs as well as zlib's slow levels at a fraction of its cost.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "render/devices.h"

namespace render {

// Eight dots a byte, the first the highest bit, 1 for paper; `ink` holds a
// byte a dot, 1 for ink.
void packPaperBits(const std::uint8_t* ink, int width, std::uint8_t* out);

class PngWriter {
 public:
  // Black on white is written as 1-bit grey; other colours as a palette of
  // two, the paper transparent when it has no colour.
  PngWriter(int width, int height, int dpi, const Style& style, const Sink& sink);
  // width bytes, 1 for ink; `again` when they are the row before once more.
  bool row(const std::uint8_t* ink, bool again = false);
  bool finish();

 private:
  void literal(std::uint8_t byte);
  void copy(std::size_t length);
  void feed(std::uint8_t byte);
  void feedRun(std::uint8_t byte, std::size_t count);
  void endRun();
  void put(std::uint32_t bits, int count);
  bool flushChunk(bool last);
  bool chunk(const char* type, const std::string& data);

  const Sink& m_sink;
  int m_width;
  std::size_t m_packed;
  std::vector<std::uint8_t> m_rows[2];
  int m_above = 1;  // which of them holds the row above
  std::vector<std::uint8_t> m_filtered;
  int m_y = 0;
  std::uint32_t m_adler = 1;
  std::string m_idat;  // compressed bytes not yet written
  std::uint64_t m_bits = 0;
  int m_bitCount = 0;
  bool m_haveLast = false;
  std::uint8_t m_last = 0;
  std::size_t m_run = 0;
  bool m_ok = true;
};

}  // namespace render

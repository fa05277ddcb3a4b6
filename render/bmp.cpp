// BMP: two colours, a bit a dot, written row by row from the top (a
// negative height), with the resolution in pixels per metre.
#include <cstring>
#include <string>

#include "render/png.h"
#include "render/scene.h"
#include "render/units.h"

namespace render {

namespace {

void appendLittleEndian(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>(value >> (8 * i)));
}

}  // namespace

bool writeBmp(const Scene& scene, int dpi, const Sink& sink) {
  Rows rows(scene);
  const int width = rows.width(), height = rows.height();
  if (width <= 0 || height <= 0) return false;
  const std::size_t rowBytes = ((static_cast<std::size_t>(width) + 31) / 32) * 4;
  constexpr std::uint32_t kHeaderBytes = 14 + 40 + 8;
  std::string header;
  header.append("BM");
  appendLittleEndian(header, static_cast<std::uint32_t>(kHeaderBytes + rowBytes * height), 4);
  appendLittleEndian(header, 0, 4);
  appendLittleEndian(header, kHeaderBytes, 4);
  appendLittleEndian(header, 40, 4);
  appendLittleEndian(header, static_cast<std::uint32_t>(width), 4);
  appendLittleEndian(header, static_cast<std::uint32_t>(-height), 4);  // top row first
  appendLittleEndian(header, 1, 2);                                    // planes
  appendLittleEndian(header, 1, 2);                                    // bits a pixel
  appendLittleEndian(header, 0, 4);                                    // not compressed
  appendLittleEndian(header, static_cast<std::uint32_t>(rowBytes * height), 4);
  appendLittleEndian(header, static_cast<std::uint32_t>(units::dotsPerMetre(dpi)), 4);
  appendLittleEndian(header, static_cast<std::uint32_t>(units::dotsPerMetre(dpi)), 4);
  appendLittleEndian(header, 2, 4);  // colours
  appendLittleEndian(header, 2, 4);
  // Index 0 ink, 1 paper (blue, green, red, unused); BMP has no transparency.
  const Colour ink = scene.style.foreground;
  const Colour paper = scene.style.background.value_or(kWhite);
  for (const Colour& c : {ink, paper}) {
    header.push_back(static_cast<char>(c.b));
    header.push_back(static_cast<char>(c.g));
    header.push_back(static_cast<char>(c.r));
    header.push_back('\0');
  }
  if (!sink(header.data(), header.size())) return false;
  std::string row(rowBytes, '\0');
  for (int y = 0; y < height; ++y) {
    packPaperBits(rows.next().data(), width, reinterpret_cast<std::uint8_t*>(row.data()));
    if (!sink(row.data(), row.size())) return false;
  }
  return true;
}

}  // namespace render

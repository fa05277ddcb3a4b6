#include "support.h"

#include <png.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace verifytest {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "verify-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) != nullptr) m_path = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  if (!m_path.empty()) std::filesystem::remove_all(m_path, ignored);
}

Run run(const std::string& command) {
  Run result;
  FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
  if (pipe == nullptr) return result;
  std::array<char, 4096> buffer{};
  std::size_t n = 0;
  while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
    result.out.append(buffer.data(), n);
  const int status = pclose(pipe);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

bool haveTool(const std::string& name) { return run("command -v " + name).status == 0; }

std::string quoted(const std::filesystem::path& path) { return "'" + path.string() + "'"; }

std::optional<Png> loadPng(const std::filesystem::path& path) {
  std::unique_ptr<FILE, decltype(&std::fclose)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!file) return std::nullopt;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (info == nullptr) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return std::nullopt;
  }
  Png out;
  std::vector<png_bytep> rows;
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return std::nullopt;
  }
  png_init_io(png, file.get());
  png_read_info(png, info);
  // Everything to 8-bit RGBA.
  png_set_expand(png);
  png_set_strip_16(png);
  png_set_gray_to_rgb(png);
  png_set_add_alpha(png, 0xff, PNG_FILLER_AFTER);
  png_read_update_info(png, info);
  out.width = static_cast<int>(png_get_image_width(png, info));
  out.height = static_cast<int>(png_get_image_height(png, info));
  png_uint_32 xRes = 0, yRes = 0;
  int unit = 0;
  if (png_get_pHYs(png, info, &xRes, &yRes, &unit) != 0 && unit == PNG_RESOLUTION_METER)
    out.dotsPerMm = xRes / 1000.0;
  out.rgba.resize(static_cast<std::size_t>(out.width) * out.height * 4);
  for (int y = 0; y < out.height; ++y)
    rows.push_back(&out.rgba[static_cast<std::size_t>(y) * out.width * 4]);
  png_read_image(png, rows.data());
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  return out;
}

std::optional<verify::Image> loadImage(const std::filesystem::path& path, double dotsPerMm) {
  const std::optional<Png> png = loadPng(path);
  if (!png) return std::nullopt;
  return verify::imageFromRgb(png->rgba.data(), png->width, png->height, png->width * 4, 4,
                              png->dotsPerMm > 0 ? png->dotsPerMm : dotsPerMm);
}

}  // namespace verifytest

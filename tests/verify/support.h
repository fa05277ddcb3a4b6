#pragma once

// What the grader's tests share: a scratch folder, the outside programs that make and
// read their files (zint, ImageMagick, zbarimg) and a PNG loader of their own.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "verify/image.h"

namespace verifytest {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  std::filesystem::path file(const std::string& name) const { return m_path / name; }

 private:
  std::filesystem::path m_path;
};

// Runs a shell command; its standard output, its exit status.
struct Run {
  int status = -1;
  std::string out;
};
Run run(const std::string& command);
bool haveTool(const std::string& name);

// 8-bit RGBA rows of a PNG, with its resolution when the file has one.
struct Png {
  int width = 0;
  int height = 0;
  double dotsPerMm = 0;  // 0: none stored
  std::vector<unsigned char> rgba;
};
std::optional<Png> loadPng(const std::filesystem::path& path);

// The PNG as the grader sees it; resolution from the file, else the one given.
std::optional<verify::Image> loadImage(const std::filesystem::path& path, double dotsPerMm);

inline constexpr double kDpmm300 = 300 / 25.4;

// Quotes a path for the shell.
std::string quoted(const std::filesystem::path& path);

}  // namespace verifytest

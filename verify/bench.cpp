// CPU time of one grade, ink-spread sweep included, of a 20-character Code 128 at four
// dots a module and 300 dpi, drawn here from its modules.

#include <cstdio>
#include <ctime>
#include <string>

#include "verify/decode.h"
#include "verify/grade.h"

namespace {

double cpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

verify::Image code128Image(const std::string& data, int dots) {
  using verify::detail::kCode128;
  std::vector<int> values{104};  // start B
  for (char c : data) values.push_back(c - 32);
  int sum = values[0];
  for (std::size_t k = 1; k < values.size(); ++k) sum += static_cast<int>(k) * values[k];
  values.push_back(sum % 103);
  values.push_back(106);
  std::vector<bool> modules(10, false);  // quiet zone
  for (int v : values) {
    bool bar = true;
    for (int m : kCode128[static_cast<std::size_t>(v)]) {
      modules.insert(modules.end(), static_cast<std::size_t>(m), bar);
      bar = !bar;
    }
  }
  modules.insert(modules.end(), 2, true);  // the stop's last bar
  modules.insert(modules.end(), 10, false);
  verify::Image image;
  image.width = static_cast<int>(modules.size()) * dots;
  image.height = 60 * dots;
  image.dotsPerMm = 300 / 25.4;
  image.reflectance.resize(static_cast<std::size_t>(image.width * image.height));
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x)
      image.reflectance[static_cast<std::size_t>(y * image.width + x)] =
          modules[static_cast<std::size_t>(x / dots)] ? 0 : 255;
  return image;
}

}  // namespace

int main() {
  const verify::Image image = code128Image("GRADE-BENCH 20 CHARS", 4);
  constexpr int kRuns = 50;
  double best = 1e9;
  verify::Report report;
  for (int r = 0; r < kRuns; ++r) {
    const double t0 = cpuSeconds();
    report = verify::grade(image, verify::Symbology::Code128);
    best = std::min(best, cpuSeconds() - t0);
  }
  std::printf("%s\n", verify::summaryLine(report, {}, {}).c_str());
  std::printf("grade code128 20 chars 4 dots/module: %.2f ms CPU (best of %d)\n", best * 1e3,
              kRuns);
  return 0;
}

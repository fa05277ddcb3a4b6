#include "bench/yardstick.h"

#define ZX_USE_UTF8 1
#include <ZXing/BitMatrix.h>
#include <ZXing/MultiFormatWriter.h>
#include <benchmark/benchmark.h>

#include <cstdio>

#include "surface/picturebox.h"
#include "symbologies/eanupc/ean13.h"
#include "symbologies/linear/code128.h"
#include "symbologies/linear/draw.h"

namespace bench {

namespace {

constexpr char kCode128Text[] = "Code 128 bench: 2026";

// A picture box of Picture1's place and size.
struct Picture1 {
  surface::PictureBox box;
  Picture1() { box.setTwipsGeometry(1200, 4440, 4635, 1215); }
};

void ourCode128(benchmark::State& state) {
  Picture1 picture;
  const std::u32string text = QString::fromLatin1(kCode128Text).toStdU32String();
  for (auto _ : state) {
    linear::drawLinear(picture.box, text, {0, 0, 1}, &linear::encodeCode128);
    benchmark::DoNotOptimize(picture.box.Image().constBits());
  }
}

void theirCode128(benchmark::State& state) {
  Picture1 picture;
  linear::drawLinear(picture.box, QString::fromLatin1(kCode128Text).toStdU32String(), {0, 0, 1},
                     &linear::encodeCode128);
  const QSize size = picture.box.Image().size();
  const ZXing::MultiFormatWriter writer(ZXing::BarcodeFormat::Code128);
  for (auto _ : state) {
    const auto matrix = ZXing::ToMatrix<uint8_t>(
        writer.encode(std::string(kCode128Text), size.width(), size.height()));
    benchmark::DoNotOptimize(matrix.data());
  }
}

constexpr char kEan13Data[] = "590123412345";

// A picture box of picEan's place, size and user scale.
struct PicEan {
  surface::PictureBox box;
  PicEan() {
    box.setTwipsGeometry(1200, 4440, 1815, 1095);
    box.setScale(15, 11.55);
  }
};

void ourEan13(benchmark::State& state) {
  PicEan picture;
  const std::u32string data = QString::fromLatin1(kEan13Data).toStdU32String();
  for (auto _ : state) {
    const auto encoding = eanupc::encodeEan13(data);
    eanupc::drawEan13(picture.box, std::get<eanupc::Symbol>(encoding));
    benchmark::DoNotOptimize(picture.box.Image().constBits());
  }
}

void theirEan13(benchmark::State& state) {
  PicEan picture;
  const QSize size = picture.box.Image().size();
  const ZXing::MultiFormatWriter writer(ZXing::BarcodeFormat::EAN13);
  for (auto _ : state) {
    const auto matrix = ZXing::ToMatrix<uint8_t>(
        writer.encode(std::string(kEan13Data), size.width(), size.height()));
    benchmark::DoNotOptimize(matrix.data());
  }
}

}  // namespace

void registerYardsticks() {
  benchmark::RegisterBenchmark("yardstick/EAN-13/ours", ourEan13)->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("yardstick/EAN-13/zxing-cpp", theirEan13)
      ->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("yardstick/Code 128/ours", ourCode128)
      ->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("yardstick/Code 128/zxing-cpp", theirCode128)
      ->Unit(benchmark::kMicrosecond);
}

void printRatios(const std::map<std::string, double>& us) {
  std::printf("\nRatios, ours to zxing-cpp's writer (aim: at most 2):\n");
  for (const char* symbology : {"Code 128", "EAN-13"}) {
    const auto ours = us.find(std::string("yardstick/") + symbology + "/ours");
    const auto theirs = us.find(std::string("yardstick/") + symbology + "/zxing-cpp");
    if (ours == us.end() || theirs == us.end()) continue;
    std::printf("  %-10s %.2f\n", symbology, ours->second / theirs->second);
  }
  struct Target {
    const char* prefix;
    double limit;
  };
  const Target targets[] = {{"keystroke/", 250},
                            {"switch/", 3000},
                            {"widest/", 10000},
                            {"megabyte/", 10000},
                            {"start-up", 300000}};
  std::printf("\nTargets:\n");
  for (const auto& [name, time] : us) {
    for (const Target& t : targets) {
      if (name.rfind(t.prefix, 0) != 0) continue;
      std::printf("  %-32s %10.1f us  (target %.0f us) %s\n", name.c_str(), time, t.limit,
                  time <= t.limit ? "met" : "MISSED");
    }
  }
}

}  // namespace bench

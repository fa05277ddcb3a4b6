#include "bench/drawing.h"

#define ZX_USE_UTF8 1
#include <ZXing/BitMatrix.h>
#include <ZXing/MultiFormatWriter.h>
#include <benchmark/benchmark.h>
#include <zint.h>

#include <cstring>
#include <map>
#include <memory>

#include "bench/peers.h"
#include "screen/ean13.h"
#include "screen/linear.h"
#include "screen/upca.h"
#include "surface/picturebox.h"
#include "symbologies/eanupc/eanupc.h"

namespace bench {

namespace {

std::vector<std::string> g_notes;

// Where the bars of each family stand, in user units, as the drawing code places them.
struct BarArea {
  int left, top, bottom;
};
BarArea barArea(Family family) {
  switch (family) {
    case Family::Linear:
      return {linear::kFirstBarX, 1, 58};
    case Family::Ean13:
      return {11, 5, 72};
    case Family::UpcA:
      return {20, 6, 50};
  }
  return {};
}

// Every timing cycles through inputs that differ one from the next, as typing
// makes them: nothing is drawn twice in a row.
constexpr std::size_t kInputs = 4096;

struct Inputs {
  std::vector<QString> text;
  std::vector<std::u32string> ours;  // UPC-A: the number with its check digit
  std::vector<std::string> zint, zxing;
};

const Inputs& inputsOf(const Option& option) {
  static std::map<std::string, Inputs> made;
  Inputs& inputs = made[option.key()];
  if (!inputs.text.empty()) return inputs;
  for (std::size_t n = 0; n < kInputs; ++n) {
    const QString text = keystrokeText(option, static_cast<unsigned>(n));
    std::u32string data = text.toStdU32String();
    if (option.family == Family::UpcA) data += char32_t(U'0' + eanupc::upcCheckNumber(data));
    inputs.text.push_back(text);
    inputs.ours.push_back(std::move(data));
    inputs.zint.push_back(zintInput(option, text));
    inputs.zxing.push_back(text.toStdString());
  }
  return inputs;
}

void ours(benchmark::State& state, app::BarcodeGenerator* window, const Option& option, bool text) {
  surface::PictureBox& picture = *pictureOf(window->controls(), option);
  const std::vector<std::u32string>& data = inputsOf(option).ours;
  const eanupc::Digits digits = text ? eanupc::Digits::Printed : eanupc::Digits::Omitted;
  std::size_t n = 0;
  switch (option.family) {
    case Family::Linear: {
      const linear::Settings settings{0, text ? 1 : 0, option.checkCharacter};
      for (auto _ : state)
        linear::drawLinear(picture, data[n++ % kInputs], settings, option.choice->encodeLinear);
      break;
    }
    case Family::Ean13:
      for (auto _ : state) {
        const auto encoding = eanupc::encodeEan13(data[n++ % kInputs]);
        eanupc::drawEan13(picture, std::get<eanupc::Symbol>(encoding), digits);
      }
      break;
    case Family::UpcA:
      picture.setPicture(QImage());
      for (auto _ : state) {
        picture.Cls();
        const auto encoding = eanupc::encodeUpcA(data[n++ % kInputs]);
        eanupc::drawUpcA(picture, std::get<eanupc::Symbol>(encoding), digits);
      }
      break;
  }
}

using ZintSymbol = std::unique_ptr<zint_symbol, void (*)(zint_symbol*)>;

// libzint's raster: scale 0.5 is one pixel per module; 1 is its default look.
ZintSymbol zintSymbol(const Option& option, bool text) {
  ZintSymbol symbol(ZBarcode_Create(), &ZBarcode_Delete);
  symbol->symbology = option.zint;
  symbol->scale = text ? 1.0f : 0.5f;
  symbol->show_hrt = text ? 1 : 0;
  return symbol;
}

void zint(benchmark::State& state, const Option& option, bool text) {
  const ZintSymbol symbol = zintSymbol(option, text);
  const std::vector<std::string>& data = inputsOf(option).zint;
  std::size_t n = 0;
  for (auto _ : state) {
    const std::string& input = data[n++ % kInputs];
    ZBarcode_Clear(symbol.get());
    ZBarcode_Encode_and_Buffer(symbol.get(), reinterpret_cast<const unsigned char*>(input.data()),
                               static_cast<int>(input.size()), 0);
    benchmark::DoNotOptimize(symbol->bitmap);
  }
}

QSize zintSize(const Option& option, bool text) {
  const ZintSymbol symbol = zintSymbol(option, text);
  const std::string& input = inputsOf(option).zint.front();
  ZBarcode_Encode_and_Buffer(symbol.get(), reinterpret_cast<const unsigned char*>(input.data()),
                             static_cast<int>(input.size()), 0);
  return {symbol->bitmap_width, symbol->bitmap_height};
}

// zxing-cpp's writer to the bit matrix it returns, at our picture's size.
void zxing(benchmark::State& state, const Option& option, QSize size) {
  const ZXing::MultiFormatWriter writer(option.zxing);
  const std::vector<std::string>& data = inputsOf(option).zxing;
  std::size_t n = 0;
  for (auto _ : state) {
    const ZXing::BitMatrix matrix = writer.encode(data[n++ % kInputs], size.width(), size.height());
    benchmark::DoNotOptimize(matrix.width());
  }
}

// The least any drawing of these bars can cost: one row built, copied to
// every bar row of a 32-bit image of our picture's size.
void floorOf(benchmark::State& state, const Option& option, QSize size, BarArea area) {
  const Modules modules = ourModules(option, QString::fromLatin1(option.data));
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  uchar* const bits = image.bits();
  const qsizetype stride = image.bytesPerLine();
  const QRgb white = qRgb(255, 255, 255), black = qRgb(0, 0, 0);
  std::vector<QRgb> row(size.width());
  const std::size_t right = std::min<std::size_t>(row.size(), area.left + modules.size());
  for (auto _ : state) {
    std::fill(row.begin(), row.end(), white);
    for (std::size_t x = area.left; x < right; ++x)
      if (modules[x - area.left]) row[x] = black;
    for (int y = area.top; y < area.bottom; ++y)
      std::memcpy(bits + y * stride, row.data(), row.size() * sizeof(QRgb));
    benchmark::ClobberMemory();
  }
}

benchmark::internal::Benchmark* timed(benchmark::internal::Benchmark* benchmark) {
  return benchmark->Unit(benchmark::kMicrosecond)
      ->MinTime(0.1)
      ->Repetitions(9)
      ->ReportAggregatesOnly(true);
}

// Says whether a peer makes our symbol of every input; true when it can be
// timed at all.
using PeerModules = std::optional<Modules> (*)(const Option&, const QString&, std::string*);
bool checkPeer(const Option& option, const char* peer, PeerModules modulesOf) {
  const std::string key = option.key();
  std::size_t unlike = 0;
  std::string first;
  for (const QString& input : inputsOf(option).text) {
    std::string error;
    const std::optional<Modules> theirs = modulesOf(option, input, &error);
    if (!theirs) {
      g_notes.push_back(key + ": " + peer + " refuses " + input.toStdString() + " (" + error +
                        "), not timed");
      return false;
    }
    const std::string differs = difference(ourModules(option, input), *theirs);
    if (!differs.empty() && unlike++ == 0) first = input.toStdString() + ": " + differs;
  }
  if (unlike == 0)
    g_notes.push_back(key + ": " + peer + " makes our symbol, module for module, of all " +
                      std::to_string(kInputs) + " inputs");
  else
    g_notes.push_back(key + ": " + peer + " cannot make our symbol of " + std::to_string(unlike) +
                      " of " + std::to_string(kInputs) + " inputs (" + first +
                      "); timed on the same data in its own form");
  return true;
}

}  // namespace

void registerDrawing(app::BarcodeGenerator& window) {
  for (const Option& option : options()) {
    const std::string key = option.key();
    surface::PictureBox* picture = pictureOf(window.controls(), option);
    const QSize size = picture->Image().size();
    const BarArea units = barArea(option.family);
    const BarArea area{picture->deviceX(units.left), picture->deviceY(units.top),
                       picture->deviceY(units.bottom)};

    timed(benchmark::RegisterBenchmark(("draw/" + key + "/ours").c_str(), ours, &window, option,
                                       false));
    timed(benchmark::RegisterBenchmark(("text/" + key + "/ours").c_str(), ours, &window, option,
                                       true));
    timed(benchmark::RegisterBenchmark(("floor/" + key).c_str(), floorOf, option, size, area));

    if (checkPeer(option, "libzint", &zintModules)) {
      const QSize plain = zintSize(option, false), labelled = zintSize(option, true);
      g_notes.push_back(key + ": pixels ours " + std::to_string(size.width()) + "x" +
                        std::to_string(size.height()) + ", libzint " +
                        std::to_string(plain.width()) + "x" + std::to_string(plain.height()) +
                        " without text, " + std::to_string(labelled.width()) + "x" +
                        std::to_string(labelled.height()) + " with");
      timed(
          benchmark::RegisterBenchmark(("draw/" + key + "/libzint").c_str(), zint, option, false));
      timed(benchmark::RegisterBenchmark(("text/" + key + "/libzint").c_str(), zint, option, true));
    }
    if (checkPeer(option, "zxing-cpp", &zxingModules))
      timed(benchmark::RegisterBenchmark(("draw/" + key + "/zxing-cpp").c_str(), zxing, option,
                                         size));
  }
}

const std::vector<std::string>& drawingNotes() { return g_notes; }

}  // namespace bench

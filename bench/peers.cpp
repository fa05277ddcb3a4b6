#include "bench/peers.h"

#define ZX_USE_UTF8 1
#include <ZXing/BitMatrix.h>
#include <ZXing/MultiFormatWriter.h>
#include <zint.h>

#include <cstring>
#include <memory>

#include "symbologies/eanupc/eanupc.h"

namespace bench {

Modules ourModules(const Option& option, const QString& input) {
  const std::u32string data = input.toStdU32String();
  Modules modules;
  if (option.family == Family::Linear) {
    const linear::Settings settings{0, 0, option.checkCharacter};
    const auto encoding = option.choice->encodeLinear(data, settings);
    const auto& symbol = std::get<linear::Symbol>(encoding);
    for (std::size_t i = 0; i < symbol.elements.size(); ++i) {
      const bool bar = i % 2 == 0;
      modules.insert(modules.end(), linear::elementWidth(symbol.elements[i], bar, symbol.kind, 0),
                     bar);
    }
    return modules;
  }
  const auto encoding =
      option.family == Family::UpcA
          ? eanupc::encodeUpcA(data + char32_t(U'0' + eanupc::upcCheckNumber(data)))
          : eanupc::encodeEan13(data);
  for (const char module : std::get<eanupc::Symbol>(encoding).modules)
    modules.push_back(module == '1');
  return modules;
}

std::optional<Modules> zintModules(const Option& option, const QString& input, std::string* error) {
  const std::unique_ptr<zint_symbol, void (*)(zint_symbol*)> symbol(ZBarcode_Create(),
                                                                    &ZBarcode_Delete);
  symbol->symbology = option.zint;
  const std::string data = zintInput(option, input);
  if (ZBarcode_Encode(symbol.get(), reinterpret_cast<const unsigned char*>(data.data()),
                      static_cast<int>(data.size())) >= ZINT_ERROR) {
    *error = symbol->errtxt;
    return std::nullopt;
  }
  if (symbol->rows != 1) {
    *error = "more than one row";
    return std::nullopt;
  }
  Modules modules;
  for (int x = 0; x < symbol->width; ++x)
    modules.push_back((symbol->encoded_data[0][x >> 3] >> (x & 7)) & 1);
  return modules;
}

std::optional<Modules> zxingModules(const Option& option, const QString& input,
                                    std::string* error) {
  try {
    // No margin and the least width: one pixel per module.
    ZXing::MultiFormatWriter writer(option.zxing);
    writer.setMargin(0);
    const ZXing::BitMatrix matrix = writer.encode(input.toStdString(), 0, 1);
    Modules modules;
    for (int x = 0; x < matrix.width(); ++x) modules.push_back(matrix.get(x, 0));
    return modules;
  } catch (const std::exception& e) {
    *error = e.what();
    return std::nullopt;
  }
}

std::string difference(const Modules& ours, const Modules& theirs) {
  std::size_t i = 0;
  while (i < ours.size() && i < theirs.size() && ours[i] == theirs[i]) ++i;
  if (i == ours.size() && i == theirs.size()) return {};
  return std::to_string(ours.size()) + " modules against " + std::to_string(theirs.size()) +
         ", first different at module " + std::to_string(i);
}

}  // namespace bench

#include "verify/symbology.h"

namespace verify {

namespace {

// Each row at its symbology's place, so a lookup is an index and never falls back.
constexpr bool rowsInOrder() {
  for (std::size_t i = 0; i < kSymbologyRules.size(); ++i)
    if (static_cast<std::size_t>(kSymbologyRules[i].symbology) != i) return false;
  return kSymbologyRules.size() == static_cast<std::size_t>(Symbology::Gs1_128) + 1;
}
static_assert(rowsInOrder());

}  // namespace

const SymbologyRules& rulesFor(Symbology symbology) {
  return kSymbologyRules[static_cast<std::size_t>(symbology)];
}

bool isEanUpc(Symbology symbology) {
  return symbology == Symbology::Ean13 || symbology == Symbology::UpcA ||
         symbology == Symbology::Ean8 || symbology == Symbology::UpcE;
}

double defaultApertureMm(Symbology symbology, double xMm) {
  if (isEanUpc(symbology)) return 0.150;
  if (xMm < 0.180) return 0.075;
  if (xMm < 0.330) return 0.125;
  if (xMm < 0.635) return 0.250;
  return 0.500;
}

}  // namespace verify

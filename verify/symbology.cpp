#include "verify/symbology.h"

namespace verify {

const SymbologyRules& rulesFor(Symbology symbology) {
  for (const SymbologyRules& rules : kSymbologyRules)
    if (rules.symbology == symbology) return rules;
  return kSymbologyRules.front();
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

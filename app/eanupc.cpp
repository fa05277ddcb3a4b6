// EAN/UPC family: option handlers, router branches and the EAN-13 engine.
#include "app/barcodegenerator.h"

namespace app {

bool BarcodeGenerator::routeEanUpc() { return false; }

void BarcodeGenerator::Option2_Click() {}
void BarcodeGenerator::Option3_Click() {}
void BarcodeGenerator::Option7_Click() {}
void BarcodeGenerator::Option8_Click() {}
void BarcodeGenerator::EanGen_Click() {}
void BarcodeGenerator::DrawEan13() {}
int BarcodeGenerator::GetUPCCheckNumber(const QString&) const { return 0; }

}  // namespace app

// Output commands: copy to the clipboard, save as a bitmap, clear the input.
#include "app/barcodegenerator.h"

namespace app {

void BarcodeGenerator::Command1_Click() {}
void BarcodeGenerator::Command4_Click() {}
void BarcodeGenerator::Command2_Click() {}
void BarcodeGenerator::Text1_KeyPress(int) {}

}  // namespace app

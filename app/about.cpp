// About window and web link.
#include "app/about.h"

#include "app/barcodegenerator.h"

namespace app {

frmSplashbm::frmSplashbm(QWidget* parent) : QWidget(parent) {}

void BarcodeGenerator::help_Click() {}
void BarcodeGenerator::LblLink_Click() {}
void BarcodeGenerator::LblLink_MouseMove() {}
void BarcodeGenerator::Form_MouseMove() {}
frmSplashbm* BarcodeGenerator::splash() const { return m_splash; }

}  // namespace app

#pragma once

#include "symbologies/eanupc/eanupc.h"

namespace surface {
class PictureBox;
}

namespace eanupc {

// Clears the picture and draws an EAN-13 symbol in its user units: modules
// from x = 11 to 105, guard bars longer than the others, the first digit left
// of the start guard and the other twelve under their modules, at 10 points
// in the picture's font.
void drawEan13(surface::PictureBox& picture, const Symbol& symbol, Digits digits = Digits::Printed);

}  // namespace eanupc

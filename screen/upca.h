#pragma once

#include <QString>

#include "symbologies/eanupc/eanupc.h"

class QWidget;

namespace surface {
class PictureBox;
}

namespace eanupc {

// Draws a UPC-A symbol over what the picture holds, in its user units: modules
// from x = 20 to 114, light ones white too, the first and last digit beside
// the long bars and the other ten under theirs, in the picture's font.
void drawUpcA(surface::PictureBox& picture, const Symbol& symbol, Digits digits = Digits::Printed);

// Draws the UPC-A symbol of the first twelve characters of the number (check
// digit included) into the window's picture box "picUPC", and makes the result
// that box's background picture, so it stays through a later Cls.
//
// It stands apart from the window and finds what it needs by name: "picUPC";
// "picUPCy", a blank box whose image wipes the old background; and the digit
// holders "L" and "R" (indexes 0 to 5), which keep the characters last drawn.
// A control that is missing is passed over. Returns true when a symbol was
// drawn; a number that is not twelve digits leaves picUPC white.
bool drawUpcA(const QString& number, const QWidget& window);

}  // namespace eanupc

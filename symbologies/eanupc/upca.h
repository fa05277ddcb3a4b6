#pragma once

#include <QString>

class QWidget;

namespace eanupc {

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

#pragma once

#include <QIcon>
#include <QImage>

// The program's pictures, drawn by code from its own encoders.
namespace app {

// Banner at the top of the window, 581 x 71.
QImage bannerImage();
// Logo of the About window, 549 x 258, 24-bit: the name over symbols that scan.
QImage logoImage();
// Window icon, one bar pattern at the given size (16, 32, 48 ...).
QImage iconImage(int size);
QIcon windowIcon16and32();

}  // namespace app

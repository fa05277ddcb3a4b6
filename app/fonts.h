#pragma once

#include <QFont>

namespace app {

// The window is laid out for Tahoma. Where the desktop has no font of that
// name, load the free one that Debian ships in fonts-wine, if present;
// otherwise Qt falls back to the desktop's sans-serif font.
void loadFallbackFonts();

// Tahoma at a size in points, in whole pixels at 96 dots per inch.
QFont tahoma(double points, bool bold = false);

}  // namespace app

#pragma once

#include <QFont>
#include <QStringList>

namespace app {

// Tahoma at a size in points, in whole pixels at 96 dots per inch.
QFont tahoma(double points, bool bold = false);

// The families the "Label Font" list offers: each once by its plain name
// (without the foundry Qt adds to tell duplicates apart), sorted, only those
// that write Latin letters. A symbol font would turn the label into pictures
// that no longer tell the reader the data, which is what the label is for.
QStringList labelFontFamilies();

// The window and the labels are laid out for Tahoma. Where the desktop has no
// font of that name, load the free one that Debian ships in fonts-wine, if
// present; otherwise Qt falls back to the desktop's sans-serif font.
void loadFallbackFonts();

}  // namespace app

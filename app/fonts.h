#pragma once

#include <QFont>
#include <QStringList>

#include "export/qtfonts.h"  // loadFallbackFonts

namespace app {

// Tahoma at a size in points, in whole pixels at 96 dots per inch.
QFont tahoma(double points, bool bold = false);

// The families the "Label Font" list offers: each once by its plain name
// (without the foundry Qt adds to tell duplicates apart), sorted, only those
// that write Latin letters. A symbol font would turn the label into pictures
// that no longer tell the reader the data, which is what the label is for.
QStringList labelFontFamilies();

}  // namespace app

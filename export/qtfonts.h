#pragma once

namespace app {

// The window and the labels' text lines are laid out for Tahoma. Where the
// desktop has no font of that name, load the free one that Debian ships in
// fonts-wine, if present; otherwise Qt falls back to the desktop's
// sans-serif font.
void loadFallbackFonts();

}  // namespace app

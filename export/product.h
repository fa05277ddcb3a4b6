#pragma once

namespace app {

// The program's name, as its window and its messages give it.
inline constexpr auto kAppTitle = "Barcode Generator";

}  // namespace app

#pragma once

// The same symbol from three makers, as one row of modules (true = dark), so
// that a timing compares like with like.
#include <optional>
#include <string>
#include <vector>

#include "bench/options.h"

namespace bench {

using Modules = std::vector<bool>;

// Ours at one pixel per module: no print spacing, the check character the
// peers draw.
Modules ourModules(const Option& option, const QString& input);
// What libzint and zxing-cpp encode from the same input; nothing, with the
// reason in error, when they refuse it.
std::optional<Modules> zintModules(const Option& option, const QString& input, std::string* error);
std::optional<Modules> zxingModules(const Option& option, const QString& input, std::string* error);

// Empty when equal; otherwise where the two rows first part.
std::string difference(const Modules& ours, const Modules& theirs);

}  // namespace bench

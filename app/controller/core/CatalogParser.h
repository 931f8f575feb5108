#pragma once
// The feature catalogue text: one item per data line, fields separated by
// commas (key, title word, type, entries or a slider range), lines starting
// with "//" are comments.

#include <string_view>

#include "ControllerPorts.h"
#include "FeatureCatalog.h"

namespace vimbrel::controller {

// Lines hold at most this many characters; the rest of a longer line is
// dropped rather than read as a line of its own.
constexpr std::size_t kCatalogLineLimit = 127;

// Appends the items of text to catalog, counting their order from 0;
// returns the number of items added.
int ParseCatalog(std::string_view text, const ICatalogWords& words, CFeatureCatalog& catalog);

}  // namespace vimbrel::controller

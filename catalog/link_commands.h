// The exact command line that opens a cell's link.
#pragma once

#include <string>

#include "catalog/model.h"

namespace vestora {

// The command line of a link, character for character; nothing is quoted, escaped or encoded
// beyond the fixed pieces. A link of kind None has no command line (empty).
std::string BuildCommandLine(const ItemLink& link);

}  // namespace vestora

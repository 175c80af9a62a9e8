#pragma once

#include "scan/ServerRecord.h"

#include <string_view>

namespace pollwick::reference {

// The straightforward parser: what ParseServerLine must do, entry for entry.
ParsedFields ParseServerLine(std::string_view entry, ServerRecord& record);

} // namespace pollwick::reference

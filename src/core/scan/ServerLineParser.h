// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/ServerRecord.h"

#include <string_view>

namespace pollwick {

// Reads one entry of the response (three spaces, then the line without its
// LF, usually ending in CR) into the working record, in place.
//
// The line is not cut into columns: every field is found by its own search
// over the whole entry, so a field that the line does not supply keeps what
// the previous line left in the record. A typical line:
//
//   192.0.2.10:27015 battle 1.24   [3/16] §1Spring |Arena<CR>
//
// (the section sign being the byte 0xA7) gives the name "Spring Arena", type "Battle", version
// "1.24", players "3/16" and the address "   192.0.2.10" (the entry's three spaces included).
//
// Returns which fields this entry set itself.
ParsedFields parseServerLine(std::string_view entry, ServerRecord& record);

} // namespace pollwick

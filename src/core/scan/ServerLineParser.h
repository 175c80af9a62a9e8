// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/ServerRecord.h"

#include <cstddef>
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

// parseServerLine() for the lines of one response, one after another into
// the same record, with what it learnt of the record's name kept between
// them. A line that gives no name of its own carries the name of the line
// before, which loses its last character and is cleaned again; once a name
// holds nothing that cleaning removes, the names carried from it hold
// nothing either (each is the one before it without its last character),
// so a name of a megabyte carried over thousands of lines is looked at
// once, not on every line.
class ServerLineParser final
{
public:
    ParsedFields parse(std::string_view entry, ServerRecord& record);
    // A new response, and a new working record.
    void reset() { m_cleanNameBytes = kUnknown; }

private:
    static constexpr std::size_t kUnknown = static_cast<std::size_t>(-1);
    // The size of the record's name when that name is known to hold nothing
    // that cleaning removes; kUnknown otherwise.
    std::size_t m_cleanNameBytes = kUnknown;
};

} // namespace pollwick

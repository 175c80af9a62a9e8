// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/ShownText.h"

#include <windows.h>
// The common controls' header needs <windows.h> before it.
#include <array>
#include <commctrl.h>
#include <cstdint>
#include <string>
#include <vector>

namespace pollwick {
struct ServerRecord;
}

namespace pollwick::win {

class Scale;

// The server list: a list view in report form whose rows live here, not in
// the control (LVS_OWNERDATA). The control asks for the text of the cells
// it paints; a list of 32,767 servers costs it one count.
//
// Rows are kept as the list shows them: a cell shows at most
// kCellCharacters (shownPart()), control characters as their pictures. The
// cells' bytes of all rows share one buffer: five strings a row would cost
// a list of 32,767 servers 163,835 allocations, which under Wine took
// longer than the walk itself.
class ServerList final
{
public:
    explicit ServerList(HWND listView);

    // The five columns, with their headers and widths in twips.
    void setUpColumns(const Scale& scale) const;
    // A new answer's list replaces the last (the control is told at the
    // next commit).
    void removeAllRows();
    void addRow(const ServerRecord& record);
    // Shows the rows added so far.
    void commitRows();
    // Scrolls the last row into view and selects it: the server found.
    void revealLastRow() const;

    // The text of a cell, as the control shows it.
    [[nodiscard]] std::wstring cellText(std::size_t row, int column) const;
    // LVN_GETDISPINFOW: the control asks for a cell's text.
    void fillCell(NMLVDISPINFOW& request) const;

    [[nodiscard]] std::size_t rows() const { return m_rows.size(); }
    [[nodiscard]] HWND handle() const { return m_listView; }

private:
    static constexpr int kColumns = 5;
    struct Cell {
        std::uint32_t length = 0;
        bool cut = false; // "…" follows
    };
    struct Row {
        std::size_t start = 0; // of its first cell's bytes in m_text
        std::array<Cell, kColumns> cells;
    };

    HWND m_listView;
    std::string m_text;
    std::vector<Row> m_rows;
    std::size_t m_shown = 0; // rows the control has been told of
    bool m_cleared = false; // removed, and the control not told yet
};

} // namespace pollwick::win

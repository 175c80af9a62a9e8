// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "win32/ServerList.h"

#include "core/ServerRecord.h"
#include "core/Texts.h"
#include "win32/Metrics.h"
#include "win32/WideText.h"

#include <algorithm>
#include <iterator>

namespace pollwick::win {

ServerList::ServerList(HWND listView)
    : m_listView(listView)
{
    ListView_SetExtendedListViewStyle(m_listView, LVS_EX_FULLROWSELECT);
}

void ServerList::setUpColumns(const Scale& scale) const
{
    int index = 0;
    for (const texts::ListColumn& column : texts::kListColumns) {
        std::wstring header = toWide(column.header);
        LVCOLUMNW entry{};
        entry.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        entry.pszText = header.data();
        entry.cx = scale.pixels(column.widthTwips);
        entry.iSubItem = index;
        SendMessageW(m_listView, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&entry));
        ++index;
    }
}

void ServerList::removeAllRows()
{
    m_rows.clear();
    m_text.clear();
    // The control learns of it with the next commit, which comes soon (at
    // most kRowsShownEvery later, or at the answer's end): telling it costs
    // as much as telling it of a new count, and a long answer is shown
    // sooner with one call less.
    m_cleared = true;
}

void ServerList::addRow(const ServerRecord& record)
{
    const std::array<const std::string*, kColumns> fields = {
        &record.serverName, &record.gameType, &record.version, &record.players, &record.ipAddress};
    Row row;
    row.start = m_text.size();
    for (std::size_t column = 0; column < fields.size(); ++column) {
        const ShownPart part = shownPart(*fields[column], kCellCharacters);
        m_text.append(part.kept);
        row.cells[column] = Cell{static_cast<std::uint32_t>(part.kept.size()), part.cut};
    }
    m_rows.push_back(row);
}

void ServerList::commitRows()
{
    if (m_cleared) {
        // A new answer: every row is new, and the view starts at its top.
        m_cleared = false;
        m_shown = m_rows.size();
        ListView_SetItemCountEx(m_listView, static_cast<int>(m_shown), 0);
        ListView_EnsureVisible(m_listView, 0, FALSE);
        return;
    }
    if (m_rows.size() == m_shown) {
        return;
    }
    m_shown = m_rows.size();
    // Rows are only ever added at the end: what is painted stays, and the
    // view stays where the person scrolled it.
    ListView_SetItemCountEx(m_listView, static_cast<int>(m_shown),
                            LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
}

void ServerList::revealLastRow() const
{
    if (m_shown == 0) {
        return;
    }
    const int last = static_cast<int>(m_shown) - 1;
    ListView_EnsureVisible(m_listView, last, FALSE);
    ListView_SetItemState(m_listView, last, LVIS_SELECTED | LVIS_FOCUSED,
                          LVIS_SELECTED | LVIS_FOCUSED);
}

std::wstring ServerList::cellText(std::size_t row, int column) const
{
    if (row >= m_rows.size() || column < 0 || column >= kColumns) {
        return {};
    }
    const Row& shown = m_rows[row];
    std::size_t start = shown.start;
    for (int before = 0; before < column; ++before) {
        start += shown.cells[static_cast<std::size_t>(before)].length;
    }
    const Cell& cell = shown.cells[static_cast<std::size_t>(column)];
    return shownWide(ShownPart{std::string_view(m_text).substr(start, cell.length), cell.cut});
}

void ServerList::fillCell(NMLVDISPINFOW& request) const
{
    LVITEMW& item = request.item;
    if ((item.mask & LVIF_TEXT) == 0 || item.pszText == nullptr || item.cchTextMax <= 0) {
        return;
    }
    const std::wstring text = cellText(static_cast<std::size_t>(item.iItem), item.iSubItem);
    const std::size_t room = static_cast<std::size_t>(item.cchTextMax) - 1;
    const std::size_t length = std::min(text.size(), room);
    std::copy_n(text.begin(), length, item.pszText);
    item.pszText[length] = L'\0';
}

} // namespace pollwick::win

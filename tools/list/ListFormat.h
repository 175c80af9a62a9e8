#pragma once

#include "core/MatchVerdict.h"
#include "core/ServerRecord.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// How pollwick-list prints server records: JSON Lines and an aligned table.
// Plain C++ on purpose, so that a fuzz target can feed it any bytes.
namespace pollwick::listfmt {

// Appends `bytes` (Windows-1252, as the list server sent them) to `out` as a
// JSON string literal in UTF-8, quotes included. Every byte maps to one
// character (the five undefined ones to the C1 controls U+0081 ...), so any
// input makes valid JSON. Escaped: the quote, the backslash, \n, \r, \t, and
// every other control character (U+0000-U+001F, U+007F-U+009F) as \u00XX, so
// the line also stays harmless on a terminal.
void appendJsonString(std::string& out, std::string_view bytes);

// One JSON Lines object for a record, newline included: serverName,
// gameType, version, players, ipAddress (strings), isPrivate (boolean), and
// verdict when given.
std::string jsonLine(const ServerRecord& record, std::optional<MatchVerdict> verdict);

// The text of a table cell: UTF-8, with each control character (the bytes
// 0x00-0x1F, 0x7F, 0x81, 0x8D, 0x8F, 0x90, 0x9D) shown as \xHH and the
// backslash doubled, so that a name cannot move the cursor or pass for
// another one.
std::string cellText(std::string_view bytes);

// Characters (code points) in UTF-8 text: the width that a table gives it.
std::size_t displayWidth(std::string_view utf8);

// Rows of records, printed with their columns aligned. The columns are
// "Server Name", "Type", "Version", "Players", "IP Address", and "Verdict"
// when the table shows verdicts.
class ServerTable final
{
public:
    explicit ServerTable(bool withVerdicts);

    void add(const ServerRecord& record, std::optional<MatchVerdict> verdict = std::nullopt);
    [[nodiscard]] std::size_t rows() const { return m_rows.size(); }
    void clear() { m_rows.clear(); }

    // Header and rows, each line ended by "\n", two spaces between columns,
    // no spaces at the end of a line.
    [[nodiscard]] std::string render() const;

private:
    static constexpr std::size_t kColumns = 6;
    using Row = std::array<std::string, kColumns>;

    bool m_withVerdicts;
    std::vector<Row> m_rows;
};

} // namespace pollwick::listfmt

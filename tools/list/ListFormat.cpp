#include "list/ListFormat.h"

#include "core/Windows1252.h"

#include <algorithm>
#include <utility>

namespace pollwick::listfmt {
namespace {

constexpr std::string_view kHex = "0123456789abcdef";

bool isControl(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

void appendKey(std::string& out, std::string_view key)
{
    out += '"';
    out += key;
    out += "\":";
}

} // namespace

void appendJsonString(std::string& out, std::string_view bytes)
{
    out += '"';
    for (const char byte : bytes) {
        const char32_t c = cp1252::toUnicode(static_cast<unsigned char>(byte));
        switch (c) {
        case U'"':
            out += "\\\"";
            break;
        case U'\\':
            out += "\\\\";
            break;
        case U'\n':
            out += "\\n";
            break;
        case U'\r':
            out += "\\r";
            break;
        case U'\t':
            out += "\\t";
            break;
        default:
            if (isControl(c)) {
                out += "\\u00";
                out += kHex[(c >> 4U) & 0xFU];
                out += kHex[c & 0xFU];
            } else {
                cp1252::appendUtf8(out, static_cast<unsigned char>(byte));
            }
        }
    }
    out += '"';
}

std::string jsonLine(const ServerRecord& record, std::optional<MatchVerdict> verdict)
{
    std::string out;
    out.reserve(128 + record.serverName.size());
    out += '{';
    // The text fields, in the list view's column order.
    const std::pair<std::string_view, const std::string*> texts[] = {
        {"serverName", &record.serverName}, {"gameType", &record.gameType},
        {"version", &record.version},       {"players", &record.players},
        {"ipAddress", &record.ipAddress},
    };
    for (const auto& [key, text] : texts) {
        appendKey(out, key);
        appendJsonString(out, *text);
        out += ',';
    }
    appendKey(out, "isPrivate");
    out += record.isPrivate ? "true" : "false";
    if (verdict) {
        out += ',';
        appendKey(out, "verdict");
        appendJsonString(out, toString(*verdict));
    }
    out += "}\n";
    return out;
}

std::string cellText(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        const char32_t c = cp1252::toUnicode(b);
        if (c == U'\\') {
            out += "\\\\";
        } else if (isControl(c)) {
            out += "\\x";
            out += kHex[b >> 4U];
            out += kHex[b & 0xFU];
        } else {
            cp1252::appendUtf8(out, b);
        }
    }
    return out;
}

std::size_t displayWidth(std::string_view utf8)
{
    return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0U) != 0x80U;
    }));
}

ServerTable::ServerTable(bool withVerdicts)
    : m_withVerdicts(withVerdicts)
{ }

void ServerTable::add(const ServerRecord& record, std::optional<MatchVerdict> verdict)
{
    Row row = {cellText(record.serverName), cellText(record.gameType),  cellText(record.version),
               cellText(record.players),    cellText(record.ipAddress), ""};
    if (verdict) {
        row[5] = std::string(toString(*verdict));
    }
    m_rows.push_back(std::move(row));
}

std::string ServerTable::render() const
{
    static const Row kHeader = {"Server Name", "Type",       "Version",
                                "Players",     "IP Address", "Verdict"};
    const std::size_t columns = m_withVerdicts ? kColumns : kColumns - 1;
    std::array<std::size_t, kColumns> widths{};
    for (std::size_t c = 0; c < columns; ++c) {
        widths[c] = displayWidth(kHeader[c]);
        for (const Row& row : m_rows) {
            widths[c] = std::max(widths[c], displayWidth(row[c]));
        }
    }

    std::string out;
    const auto appendRow = [&](const Row& row) {
        std::string line;
        for (std::size_t c = 0; c < columns; ++c) {
            if (c > 0) {
                line += "  ";
            }
            line += row[c];
            if (c + 1 < columns) {
                line.append(widths[c] - displayWidth(row[c]), ' ');
            }
        }
        // A last cell that is empty or ends in spaces leaves none behind.
        line.erase(line.find_last_not_of(' ') + 1);
        out += line;
        out += '\n';
    };
    appendRow(kHeader);
    for (const Row& row : m_rows) {
        appendRow(row);
    }
    return out;
}

} // namespace pollwick::listfmt

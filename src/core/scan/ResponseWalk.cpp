// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/scan/ResponseWalk.h"

#include <algorithm>
#include <cstring>

namespace pollwick {
namespace {

constexpr std::string_view kEntryIndent = "   ";
constexpr std::size_t kKeptEntryBytes = std::size_t{8} << 20u;

std::size_t bytesHeld(const ServerRecord& record)
{
    return record.serverName.size() + record.gameType.size() + record.version.size() +
        record.players.size() + record.ipAddress.size();
}

} // namespace

ResponseWalk::ResponseWalk(ResponseLimits limits)
    : m_limits(limits)
{ }

void ResponseWalk::startResponse()
{
    // Entries kept for reuse are let go after an unusually large response,
    // so that one huge list does not stay in memory for good.
    if (m_entryBytes > kKeptEntryBytes) {
        m_entryStore.clear();
        m_entryStore.shrink_to_fit();
        m_entryCount = 0;
    }
    m_record = ServerRecord{};
    m_parser.reset();
    m_unfinished.clear();
    m_unfinished.shrink_to_fit();
    m_droppingLongLine = false;
    m_entriesInResponse = 0;
    m_entryBytes = 0;
    m_responseBytes = 0;
    m_recordBytes = 0;
    m_discarded = 0;
    m_limit = ResponseLimit::None;
    m_ended = false;
}

void ResponseWalk::clearEntries()
{
    m_entryCount = 0;
}

void ResponseWalk::reach(ResponseLimit limit)
{
    if (m_limit == ResponseLimit::None) {
        m_limit = limit;
    }
}

void ResponseWalk::arrive(std::string_view chunk, Hooks& hooks)
{
    if (m_ended) {
        return; // a match ended this response: the rest of it is not read
    }
    splitLines(chunk);

    const std::size_t count = m_entryCount;
    for (std::size_t j = 0; j < count; ++j) {
        const ParsedFields fromLine = m_parser.parse(m_entryStore[j], m_record);
        // A record that would take the listed records past their budget is
        // not listed, and nor is anything after it: the listing ends here,
        // whatever limit the lines after it reached.
        const std::size_t held = bytesHeld(m_record);
        if (held > m_limits.maxRecordBytes - m_recordBytes) {
            m_limit = ResponseLimit::ServerText;
            m_discarded += count - j;
            m_entriesInResponse -= count - j;
            m_entryCount = j;
            break;
        }
        m_recordBytes += held;
        hooks.listRecord(m_record);
        if (hooks.testRecord(m_record, fromLine) == MatchVerdict::Match) {
            m_ended = true;
            break;
        }
    }
}

void ResponseWalk::acceptLine(std::string_view head)
{
    // m_responseBytes already counts this line, its LF included: a line is
    // listed only if it ends within the budget, so no line after one that
    // did not fit can be listed after a gap.
    const std::size_t lineBytes = m_unfinished.size() + head.size();
    if (m_entriesInResponse >= m_limits.maxEntries) {
        reach(ResponseLimit::Servers);
    } else if (m_responseBytes > m_limits.maxResponseBytes) {
        reach(ResponseLimit::Bytes);
    }
    if (m_droppingLongLine || lineBytes > m_limits.maxLineBytes || m_limit != ResponseLimit::None) {
        ++m_discarded;
    } else {
        if (m_entryCount == m_entryStore.size()) {
            m_entryStore.emplace_back();
        }
        // One copy of each piece into storage that the entry usually
        // already has from an earlier list.
        const std::size_t entryBytes = kEntryIndent.size() + lineBytes;
        std::string& entry = m_entryStore[m_entryCount++];
        entry.resize(entryBytes);
        char* at = entry.data();
        at = std::copy(kEntryIndent.begin(), kEntryIndent.end(), at);
        at = std::copy(m_unfinished.begin(), m_unfinished.end(), at);
        std::copy(head.begin(), head.end(), at);
        ++m_entriesInResponse;
        m_entryBytes += entryBytes;
    }
    m_unfinished.clear();
    m_droppingLongLine = false;
}

void ResponseWalk::splitLines(std::string_view chunk)
{
    clearEntries();
    const std::string_view text = chunk;
    std::size_t start = 0;
    while (start <= text.size()) {
        const void* found = std::memchr(text.data() + start, '\n', text.size() - start);
        if (found == nullptr) {
            break;
        }
        const auto end = static_cast<std::size_t>(static_cast<const char*>(found) - text.data());
        m_responseBytes += end + 1 - start;
        acceptLine(text.substr(start, end - start));
        start = end + 1;
    }

    // The text after the last LF waits for the rest of its line. It counts
    // toward the budget now, kept or not: a list server that never ends its
    // line fills the response all the same. Past a limit nothing more is
    // kept, and a line that has grown past the length limit is dropped as
    // it arrives.
    const std::string_view rest = text.substr(start);
    m_responseBytes += rest.size();
    if (rest.empty()) {
        return;
    }
    if (m_entriesInResponse >= m_limits.maxEntries) {
        reach(ResponseLimit::Servers); // a line beyond the last that may be listed
    } else if (m_responseBytes > m_limits.maxResponseBytes) {
        reach(ResponseLimit::Bytes);
    }
    if (m_droppingLongLine) {
        return;
    }
    if (m_limit != ResponseLimit::None ||
        m_unfinished.size() + rest.size() > m_limits.maxLineBytes) {
        m_unfinished.clear();
        m_unfinished.shrink_to_fit();
        m_droppingLongLine = true;
        return;
    }
    m_unfinished.append(rest);
}

} // namespace pollwick

// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/MatchVerdict.h"
#include "core/ServerRecord.h"
#include "core/scan/ServerLineParser.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pollwick {

// What one response may make the program hold. A list server is someone
// else's machine; these keep a broken or hostile one from filling memory or
// the window's time.
struct ResponseLimits {
    std::size_t maxEntries = 32767; // entries per response; later lines are discarded
    std::size_t maxLineBytes = 1u << 20u; // a longer line is dropped whole
    // Bytes per response. Every byte received counts, line ends and the
    // bytes of dropped lines included, so that a list server cannot keep a
    // connection busy for ever with data that is never listed; a line that
    // ends past it, and every line after that, is discarded.
    std::size_t maxResponseBytes = 32u << 20u;
    // Bytes that the listed records hold, counted record by record with the
    // fields they carry over from the lines before them: a line that gives
    // no name or no address keeps the last one, so one line of a megabyte
    // and thousands of short ones would otherwise make gigabytes.
    std::size_t maxRecordBytes = 32u << 20u;
};

// Which limit of a response was reached, with something more to read.
enum class ResponseLimit : std::uint8_t {
    None,
    Servers, // maxEntries
    Bytes, // maxResponseBytes
    ServerText, // maxRecordBytes
};

// The handling of one list-server response, shared by the window and the
// command-line tool.
//
// Everything that one connection delivers is one response, however TCP cuts
// it into chunks. Each arrival's chunk is split into lines: the lines that
// the chunk completes (the unfinished line of the previous chunk joined to
// this one's head) become entries of three spaces plus the line, CR kept, LF
// removed; and the walk parses each entry into the working record, lists it
// and tests it, in order, until a Match ends the walk. After a Match the rest
// of the response is ignored.
class ResponseWalk final
{
public:
    // What the walk does with each record besides parsing it.
    class Hooks
    {
    public:
        virtual ~Hooks() = default;
        // Called for every parsed entry, before it is tested.
        virtual void listRecord(const ServerRecord& record) = 0;
        // May change the record (the match test lower-cases the address); a
        // Match ends the walk.
        virtual MatchVerdict testRecord(ServerRecord& record, ParsedFields fromLine) = 0;
    };

    explicit ResponseWalk(ResponseLimits limits = {});

    // The first arrival of a new connection starts a new response: the
    // working record is emptied and the unfinished line of the last
    // connection is discarded.
    void startResponse();

    // One data arrival of the current response.
    void arrive(std::string_view chunk, Hooks& hooks);

    // Empties the entries of the last arrival ("Go" starts from none).
    void clearEntries();

    // True once a Match has ended the walk of the current response.
    [[nodiscard]] bool ended() const { return m_ended; }
    // True once the current response has reached one of its limits with
    // more to read: nothing more of it can be listed, so a reader stops
    // there. A response of exactly 32,767 lines, or of exactly the byte
    // budget, is not full until something more comes.
    [[nodiscard]] bool full() const { return m_limit != ResponseLimit::None; }
    [[nodiscard]] ResponseLimit limitReached() const { return m_limit; }

    // The entries that the last arrival's lines became.
    [[nodiscard]] std::span<const std::string> entries() const
    {
        return {m_entryStore.data(), m_entryCount};
    }
    // Entries made from the current response so far, over all its arrivals.
    [[nodiscard]] std::size_t entriesInResponse() const { return m_entriesInResponse; }
    // Bytes of the current response received so far, over all its arrivals:
    // what the byte budget counts.
    [[nodiscard]] std::size_t bytesInResponse() const { return m_responseBytes; }
    // Bytes that the records listed from the current response hold.
    [[nodiscard]] std::size_t recordBytesInResponse() const { return m_recordBytes; }
    // Lines of the current response that the limits discarded.
    [[nodiscard]] std::size_t discardedLines() const { return m_discarded; }
    // Bytes of the unfinished line kept for the next arrival: never more than
    // the line limit, since a longer line is dropped as it arrives.
    [[nodiscard]] std::size_t pendingLineBytes() const { return m_unfinished.size(); }
    // True while the data so far ends inside a line, kept or being dropped.
    [[nodiscard]] bool insideLine() const { return !m_unfinished.empty() || m_droppingLongLine; }
    [[nodiscard]] const ResponseLimits& limits() const { return m_limits; }

private:
    // Turns the lines that `chunk` completes into entries, and keeps the
    // unfinished line for the next arrival.
    void splitLines(std::string_view chunk);
    void acceptLine(std::string_view head);
    void reach(ResponseLimit limit);

    ResponseLimits m_limits;
    // The entries are the first m_entryCount strings; the strings after them
    // are kept, with their storage, for the next arrival's entries, so that a
    // list of thousands of lines costs no allocation per line.
    std::vector<std::string> m_entryStore;
    std::size_t m_entryCount = 0;
    ServerRecord m_record;
    ServerLineParser m_parser;
    std::string m_unfinished; // the line after the last LF so far
    bool m_droppingLongLine = false; // inside a line over the length limit
    std::size_t m_entriesInResponse = 0;
    std::size_t m_entryBytes = 0; // what the entries hold, to decide what to keep
    std::size_t m_responseBytes = 0; // everything received, as the budget counts
    std::size_t m_recordBytes = 0; // what the listed records hold
    std::size_t m_discarded = 0;
    ResponseLimit m_limit = ResponseLimit::None;
    bool m_ended = false;
};

} // namespace pollwick

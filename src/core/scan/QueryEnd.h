// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/scan/ResponseWalk.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace pollwick {

// How one query of the list server ended: decided by the scan engine (and
// for a saved list by endOfSavedList()), told in the same words by the
// window and by pollwick-list.
enum class QueryEnd : std::uint8_t {
    Whole, // the list server closed the connection at the end of a line
    Full, // the answer reached a limit of what is read; the rest was not read
    Matched, // a match ended the list, and the scan with it
    NoHost, // no list server was given
    Refused,
    HostNotFound,
    Unreachable,
    Failed, // could not connect, for any other reason
    NothingSent, // closed without sending a byte
    CutMidLine, // closed in the middle of a line
    Reset, // the connection was reset: the list is cut off, even after a line end
    Lost, // broken after connecting
    Overflow, // the answer reached its byte limits before a line that could be listed
    CutByNextQuery, // the next query came before the list was done
    TimedOut, // the time given for the list ran out
};

// What the engine tells of a query when it ends.
struct QueryReport {
    QueryEnd end = QueryEnd::Whole;
    std::size_t listed = 0; // servers listed from its answer
    std::size_t discarded = 0; // lines of the answer that the limits left out
    ResponseLimit limit = ResponseLimit::None; // reached by this answer
    std::size_t limitAmount = 0; // the limit's size: servers, or bytes
    bool connected = false; // the connection was made
    bool arrived = false; // some of the answer came

    friend bool operator==(const QueryReport&, const QueryReport&) = default;
};

// True when the query gave a list that counts: whole, filled to a limit, or
// ended by a match.
bool gaveList(QueryEnd end);

// Why a query gave no list, as the user reads it: "connection refused",
// "list cut off in the middle of a line", ... Empty for the ends that gave
// a list.
std::string whyNoList(const QueryReport& report);

// Which limit an answer reached, and so why the rest of it was not read:
// "over 32,767 servers", "over 32 MiB", "over 32 MiB of server text".
// Empty for no limit.
std::string limitReached(const QueryReport& report);

// "1 server", "187 servers", "32,767 servers".
std::string serverCount(std::size_t count);

} // namespace pollwick

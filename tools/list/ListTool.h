// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/ListServerProtocol.h"
#include "core/match/MatchTest.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

// pollwick-list: a terminal watcher for Wombix list servers, on the same
// core as the window (one connection is one response, walked and tested
// entry by entry exactly as the window does).
namespace pollwick::listtool {

// A list counts as read whole when the list server closed the connection at
// a line end, or when the response reached its limits (nothing more of it
// could be listed). A list server's list that ends inside a line (a reset
// reads like a close), a connection that breaks or times out, and a file
// larger than the byte budget of one response are failures.
inline constexpr int kExitMatch = 0; // a Match was printed (walk mode); or the list was printed
inline constexpr int kExitNoMatch = 1; // walk mode: the whole response, no Match
inline constexpr int kExitTrouble = 2; // usage error, or the list could not be read whole

inline constexpr int kDefaultTimeoutSeconds = 30;

struct ListOptions {
    std::string host; // UTF-8 as typed; empty when reading a file
    int port = kListServerPort;
    std::optional<std::string> file; // "-" for standard input
    bool walk = false; // test each entry against the criteria
    MatchCriteria criteria; // texts already Windows-1252
    bool watch = false;
    bool json = false;
    int timeoutMs = kDefaultTimeoutSeconds * 1000;
    bool help = false;
};

// The options, or an error message (without the program name).
struct ParsedOptions {
    std::optional<ListOptions> options;
    std::string error;
};
ParsedOptions parseListOptions(const std::vector<std::string>& args);

std::string helpText();

// What the tool cannot take from its options: the time between the queries of
// --watch is the window's; tests shorten it.
struct ListToolTiming {
    int queryIntervalMs = kRequeryIntervalMs;
};

// The whole program: `args` without the program name, UTF-8. Reading a list
// server needs a QCoreApplication (one is made if there is none); reading a
// file or standard input does not. Returns the exit status.
int runListTool(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                std::ostream& err, const ListToolTiming& timing = {});

} // namespace pollwick::listtool

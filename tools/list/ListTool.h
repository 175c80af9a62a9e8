// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/ListServerProtocol.h"
#include "core/match/MatchTest.h"

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace pollwick {
class Clock;
class ListConnection;
class Timer;
} // namespace pollwick

// pollwick-list: a terminal watcher for Wombix list servers, on the scan
// engine of the windows: a list server's list is read, walked, tested and
// told of by the same code, in the same words.
namespace pollwick::listtool {

inline constexpr int kExitMatch = 0; // a Match was printed (walk mode); or the list was printed
inline constexpr int kExitNoMatch = 1; // walk mode: the whole list, no Match
// Usage error, a list that could not be read whole, or output that could
// not be written.
inline constexpr int kExitTrouble = 2;

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

// The event loop the tool waits on for a list server, and the ports the
// scan engine runs on there: Qt's on Linux, a message loop on Windows.
class EventLoop
{
public:
    virtual ~EventLoop() = default;
    virtual std::unique_ptr<ListConnection> createConnection() = 0;
    virtual std::unique_ptr<Timer> createTimer() = 0;
    virtual const Clock& clock() = 0;
    // Handles events until quit().
    virtual void run() = 0;
    virtual void quit() = 0;
};

// What the tool cannot take from its options: the time between the queries
// of --watch is the window's; tests shorten it.
struct ListToolTiming {
    int queryIntervalMs = kRequeryIntervalMs;
};

// The whole program: `args` without the program name, UTF-8. A list server
// is read on `loop`; a file or standard input needs none. Returns the exit
// status.
int runListTool(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                std::ostream& err, EventLoop& loop, const ListToolTiming& timing = {});

} // namespace pollwick::listtool

// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/ListServerProtocol.h"
#include "core/MatchVerdict.h"
#include "core/ServerRecord.h"
#include "core/match/MatchTest.h"
#include "core/scan/ListConnection.h"
#include "core/scan/QueryEnd.h"
#include "core/scan/ResponseWalk.h"
#include "core/scan/ScanState.h"
#include "core/scan/ScanStatus.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pollwick {

class Clock;
class Timer;

// The placeholder of the list server's box: the text that chooses nothing.
inline constexpr std::string_view kHostPlaceholder = "List Server Select";

// The scan: the one owner of everything between the person's "Go" and the
// server the person waits for. Every front end (the Qt window, the Windows
// window, pollwick-list) tells it what the person did and shows what it
// reports; none of them decides again what it decides.
//
// It owns
// - the state (waiting for a list server, ready, scanning) and whether a
//   match may still alert the person (armed by "Go", disarmed by a match,
//   armed again by a server passed over);
// - the connection to the list server and the re-query timer, through the
//   two ports it is given;
// - the answer of each query: one connection is one answer, however the
//   network cuts it, walked line by line through the parser, listed, and
//   tested against the criteria that the listener hands over at that
//   moment, until a match ends it;
// - how each query ended, and the status line's words.
//
// "Stop" neither closes the connection nor disarms the alert: a list still
// on its way is listed and may still match. A match ends the scan before it
// is reported: the timer is stopped and the connection closed, so nothing
// arrives while the front end's alerts wait for the person. Should data
// arrive during a report all the same, it is walked afterwards, in order.
class ScanEngine final : private ListConnection::Receiver, private ResponseWalk::Hooks
{
public:
    // What the engine reports, and what it asks at the moment it needs it.
    // Every report comes on the user-interface thread, from inside one of
    // the engine's commands or a port's event; a report never gives the
    // engine a command.
    class Listener
    {
    public:
        virtual ~Listener() = default;
        // The controls follow the state (usableControls()).
        virtual void stateChanged(ScanState /*state*/) { }
        // statusText() has new words.
        virtual void statusChanged() { }
        // The first data of a query's answer came: its list replaces the last.
        virtual void responseStarted() { }
        // A record of the list, parsed, before it is tested.
        virtual void recordListed(const ServerRecord& /*record*/) { }
        // The verdict on the record listed last, before a match is reported.
        virtual void recordTested(MatchVerdict /*verdict*/) { }
        // A piece of the answer has been walked: the records listed so far
        // can be shown.
        virtual void pieceWalked() { }
        // A query ended without a match (a match reports matched() instead).
        virtual void listEnded(const QueryReport& /*report*/) { }
        // A match while the alert was armed: the scan has ended, and the
        // front end's alerts run now. `fromLine` says which fields the
        // matched line gave itself.
        virtual void matched(const ServerRecord& /*record*/, ParsedFields /*fromLine*/) { }
        // The criteria as the person's controls hold them now; nothing to
        // list the records without testing them.
        virtual std::optional<MatchCriteria> currentCriteria() = 0;
    };

    struct Options {
        // The time between two queries of a scan.
        std::chrono::milliseconds requeryInterval{kRequeryIntervalMs};
        // False: one query, given up as TimedOut when the interval runs out.
        bool requery = true;
        std::uint16_t port = kListServerPort;
        ResponseLimits limits{};
    };

    ScanEngine(ListConnection& connection, Timer& requeryTimer, const Clock& clock,
               Listener& listener, Options options);
    ScanEngine(ListConnection& connection, Timer& requeryTimer, const Clock& clock,
               Listener& listener);
    ~ScanEngine() override;
    ScanEngine(const ScanEngine&) = delete;
    ScanEngine& operator=(const ScanEngine&) = delete;
    ScanEngine(ScanEngine&&) = delete;
    ScanEngine& operator=(ScanEngine&&) = delete;

    // The list server's box holds `hostText`: while no server is chosen,
    // anything but nothing and the placeholder chooses one (compared
    // exactly). True when this call chose it.
    bool chooseServer(std::string_view hostText);
    // "Go": arms the alert and asks `host` (UTF-8) at once, then at every
    // re-query. The host box is locked while scanning, so this is the host
    // of every query of the scan.
    void start(std::string host);
    // "Stop": no more queries; what is on its way is still read.
    void stop();
    // The re-query timer's tick: a fresh connection, a fresh list.
    void requery();
    // The game was to be started for the server found and was not: `why`
    // (UTF-8) goes on the status line.
    void gameNotStarted(std::string why);

    [[nodiscard]] ScanState state() const { return m_state; }
    [[nodiscard]] bool isArmed() const { return m_armed; }
    [[nodiscard]] const StatusFacts& statusFacts() const { return m_status; }
    [[nodiscard]] std::string statusText() const;
    [[nodiscard]] const ResponseWalk& walk() const { return m_walk; }
    // Servers listed from the current query's answer.
    [[nodiscard]] std::size_t listed() const { return m_listed; }
    // True from a query's start until it ended (or a match ended it).
    [[nodiscard]] bool queryUnderWay() const { return m_querying; }

private:
    // ListConnection::Receiver
    void connected() override;
    void received(std::string_view bytes) override;
    void ended(ConnectionEnd end) override;
    // ResponseWalk::Hooks
    void listRecord(const ServerRecord& record) override;
    MatchVerdict testRecord(ServerRecord& record, ParsedFields fromLine) override;

    void setState(ScanState state);
    // Closes the connection and asks the list server again; a query still
    // under way is dropped silently (a new scan) or reported as cut off.
    enum class Unfinished : std::uint8_t { Dropped, Reported };
    void query(Unfinished unfinished);
    void walkPiece(std::string_view bytes);
    void endQuery(QueryEnd end);
    void endOnMatch(const ServerRecord& record, ParsedFields fromLine);
    void showStatus(StatusKind kind);

    ListConnection& m_connection;
    Timer& m_timer;
    const Clock& m_clock;
    Listener& m_listener;
    Options m_options;

    ScanState m_state = ScanState::AwaitingServer;
    bool m_armed = false;
    std::string m_host;

    // The current query.
    ResponseWalk m_walk;
    std::uint64_t m_query = 0; // counts the queries
    bool m_querying = false; // asked, and not ended yet
    bool m_responseStarted = false; // its first data came
    bool m_connected = false;
    bool m_arrived = false; // some of its answer came
    std::size_t m_listed = 0;
    // Data that came while a piece was being walked, and an end that came
    // meanwhile: taken up once the walk is over.
    bool m_walking = false;
    std::string m_waiting;
    std::optional<ConnectionEnd> m_endWaiting;

    StatusFacts m_status;
};

// How an answer that its sender ended in good order ended: the list server
// closed the connection, or a saved list came to its end. `anyBytes` says
// whether anything came at all.
QueryEnd orderlyEnd(const ResponseWalk& walk, bool anyBytes);

} // namespace pollwick

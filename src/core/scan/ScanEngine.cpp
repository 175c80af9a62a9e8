// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/scan/ScanEngine.h"

#include "core/Clock.h"
#include "core/Timer.h"

#include <utility>

namespace pollwick {
namespace {

std::size_t amountOf(ResponseLimit limit, const ResponseLimits& limits)
{
    switch (limit) {
    case ResponseLimit::None:
        return 0;
    case ResponseLimit::Servers:
        return limits.maxEntries;
    case ResponseLimit::Bytes:
        return limits.maxResponseBytes;
    case ResponseLimit::ServerText:
        return limits.maxRecordBytes;
    }
    return 0;
}

QueryEnd failureOf(ConnectionEnd end)
{
    switch (end) {
    case ConnectionEnd::Refused:
        return QueryEnd::Refused;
    case ConnectionEnd::HostNotFound:
        return QueryEnd::HostNotFound;
    case ConnectionEnd::Unreachable:
        return QueryEnd::Unreachable;
    case ConnectionEnd::Reset:
        return QueryEnd::Reset;
    case ConnectionEnd::Lost:
        return QueryEnd::Lost;
    case ConnectionEnd::Closed:
    case ConnectionEnd::Failed:
        break;
    }
    return QueryEnd::Failed;
}

} // namespace

QueryEnd orderlyEnd(const ResponseWalk& walk, bool anyBytes)
{
    if (walk.ended()) {
        return QueryEnd::Matched;
    }
    if (walk.full()) {
        return walk.entriesInResponse() == 0 ? QueryEnd::Overflow : QueryEnd::Full;
    }
    if (!anyBytes) {
        return QueryEnd::NothingSent;
    }
    return walk.insideLine() ? QueryEnd::CutMidLine : QueryEnd::Whole;
}

ScanEngine::ScanEngine(ListConnection& connection, Timer& requeryTimer, const Clock& clock,
                       Listener& listener, Options options)
    : m_connection(connection)
    , m_timer(requeryTimer)
    , m_clock(clock)
    , m_listener(listener)
    , m_options(options)
    , m_walk(options.limits)
{
    m_connection.setReceiver(*this);
    m_timer.onTick([this] { requery(); });
}

ScanEngine::ScanEngine(ListConnection& connection, Timer& requeryTimer, const Clock& clock,
                       Listener& listener)
    : ScanEngine(connection, requeryTimer, clock, listener, Options{})
{ }

ScanEngine::~ScanEngine()
{
    m_timer.stop();
    m_timer.onTick({});
    m_connection.close();
}

bool ScanEngine::chooseServer(std::string_view hostText)
{
    // Exact comparisons: a placeholder typed in another letter case is a host.
    if (m_state != ScanState::AwaitingServer || hostText.empty() || hostText == kHostPlaceholder) {
        return false;
    }
    setState(ScanState::Ready);
    showStatus(StatusKind::SetCriteria);
    return true;
}

void ScanEngine::start(std::string host)
{
    m_armed = true;
    m_walk.clearEntries();
    m_host = std::move(host);
    // A query of an earlier scan that is still under way makes way for this
    // one without a word: this scan has not heard from it.
    query(Unfinished::Dropped);
    setState(ScanState::Scanning);
    m_timer.start(m_options.requeryInterval);
    m_status.host = m_host;
    showStatus(StatusKind::Asking);
    if (m_host.empty()) {
        endQuery(QueryEnd::NoHost);
    }
}

void ScanEngine::stop()
{
    setState(ScanState::Ready);
    m_timer.stop();
    showStatus(StatusKind::Stopped);
}

void ScanEngine::requery()
{
    if (!m_options.requery) {
        // One query, and its time is up.
        m_timer.stop();
        if (m_querying) {
            m_connection.close();
            endQuery(QueryEnd::TimedOut);
        }
        return;
    }
    if (m_state != ScanState::Scanning) {
        return;
    }
    query(Unfinished::Reported);
    if (m_host.empty()) {
        endQuery(QueryEnd::NoHost);
    }
}

void ScanEngine::gameNotStarted(std::string why)
{
    m_status.gameNotStarted = std::move(why);
    m_listener.statusChanged();
}

std::string ScanEngine::statusText() const
{
    return pollwick::statusText(m_status);
}

void ScanEngine::setState(ScanState state)
{
    m_state = state;
    // Announced even when it stays: the window sets every control from the
    // state, and a match after Stop puts back what the person left.
    m_listener.stateChanged(m_state);
}

void ScanEngine::query(Unfinished unfinished)
{
    // A fresh connection for every query: whatever the last one was doing,
    // it goes first.
    m_connection.close();
    if (m_querying && unfinished == Unfinished::Reported) {
        endQuery(QueryEnd::CutByNextQuery);
    }
    ++m_query;
    m_querying = true;
    m_walk.startResponse();
    m_listed = 0;
    m_responseStarted = false;
    m_connected = false;
    m_arrived = false;
    m_waiting.clear();
    m_endWaiting.reset();
    if (!m_host.empty()) {
        m_connection.open(m_host, m_options.port);
    }
}

void ScanEngine::connected()
{
    m_connected = true;
}

void ScanEngine::received(std::string_view bytes)
{
    // The front end's alerts wait for the person inside a walk. Should data
    // arrive meanwhile, it is walked once the walk is over, in order, if its
    // query is still the current one.
    if (m_walking) {
        m_waiting.append(bytes);
        return;
    }
    m_walking = true;
    const std::uint64_t query = m_query;
    walkPiece(bytes);
    while (!m_waiting.empty() && query == m_query) {
        const std::string waiting = std::exchange(m_waiting, {});
        walkPiece(waiting);
    }
    m_walking = false;
    if (m_endWaiting && query == m_query) {
        const ConnectionEnd end = *m_endWaiting;
        m_endWaiting.reset();
        ended(end);
    }
}

void ScanEngine::walkPiece(std::string_view bytes)
{
    if (!m_querying) {
        return; // what follows a match, or a limit, is not read
    }
    if (!m_responseStarted) {
        m_responseStarted = true;
        m_listener.responseStarted();
    }
    m_arrived = true;
    m_walk.arrive(bytes, *this);
    if (!m_querying) {
        return; // a match ended it
    }
    m_listener.pieceWalked();
    // Nothing past a limit can be listed or matched: a list server that
    // keeps sending would only cost reading and discarding until the next
    // query, so the connection goes now.
    if (m_walk.full()) {
        m_connection.close();
        endQuery(orderlyEnd(m_walk, true));
    }
}

void ScanEngine::ended(ConnectionEnd end)
{
    if (m_walking) {
        m_endWaiting = end;
        return;
    }
    if (!m_querying) {
        return;
    }
    m_querying = false; // the connection is gone: nothing more of it comes
    if (end == ConnectionEnd::Closed) {
        endQuery(orderlyEnd(m_walk, m_arrived));
    } else {
        endQuery(failureOf(end));
    }
}

void ScanEngine::listRecord(const ServerRecord& record)
{
    ++m_listed;
    m_listener.recordListed(record);
}

MatchVerdict ScanEngine::testRecord(ServerRecord& record, ParsedFields fromLine)
{
    const std::optional<MatchCriteria> criteria = m_listener.currentCriteria();
    if (!criteria) {
        return MatchVerdict::NoMatch;
    }
    const MatchVerdict verdict = pollwick::testRecord(record, *criteria);
    m_listener.recordTested(verdict);
    switch (verdict) {
    case MatchVerdict::PassedOverPrivate:
    case MatchVerdict::PassedOverFull:
        // A later match in the same list alerts.
        m_armed = true;
        break;
    case MatchVerdict::Match:
        if (m_armed) {
            endOnMatch(record, fromLine);
        } else {
            // A match that may not alert still ends the list.
            m_listener.pieceWalked();
            endQuery(QueryEnd::Matched);
        }
        break;
    case MatchVerdict::NoMatch:
        break;
    }
    return verdict;
}

void ScanEngine::endOnMatch(const ServerRecord& record, ParsedFields fromLine)
{
    // The scan ends before the person is told: no list or re-query may
    // arrive while the alerts wait, and no later match alerts until "Go"
    // arms the alert again.
    setState(ScanState::Ready);
    m_timer.stop();
    m_connection.close();
    m_armed = false;
    m_querying = false;
    const TimeOfDay now = m_clock.now();
    m_status.lastList = LastList{now, m_listed};
    m_status.serverFound = record.serverName;
    showStatus(StatusKind::Found);
    m_listener.pieceWalked();
    m_listener.matched(record, fromLine);
}

void ScanEngine::endQuery(QueryEnd end)
{
    m_querying = false;
    QueryReport report;
    report.end = end;
    report.listed = m_listed;
    report.discarded = m_walk.discardedLines();
    report.limit = m_walk.limitReached();
    report.limitAmount = amountOf(report.limit, m_options.limits);
    report.connected = m_connected;
    report.arrived = m_arrived;
    if (gaveList(end)) {
        m_status.lastList = LastList{m_clock.now(), m_listed};
    }
    m_status.report = report;
    m_status.host = m_host;
    if (m_state == ScanState::Scanning) {
        showStatus(gaveList(end) ? StatusKind::Listed : StatusKind::NoList);
    } else if (gaveList(end) && m_status.kind == StatusKind::Stopped) {
        // A list still on its way when the person pressed Stop: the line
        // goes on saying that scanning has stopped, with this list as the
        // last.
        showStatus(StatusKind::Stopped);
    }
    if (!m_options.requery) {
        m_timer.stop();
    }
    m_listener.listEnded(report);
}

void ScanEngine::showStatus(StatusKind kind)
{
    m_status.kind = kind;
    m_status.time = m_clock.now();
    m_status.gameNotStarted.clear();
    m_listener.statusChanged();
}

} // namespace pollwick

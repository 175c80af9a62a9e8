#pragma once

#include "core/MatchVerdict.h"
#include "core/ServerRecord.h"
#include "core/scan/ResponseWalk.h"

#include <cstdint>
#include <functional>
#include <string>

namespace pollwick {

class ClientSocket;
class StatusLine;
enum class SocketOutcome;

// What the window does with the list server's answer: every data arrival is
// read, split into entries, one per line, and walked, entry by entry,
// through the parser, the server list and the match test.
//
// One connection is one response: the first arrival of a new connection
// clears the server list and the working record, and a line that TCP cut
// between two arrivals is joined again. Once a match has ended the walk, the
// rest of that connection is not read; once the response has reached its
// limits, the connection is closed.
//
// A list counts as whole, for the status line, when the list server closed
// the connection at the end of a line or the response filled its limits.
// A close in the middle of a line is a cut list: the socket cannot tell the
// list server's own close from a reset.
class ListExchange final : private ResponseWalk::Hooks
{
public:
    // Reads what `listSocket` receives into `walk`, the window's buffers, and
    // tells `status` how each list ended.
    ListExchange(ClientSocket& listSocket, ResponseWalk& walk, StatusLine& status);
    ~ListExchange() override;
    ListExchange(const ListExchange&) = delete;
    ListExchange& operator=(const ListExchange&) = delete;

    void readListData();
    // How the current connection went, as the socket reports it.
    void connectionOutcome(SocketOutcome outcome);

    // The most recent chunk, as received.
    [[nodiscard]] const std::string& lastChunk() const { return m_lastChunk; }
    // The entries of the lines completed by the last arrival.
    [[nodiscard]] std::span<const std::string> entries() const { return m_walk.entries(); }
    [[nodiscard]] const ResponseWalk& walk() const { return m_walk; }

    // Removes the server list's rows; called once per response.
    std::function<void()> clearHook;
    // Lists one record; called for every entry before it is tested.
    std::function<void(const ServerRecord&)> listHook;
    // Tests one record; a Match ends the walk.
    std::function<MatchVerdict(ServerRecord&, ParsedFields)> testHook;
    // Called after each arrival has been walked.
    std::function<void()> arrivalHook;

private:
    void listRecord(const ServerRecord& record) override;
    MatchVerdict testRecord(ServerRecord& record, ParsedFields fromLine) override;
    void handleArrival(std::string chunk);
    void listEnded();

    ClientSocket& m_socket;
    ResponseWalk& m_walk;
    StatusLine& m_status;
    std::string m_lastChunk;
    std::uint64_t m_connection = 0;
    int m_listed = 0; // records listed from the current connection
    bool m_endPending = false; // the list server closed during a walk
    bool m_walking = false;
    bool m_arrivedMeanwhile = false;
};

} // namespace pollwick

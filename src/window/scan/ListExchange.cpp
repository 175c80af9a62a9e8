#include "window/scan/ListExchange.h"

#include "platform/ClientSocket.h"

namespace pollwick {

ListExchange::ListExchange(ClientSocket& Winsock1, ResponseWalk& walk)
    : m_socket(Winsock1)
    , m_walk(walk)
{ }

ListExchange::~ListExchange() = default;

void ListExchange::Winsock1_DataArrival()
{
    // The match actions wait for the user inside a walk. Should data arrive
    // meanwhile, it is read once the walk is over, in order.
    if (m_walking) {
        m_arrivedMeanwhile = true;
        return;
    }
    m_walking = true;
    do {
        m_arrivedMeanwhile = false;
        handleArrival();
    } while (m_arrivedMeanwhile);
    m_walking = false;
}

void ListExchange::handleArrival()
{
    std::string chunk = m_socket.getData();
    if (m_socket.connectionNumber() != m_connection) {
        m_connection = m_socket.connectionNumber();
        m_walk.startResponse();
        if (clearHook) {
            clearHook();
        }
    }
    if (m_walk.ended()) {
        return;
    }
    m_list = std::move(chunk);
    m_walk.arrive(m_list, *this);
    if (arrivalHook) {
        arrivalHook();
    }
    // Nothing past the limits can be listed or matched: a list server that
    // keeps sending would only cost reading and discarding until the next
    // query, so the connection goes now. The next query connects again.
    if (m_walk.full()) {
        m_socket.close();
    }
}

void ListExchange::listRecord(const ServerRecord& record)
{
    if (listHook) {
        listHook(record);
    }
}

MatchVerdict ListExchange::testRecord(ServerRecord& record, ParsedFields fromLine)
{
    return testHook ? testHook(record, fromLine) : MatchVerdict::NoMatch;
}

} // namespace pollwick

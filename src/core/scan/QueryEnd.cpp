// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/scan/QueryEnd.h"

namespace pollwick {
namespace {

// "32,767": digits in groups of three.
std::string grouped(std::size_t number)
{
    std::string digits = std::to_string(number);
    for (std::size_t at = digits.size(); at > 3; at -= 3) {
        digits.insert(at - 3, 1, ',');
    }
    return digits;
}

std::string mebibytes(std::size_t bytes)
{
    constexpr std::size_t kMiB = std::size_t{1} << 20U;
    return bytes % kMiB == 0 ? grouped(bytes / kMiB) + " MiB" : grouped(bytes) + " bytes";
}

// "32,767 servers", "32 MiB", "32 MiB of server text".
std::string limitSize(const QueryReport& report)
{
    switch (report.limit) {
    case ResponseLimit::None:
        break;
    case ResponseLimit::Servers:
        return serverCount(report.limitAmount);
    case ResponseLimit::Bytes:
        return mebibytes(report.limitAmount);
    case ResponseLimit::ServerText:
        return mebibytes(report.limitAmount) + " of server text";
    }
    return {};
}

} // namespace

bool gaveList(QueryEnd end)
{
    return end == QueryEnd::Whole || end == QueryEnd::Full || end == QueryEnd::Matched;
}

std::string whyNoList(const QueryReport& report)
{
    switch (report.end) {
    case QueryEnd::Whole:
    case QueryEnd::Full:
    case QueryEnd::Matched:
        return {};
    case QueryEnd::NoHost:
        return "no list server given";
    case QueryEnd::Refused:
        return "connection refused";
    case QueryEnd::HostNotFound:
        return "host not found";
    case QueryEnd::Unreachable:
        return "network unreachable";
    case QueryEnd::Failed:
        return "connection failed";
    case QueryEnd::NothingSent:
        return "sent no list";
    case QueryEnd::CutMidLine:
        return "list cut off in the middle of a line";
    case QueryEnd::Reset:
        return report.arrived ? "list cut off by a reset connection" : "connection reset";
    case QueryEnd::Lost:
        return "connection lost";
    case QueryEnd::Overflow:
        return "no line that could be listed in the first " + limitSize(report);
    case QueryEnd::CutByNextQuery:
        return report.arrived  ? "list cut off by the next query"
            : report.connected ? "no answer"
                               : "no connection in time";
    case QueryEnd::TimedOut:
        return report.arrived  ? "list not finished in time"
            : report.connected ? "no answer in time"
                               : "no connection in time";
    }
    return "connection failed";
}

std::string limitReached(const QueryReport& report)
{
    return report.limit == ResponseLimit::None ? std::string() : "over " + limitSize(report);
}

std::string serverCount(std::size_t count)
{
    return count == 1 ? "1 server" : grouped(count) + " servers";
}

} // namespace pollwick

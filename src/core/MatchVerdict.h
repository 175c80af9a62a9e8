// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string_view>

namespace pollwick {

// The outcome of testing one server record against the user's criteria.
enum class MatchVerdict {
    NoMatch, // a criterion in force was not met
    PassedOverPrivate, // all met, but the server is private and private servers are not included
    PassedOverFull, // all met, but the server is full
    Match, // all met: the walk over the response ends here
};

constexpr std::string_view toString(MatchVerdict verdict)
{
    switch (verdict) {
    case MatchVerdict::NoMatch:
        return "NoMatch";
    case MatchVerdict::PassedOverPrivate:
        return "PassedOverPrivate";
    case MatchVerdict::PassedOverFull:
        return "PassedOverFull";
    case MatchVerdict::Match:
        return "Match";
    }
    return "NoMatch";
}

} // namespace pollwick

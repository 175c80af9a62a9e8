// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/scan/ListConnection.h"

#include <memory>

namespace pollwick::win {

// The list connection on Winsock: a non-blocking socket whose events
// (WSAAsyncSelect) and name lookups come to a message window of the calling
// thread, so that it reports on that thread's message loop, as
// ListConnection promises. A host name is looked up on a worker thread of
// its own; an address needs no lookup. The resolved addresses are tried in
// order.
//
// How it ends: the list server's orderly close is Closed, a reset (also
// right after a whole line) Reset; a failure to connect is Refused,
// HostNotFound, Unreachable or Failed; any other break after connecting is
// Lost. Everything received before an end is handed over before it.
//
// Make it, use it and destroy it on the thread whose message loop is to
// carry its events; not from inside one of its own reports.
std::unique_ptr<ListConnection> createListConnection();

} // namespace pollwick::win

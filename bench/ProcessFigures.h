// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// This process's open descriptors, sockets and resident memory, read from
// /proc (Linux).

#include <cstddef>

namespace pollwick::test {

struct ProcessFigures {
    int descriptors = 0; // entries of /proc/self/fd
    int sockets = 0; // of them, sockets
    std::size_t residentKiB = 0; // VmRSS of /proc/self/status

    static ProcessFigures now();
};

} // namespace pollwick::test

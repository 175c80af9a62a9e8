// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ProcessFigures.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace pollwick::test {

ProcessFigures ProcessFigures::now()
{
    ProcessFigures figures;
    std::error_code error;
    // The listing's own descriptor counts too, the same each time.
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd", error)) {
        ++figures.descriptors;
        const std::string target = std::filesystem::read_symlink(entry.path(), error).string();
        figures.sockets += target.starts_with("socket:") ? 1 : 0;
    }
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmRSS:")) {
            std::istringstream(line.substr(6)) >> figures.residentKiB;
        }
    }
    return figures;
}

} // namespace pollwick::test

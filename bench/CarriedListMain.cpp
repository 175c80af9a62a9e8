// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// pollwick-carried-list: writes one of the carried-field lists to standard
// output, to try them on pollwick-list or pollwick-listserver --file by hand.
//
//   pollwick-carried-list NAME > NAME.txt
//   pollwick-carried-list --names
#include "CarriedLists.h"

#include <cstdio>
#include <string>

int main(int argc, char* argv[])
{
    using namespace pollwick::bench;
    const std::string argument = argc == 2 ? argv[1] : "";
    if (argument == "--names") {
        for (const CarriedList& list : carriedLists()) {
            std::printf("%.*s\n", static_cast<int>(list.name.size()), list.name.data());
        }
        return 0;
    }
    const CarriedList* list = findCarriedList(argument);
    if (list == nullptr) {
        std::fputs("usage: pollwick-carried-list NAME | --names\n", stderr);
        return 2;
    }
    const std::string text = carriedListText(*list);
    return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() &&
            std::fflush(stdout) == 0
        ? 0
        : 1;
}

// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CarriedLists.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace pollwick::bench {
namespace {

constexpr std::array kLists{
    CarriedList{"carry100", CarriedField::Address, 100},
    CarriedList{"carry3000", CarriedField::Address, 3000},
    CarriedList{"carry32767", CarriedField::Address, 32766},
    CarriedList{"carryname3000", CarriedField::Name, 3000},
};

} // namespace

std::span<const CarriedList> carriedLists()
{
    return kLists;
}

const CarriedList* findCarriedList(std::string_view name)
{
    const auto* found = std::find_if(kLists.begin(), kLists.end(),
                                     [name](const CarriedList& list) { return list.name == name; });
    return found == kLists.end() ? nullptr : found;
}

std::vector<const CarriedList*> chosenLists(std::span<char* const> names, std::string_view program)
{
    std::vector<const CarriedList*> lists;
    for (const char* name : names) {
        const CarriedList* list = findCarriedList(name);
        if (list == nullptr) {
            std::fprintf(stderr, "%.*s: no list called %s\n", static_cast<int>(program.size()),
                         program.data(), name);
            return {};
        }
        lists.push_back(list);
    }
    if (lists.empty()) {
        for (const CarriedList& list : kLists) {
            lists.push_back(&list);
        }
    }
    return lists;
}

std::string carriedListText(const CarriedList& list)
{
    std::string text;
    if (list.field == CarriedField::Address) {
        // 1,000,000 + 28 bytes, then two a line: carry100 is 1,000,228 bytes.
        // The address is made of "é" (0xE9 in Windows-1252), which JSON
        // output escapes in six characters.
        text.append(kCarriedBytes, '\xE9');
        text += ":1 battle 1.24   [1/16] Big\n";
        for (std::size_t line = 0; line < list.carryingLines; ++line) {
            text += "x\n";
        }
    } else {
        // Each "]" line keeps the name, less its last character.
        text += "192.0.2.1:7000 battle 1.24   [1/16] ";
        text.append(kCarriedBytes, 'n');
        text += "\n";
        for (std::size_t line = 0; line < list.carryingLines; ++line) {
            text += "]\n";
        }
    }
    return text;
}

} // namespace pollwick::bench

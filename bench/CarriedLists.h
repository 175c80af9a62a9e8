// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Lists in which one line's huge field is carried by every line after it. A
// line without ":" keeps the address of the line before it, and a line whose
// first "]" is its last character keeps the name before it, so a list server
// can send one line with a field of a megabyte and then thousands of short
// lines, and every record carries that megabyte. Plain C++.

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pollwick::bench {

// What the one huge field of a list is.
enum class CarriedField {
    Address, // the first line's address (of "é"), then lines "x" (no ":")
    Name, // the first line's name, then lines "]" (the name step fails)
};

struct CarriedList {
    std::string_view name; // as the benchmarks and the generator call it
    CarriedField field;
    std::size_t carryingLines; // the short lines after the first
};

// The bytes of the carried field: 1,000,000.
inline constexpr std::size_t kCarriedBytes = 1000000;

// carry100 (1,000,228 bytes), carry3000 (1.0 MB), carry32767 (32,767 lines
// in all, 1.07 MB, the most one response may list) and carryname3000.
std::span<const CarriedList> carriedLists();

// The list called `name`; nullptr for none.
const CarriedList* findCarriedList(std::string_view name);

// The lists named by a benchmark's arguments (every list for none); empty,
// with a message naming `program`, when one of them names no list.
std::vector<const CarriedList*> chosenLists(std::span<char* const> names, std::string_view program);

// The bytes of a list, LF line ends.
std::string carriedListText(const CarriedList& list);

} // namespace pollwick::bench

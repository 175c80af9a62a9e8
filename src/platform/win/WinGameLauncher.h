// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/win/WinPlatform.h"

#include <optional>
#include <string>
#include <string_view>

namespace pollwick::win {

// CreateProcessW, never a shell: `program` is the application name itself,
// so nothing is looked up on PATH or read from the command line to find it;
// the command line gives the game its arguments, "-connect" and the address,
// each one argument however it is written; the game starts in its own
// folder, its window shown normally. Nothing is waited for and no handle is
// kept.
class WinGameLauncher final : public GameLauncher
{
public:
    bool start(const std::wstring& program, const std::wstring& connectAddress) override;
};

// The quoted program, then "-connect", then the address, as
// CommandLineToArgvW (and the C runtime) read them back into exactly these
// three arguments. Nothing for a program that no quoting can carry (empty,
// or with a quotation mark, which no file name holds).
std::optional<std::wstring> gameCommandLine(std::wstring_view program,
                                            std::wstring_view connectAddress);

// One argument after the first, quoted so that CommandLineToArgvW reads it
// back whole and unchanged.
std::wstring quotedArgument(std::wstring_view argument);

} // namespace pollwick::win

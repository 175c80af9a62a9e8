// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/settings/GamePaths.h"

#include <map>
#include <string>

namespace pollwick::win {

// The settings store in the registry: the value `key` (REG_SZ) of
// HKEY_CURRENT_USER\Software\<application>\<section>. A value that is not
// text, or larger than any path (kLargestValueBytes), reads as empty text,
// and trouble() says why.
class RegistrySettingsStore final : public SettingsStore
{
public:
    // The largest value read or written, in bytes of UTF-16.
    static constexpr unsigned long kLargestValueBytes = 64UL * 1024;

    [[nodiscard]] std::string read(const std::string& application, const std::string& section,
                                   const std::string& key) const override;
    // False when the registry would not take the value, or when it could
    // not be read back as written: a value with a null character in it, or
    // larger than kLargestValueBytes.
    bool write(const std::string& application, const std::string& section, const std::string& key,
               const std::string& value) override;
    // "HKEY_CURRENT_USER\Software\<application>".
    [[nodiscard]] std::string location(const std::string& application) const override;
    // What the reads of the application's values since the last good read
    // of each found wrong, one value after the other; empty when nothing.
    [[nodiscard]] std::string trouble(const std::string& application) const override;

private:
    // Per application, the values that could not be read ("section\key"),
    // with why.
    mutable std::map<std::string, std::map<std::string, std::string>> m_troubles;
};

} // namespace pollwick::win

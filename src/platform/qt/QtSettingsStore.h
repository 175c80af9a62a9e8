// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/settings/GamePaths.h"

#include <QString>

namespace pollwick {

// The settings store on Linux: one INI file per application in the user's
// configuration folder (~/.config/Wombix Pollwick.conf), a section per
// section and a key per key.
//
// A file larger than any settings file (over 1 MiB) is neither read nor
// written: reading it whole would stall the window and fill its memory,
// and writing would lose what the person keeps in it. The store then reads
// empty, refuses every write, and says why.
class QtSettingsStore final : public SettingsStore
{
public:
    // Keeps the files in `folder`: the user's configuration folder unless
    // told otherwise.
    explicit QtSettingsStore(QString folder = {});

    [[nodiscard]] std::string read(const std::string& application, const std::string& section,
                                   const std::string& key) const override;
    bool write(const std::string& application, const std::string& section, const std::string& key,
               const std::string& value) override;
    [[nodiscard]] std::string location(const std::string& application) const override;
    [[nodiscard]] std::string trouble(const std::string& application) const override;

private:
    [[nodiscard]] QString fileOf(const std::string& application) const;

    QString m_folder;
};

} // namespace pollwick

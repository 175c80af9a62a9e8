// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace pollwick {

// The per-user settings store, addressed by application, section and key.
class SettingsStore
{
public:
    virtual ~SettingsStore() = default;

    // The stored text, or empty text when there is none.
    [[nodiscard]] virtual QString read(const QString& application, const QString& section,
                                       const QString& key) const = 0;
    // Writes one value; false when the store could not keep it.
    virtual bool write(const QString& application, const QString& section, const QString& key,
                       const QString& value) = 0;
    // Where the store keeps the application's settings, for telling the user.
    [[nodiscard]] virtual QString location(const QString& application) const = 0;
};

} // namespace pollwick

// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/SettingsStore.h"

namespace pollwick {

// QSettings in the system's native format and the user's scope, with the
// application name as the organisation: on Linux "<application>.conf" in the
// XDG configuration folder, on Windows the user's registry.
class QtSettingsStore final : public SettingsStore
{
public:
    [[nodiscard]] QString read(const QString& application, const QString& section,
                               const QString& key) const override;
    bool write(const QString& application, const QString& section, const QString& key,
               const QString& value) override;
    [[nodiscard]] QString location(const QString& application) const override;
};

} // namespace pollwick

// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace pollwick {

// Posts a notification to the desktop: a title and a body of plain text.
// It returns at once and never reports whether anything showed it; a
// desktop without a notification service shows nothing.
class Notifier
{
public:
    virtual ~Notifier() = default;
    virtual void notify(const QString& title, const QString& body) = 0;
};

} // namespace pollwick

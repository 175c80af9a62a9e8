// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

namespace pollwick {

// Starts a program with its arguments, its window shown normally, without
// waiting for it and without a shell. False when nothing could be started.
class ProcessLauncher
{
public:
    virtual ~ProcessLauncher() = default;
    virtual bool start(const QString& program, const QStringList& arguments) = 0;
};

} // namespace pollwick

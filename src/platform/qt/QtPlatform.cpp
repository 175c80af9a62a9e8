// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/qt/QtPlatform.h"

#include "platform/Notifier.h"
#include "platform/SoundPlayer.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtListConnection.h"
#include "platform/qt/QtProcessLauncher.h"
#include "platform/qt/QtSettingsStore.h"
#include "platform/qt/QtTimer.h"

#include <QCoreApplication>

namespace pollwick {

QtPlatform::QtPlatform()
    : m_clock(std::make_unique<QtClock>())
    , m_settings(std::make_unique<QtSettingsStore>())
    , m_fileDialog(std::make_unique<QtFileDialog>())
    , m_messageBox(std::make_unique<QtMessageBox>())
    , m_sound(createSystemSoundPlayer())
    , m_notifier(createSystemNotifier())
    , m_launcher(std::make_unique<QtProcessLauncher>())
{ }

QtPlatform::~QtPlatform() = default;

std::unique_ptr<Timer> QtPlatform::createTimer(TimerRole /*role*/)
{
    return std::make_unique<QtTimer>();
}

std::unique_ptr<ListConnection> QtPlatform::createConnection()
{
    return std::make_unique<QtListConnection>();
}

const Clock& QtPlatform::clock()
{
    return *m_clock;
}

SettingsStore& QtPlatform::settings()
{
    return *m_settings;
}

FileDialog& QtPlatform::fileDialog()
{
    return *m_fileDialog;
}

MessageBox& QtPlatform::messageBox()
{
    return *m_messageBox;
}

SoundPlayer& QtPlatform::sound()
{
    return *m_sound;
}

Notifier& QtPlatform::notifier()
{
    return *m_notifier;
}

ProcessLauncher& QtPlatform::launcher()
{
    return *m_launcher;
}

void QtPlatform::endProcess()
{
    QCoreApplication::exit(0);
}

} // namespace pollwick

// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/qt/QtPlatform.h"

#include "platform/Clock.h"
#include "platform/Notifier.h"
#include "platform/SoundPlayer.h"
#include "platform/qt/QtClientSocket.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtProcessLauncher.h"
#include "platform/qt/QtSettingsStore.h"
#include "platform/qt/QtTimer.h"

#include <QCoreApplication>

namespace pollwick {
namespace {

class SystemClock final : public Clock
{
public:
    [[nodiscard]] QDateTime now() const override { return QDateTime::currentDateTime(); }
};

} // namespace

QtPlatform::QtPlatform()
    : m_settings(std::make_unique<QtSettingsStore>())
    , m_fileDialog(std::make_unique<QtFileDialog>())
    , m_messageBox(std::make_unique<QtMessageBox>())
    , m_sound(createSystemSoundPlayer())
    , m_notifier(createSystemNotifier())
    , m_launcher(std::make_unique<QtProcessLauncher>())
    , m_clock(std::make_unique<SystemClock>())
{ }

QtPlatform::~QtPlatform() = default;

Timer* QtPlatform::createTimer(QObject* parent)
{
    return new QtTimer(parent);
}

ClientSocket* QtPlatform::createSocket(QObject* parent)
{
    return new QtClientSocket(parent);
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

Clock& QtPlatform::clock()
{
    return *m_clock;
}

void QtPlatform::endProcess()
{
    QCoreApplication::exit(0);
}

} // namespace pollwick

#include "platform/QtPlatform.h"

#include "platform/QtClientSocket.h"
#include "platform/QtDialogs.h"
#include "platform/QtProcessLauncher.h"
#include "platform/QtSettingsStore.h"
#include "platform/QtTimer.h"
#include "platform/SoundPlayer.h"

#include <QCoreApplication>

namespace pollwick {

QtPlatform::QtPlatform()
    : m_settings(std::make_unique<QtSettingsStore>())
    , m_fileDialog(std::make_unique<QtFileDialog>())
    , m_messageBox(std::make_unique<QtMessageBox>())
    , m_sound(createSystemSoundPlayer())
    , m_launcher(std::make_unique<QtProcessLauncher>())
{ }

QtPlatform::~QtPlatform() = default;

std::unique_ptr<Timer> QtPlatform::createTimer()
{
    return std::make_unique<QtTimer>();
}

std::unique_ptr<ClientSocket> QtPlatform::createSocket()
{
    return std::make_unique<QtClientSocket>();
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

ProcessLauncher& QtPlatform::launcher()
{
    return *m_launcher;
}

void QtPlatform::endProcess()
{
    QCoreApplication::exit(0);
}

} // namespace pollwick

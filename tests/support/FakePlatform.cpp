#include "FakePlatform.h"

#include "platform/qt/QtClientSocket.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>

namespace pollwick::test {

bool waitUntil(const std::function<bool()>& condition, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    // Wakes the wait below now and then, so that the deadline is seen.
    QTimer wake;
    wake.start(20);
    while (!condition()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return true;
}

std::optional<QString> FakeFileDialog::openFile(QWidget* /*parent*/, const QString& filter,
                                                const QString& initialFile)
{
    calls.push_back({filter, initialFile});
    if (answers.empty() || !answers.front().has_value()) {
        if (!answers.empty()) {
            answers.pop_front();
        }
        return std::nullopt;
    }
    // Copied as a QString, not as an optional: GCC 12 at -O2 takes the
    // optional's copy for a read of uninitialised memory.
    QString chosen = *answers.front();
    answers.pop_front();
    return chosen;
}

void FakeMessageBox::show(QWidget* /*parent*/, const QString& prompt, const QString& title)
{
    shown.push_back({prompt, title});
    if (whileShown) {
        whileShown(shown.back());
    }
}

void FakeSoundPlayer::playSync(const QString& path)
{
    played << path;
    if (whilePlaying) {
        whilePlaying(path);
    }
}

void FakeNotifier::notify(const QString& title, const QString& body)
{
    posted.push_back({title, body});
    if (whilePosting) {
        whilePosting(posted.back());
    }
    if (passOn != nullptr) {
        passOn->notify(title, body);
    }
}

bool FakeLauncher::start(const QString& program, const QStringList& arguments)
{
    started.push_back({program, arguments});
    return !program.isEmpty();
}

QString MemorySettingsStore::read(const QString& application, const QString& section,
                                  const QString& key) const
{
    return values.value(application + QLatin1Char('/') + section + QLatin1Char('/') + key);
}

bool MemorySettingsStore::write(const QString& application, const QString& section,
                                const QString& key, const QString& value)
{
    values.insert(application + QLatin1Char('/') + section + QLatin1Char('/') + key, value);
    return true;
}

QString MemorySettingsStore::location(const QString& application) const
{
    return QStringLiteral("memory:") + application;
}

FakePlatform::FakePlatform() = default;
FakePlatform::~FakePlatform() = default;

std::unique_ptr<Timer> FakePlatform::createTimer()
{
    return std::make_unique<ManualTimer>();
}

std::unique_ptr<ClientSocket> FakePlatform::createSocket()
{
    if (socketFactory) {
        return socketFactory();
    }
    return std::make_unique<QtClientSocket>();
}

void FakePlatform::storePath(const QString& key, const QString& value)
{
    memoryStore.values.insert(QStringLiteral("Wombix Pollwick/Paths/") + key, value);
}

} // namespace pollwick::test

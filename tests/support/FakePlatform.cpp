// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FakePlatform.h"

#include "platform/qt/QtListConnection.h"
#include "window/WindowText.h"

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

std::unique_ptr<Timer> FakePlatform::createTimer(TimerRole role)
{
    auto timer = std::make_unique<ManualTimer>();
    m_timers[role] = timer.get();
    return timer;
}

std::unique_ptr<ListConnection> FakePlatform::createConnection()
{
    if (m_connection == Connection::Real) {
        return std::make_unique<QtListConnection>();
    }
    auto handed = std::make_unique<HandedConnection>();
    m_handed = handed.get();
    return handed;
}

std::optional<QString> FakePlatform::openFile(QWidget* /*parent*/, texts::FileFilter filter,
                                              const QString& initialFile)
{
    opened.emplace_back(fromUtf8(filter.description) + u'|' + fromUtf8(filter.pattern),
                        initialFile);
    const QString answer = answers.empty() ? QString() : answers.front();
    if (!answers.empty()) {
        answers.pop_front();
    }
    return answer.isEmpty() ? std::nullopt : std::optional(answer);
}

void FakePlatform::show(QWidget* /*parent*/, const QString& prompt, const QString& title)
{
    shown.emplace_back(prompt, title);
    if (whileShown) {
        whileShown(prompt, title);
    }
}

void FakePlatform::playSync(const QString& path)
{
    played << path;
    if (whilePlaying) {
        whilePlaying();
    }
}

void FakePlatform::notify(const QString& title, const QString& body)
{
    notices.emplace_back(title, body);
    if (whileNotifying) {
        whileNotifying();
    }
    if (passOn != nullptr) {
        passOn->notify(title, body);
    }
}

bool FakePlatform::start(const QString& program, const QStringList& arguments)
{
    started.push_back(QStringList{program} + arguments);
    return programsStart;
}

} // namespace pollwick::test

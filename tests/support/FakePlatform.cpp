// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

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

ClientSocket* FakePlatform::createSocket(QObject* parent)
{
    return socketFactory ? socketFactory(parent) : new QtClientSocket(parent);
}

std::optional<QString> FakePlatform::openFile(QWidget* /*parent*/, const QString& filter,
                                              const QString& initialFile)
{
    opened.emplace_back(filter, initialFile);
    const QString answer = answers.empty() ? QString() : answers.front();
    if (!answers.empty()) {
        answers.pop_front();
    }
    return answer.isEmpty() ? std::nullopt : std::optional(answer);
}

} // namespace pollwick::test

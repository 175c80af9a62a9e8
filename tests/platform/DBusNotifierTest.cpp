// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The desktop notifications on a private session bus that the test starts,
// with a stand-in for the desktop's notification service on it.
#include "platform/qt/DBusNotifier.h"

#include "FakePlatform.h"
#include "SessionBus.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

namespace pollwick {
namespace {

TEST(DBusNotifier, PostsTheTitleAndTheEscapedBodyToTheNotificationService)
{
    test::PrivateSessionBus bus;
    if (!bus.isUp()) {
        GTEST_SKIP() << "no dbus-daemon to start a bus with";
    }
    QGuiApplication::setDesktopFileName(QStringLiteral("pollwick"));
    DBusNotifier notifier(bus.connect(QStringLiteral("pollwick-test-notifier")));
    notifier.notify(QStringLiteral("Server Up"),
                    QStringLiteral("<b>Tom</b> & Jerry's\n3/16 players\n192.0.2.10"));
    // The service is called on this thread: notify() did not wait for it.
    EXPECT_TRUE(bus.service.calls.empty());
    ASSERT_TRUE(test::waitUntil([&] { return !bus.service.calls.empty(); }));

    // The program's desktop entry, which names its icon too; the body
    // escaped, since the service reads markup.
    EXPECT_EQ(bus.service.calls[0],
              "pollwick|pollwick|Server Up|&lt;b&gt;Tom&lt;/b&gt; &amp; Jerry's\n3/16 "
              "players\n192.0.2.10");
}

} // namespace
} // namespace pollwick

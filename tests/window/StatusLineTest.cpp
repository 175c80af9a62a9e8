// The status line against a real list server: after a failure it keeps the
// last good list in view and comes back when a list arrives again. (Each way
// of failing is a row of the list server fault matrix.)
#include "window/StatusLine.h"

#include "ListServerWindow.h"

#include <QComboBox>
#include <QLabel>
#include <QLocale>

namespace pollwick {
namespace {

using sim::Misbehaviour;

using StatusLineTest = test::ListServerWindow;

TEST_F(StatusLineTest, AListAfterFailuresBringsTheLineBackAndStaysInView)
{
    server.setResponse(test::serverLine("192.0.2.1", "battle 1.24   [1/16] One") +
                       test::serverLine("192.0.2.2", "battle 1.24   [1/16] Two"));
    matchNothing();
    server.setMisbehaviour(Misbehaviour::NeverAnswer);
    go();
    ASSERT_TRUE(test::waitUntil([&] { return server.connectionCount() == 1; }));
    EXPECT_EQ(form->status().text(), QStringLiteral("Asking %1 every 5 s...").arg(serverHost()));

    server.setMisbehaviour(Misbehaviour::None);
    refresh();
    EXPECT_TRUE(statusSays(QStringLiteral("12:00:00  2 servers listed")));
    EXPECT_EQ(form->Label1->text(), form->status().text()); // short enough to be shown whole
    EXPECT_EQ(form->Label1->textFormat(), Qt::PlainText); // a found server's name is no markup

    platform.time = platform.time.addSecs(65);
    server.setMisbehaviour(Misbehaviour::ResetMidLine);
    server.setResponse({});
    refresh();
    EXPECT_TRUE(statusSays(QStringLiteral("12:01:05  %1: connection lost, trying every 5 s. Last "
                                          "list 12:00:00: 2 servers")
                               .arg(serverHost())));
    // Cut at the label's edge, whole in its tool tip.
    EXPECT_TRUE(form->Label1->text().endsWith(QChar(0x2026))) << form->Label1->text().toStdString();
    EXPECT_TRUE(form->Label1->toolTip().contains(QStringLiteral("12:00:00:")));
}

TEST(ServerCount, ReadsNaturallyInTheUsersLocale)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(serverCount(0), QStringLiteral("0 servers"));
    EXPECT_EQ(serverCount(1), QStringLiteral("1 server"));
    EXPECT_EQ(serverCount(32767), QStringLiteral("32,767 servers"));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(serverCount(32767), QStringLiteral("32.767 servers"));
    QLocale::setDefault(QLocale::system());
}

} // namespace
} // namespace pollwick

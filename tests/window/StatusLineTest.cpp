// The status line against real list servers that fail in each way a user
// can meet: it names the host that did not answer and why, keeps the last
// good list in view, and comes back when a list arrives again.
#include "window/StatusLine.h"

#include "ListServerWindow.h"

#include <QComboBox>
#include <QLabel>
#include <QLocale>

namespace pollwick {
namespace {

using sim::Misbehaviour;

struct Failure {
    const char* name;
    Misbehaviour misbehaviour; // of the list server; None: no list server at all
    const char* host; // typed instead of the list server's address, or nullptr
    bool needsNextQuery; // only the next query can tell that nothing came
    const char* reason;
};

class StatusLineTest : public test::ListServerWindow, public ::testing::WithParamInterface<Failure>
{
protected:
    [[nodiscard]] QString status() const { return form->status().text(); }
    [[nodiscard]] bool statusSays(const QString& text) const
    {
        return test::waitUntil([&] { return status().contains(text); });
    }
};

TEST_P(StatusLineTest, NamesTheHostThatDidNotAnswerAndWhy)
{
    const Failure& failure = GetParam();
    QString host = serverHost();
    if (failure.host != nullptr) {
        host = QString::fromLatin1(failure.host);
    } else if (failure.misbehaviour == Misbehaviour::None) {
        host = test::unusedLoopbackAddress();
    }
    replaceText(form->RemHost->lineEdit(), host);
    server.setMisbehaviour(failure.misbehaviour);
    go();
    if (failure.needsNextQuery) {
        ASSERT_TRUE(test::waitUntil([&] { return server.connectionCount() == 1; }));
        refresh();
    }
    const QString expected = QStringLiteral("12:00:00  %1: %2, trying every 5 s.")
                                 .arg(host, QString::fromLatin1(failure.reason));
    EXPECT_TRUE(statusSays(expected)) << status().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Failures, StatusLineTest,
    ::testing::Values(Failure{"Refused", Misbehaviour::None, nullptr, false, "connection refused"},
                      Failure{"HostNotFound", Misbehaviour::None, "no such list server.invalid",
                              false, "host not found"},
                      Failure{"Silent", Misbehaviour::NeverAnswer, nullptr, true, "no answer"},
                      Failure{"Reset", Misbehaviour::ResetMidLine, nullptr, false,
                              "connection lost"}),
    [](const auto& failure) { return std::string(failure.param.name); });

TEST_F(StatusLineTest, AListAfterFailuresBringsTheLineBackAndStaysInView)
{
    server.setResponse(test::serverLine("192.0.2.1", "battle 1.24   [1/16] One") +
                       test::serverLine("192.0.2.2", "battle 1.24   [1/16] Two"));
    matchNothing();
    server.setMisbehaviour(Misbehaviour::NeverAnswer);
    go();
    ASSERT_TRUE(test::waitUntil([&] { return server.connectionCount() == 1; }));
    EXPECT_EQ(status(), QStringLiteral("Asking %1 every 5 s...").arg(serverHost()));

    server.setMisbehaviour(Misbehaviour::None);
    refresh();
    EXPECT_TRUE(statusSays(QStringLiteral("12:00:00  2 servers listed")));
    EXPECT_EQ(form->Label1->text(), status()); // short enough to be shown whole

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
    EXPECT_EQ(serverCount(187), QStringLiteral("187 servers"));
    EXPECT_EQ(serverCount(32767), QStringLiteral("32,767 servers"));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(serverCount(32767), QStringLiteral("32.767 servers"));
    QLocale::setDefault(QLocale::system());
}

} // namespace
} // namespace pollwick

// The scan controller on the real window: the server-selection gate, Go,
// Stop and the re-query, checked through the controls a person sees.
#include "window/scan/ScanController.h"

#include "FakePlatform.h"
#include "platform/ClientSocket.h"
#include "window/Controls.h"
#include "window/Form1.h"
#include "window/match/MatchActions.h"
#include "window/scan/ListExchange.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace pollwick {
namespace {

class ScanControllerTest : public ::testing::Test
{
protected:
    ScanControllerTest()
    {
        platform.storePath(QStringLiteral("Normal"), QStringLiteral("/games/wombix.exe"));
        form = std::make_unique<Form1>(platform);
    }

    void chooseServer(const QString& host)
    {
        form->RemHost->setEditText(host);
        form->Timer2->isRunning() ? fireTimer2() : void();
    }
    void fireTimer2() { static_cast<test::ManualTimer&>(*form->Timer2).fire(); }

    // Every control's usable state as the table of scan states gives it.
    void expectControls(ScanState state)
    {
        const bool ready = state == ScanState::Ready;
        const bool scanning = state == ScanState::Scanning;
        EXPECT_EQ(form->scan().state(), state);
        EXPECT_EQ(form->RemHost->isEnabled(), !scanning);
        EXPECT_EQ(form->Frame1->isEnabled(), state != ScanState::AwaitingServer);
        EXPECT_EQ(form->Frame2->isEnabled(), state != ScanState::AwaitingServer);
        EXPECT_EQ(form->Command1->isEnabled(), ready);
        EXPECT_EQ(form->Command2->isEnabled(), scanning);
        for (QCheckBox* box :
             {form->ScanCheck, form->WombixCheck, form->MsgCheck, form->WaveCheck,
              form->VersionCheck, form->NameCheck, form->IPCheck, form->GameCheck}) {
            EXPECT_EQ(ownEnabled(box), !scanning) << box->objectName().toStdString();
        }
        const auto field = [&](QWidget* control, QCheckBox* box) {
            EXPECT_EQ(ownEnabled(control), ready && isTicked(box))
                << control->objectName().toStdString();
        };
        field(form->MsgMsg, form->MsgCheck);
        field(form->WaveFile, form->WaveCheck);
        field(form->Command3, form->WaveCheck);
        field(form->Combo2, form->VersionCheck);
        field(form->FName, form->NameCheck);
        field(form->fIP, form->IPCheck);
        field(form->Combo3, form->GameCheck);
        EXPECT_EQ(form->Refresh1->interval(), scanning ? 5000 : 0);
        EXPECT_EQ(form->Timer2->isRunning(), state == ScanState::AwaitingServer);
        // Never touched by scanning.
        EXPECT_TRUE(form->Check1->isEnabled());
        EXPECT_TRUE(form->Command5->isEnabled());
    }

    test::FakePlatform platform;
    std::unique_ptr<Form1> form;
};

TEST_F(ScanControllerTest, WaitsForAListServerChoiceWithExactComparisons)
{
    expectControls(ScanState::AwaitingServer);
    EXPECT_EQ(form->Timer2->interval(), 100);

    fireTimer2(); // the placeholder is no choice
    expectControls(ScanState::AwaitingServer);
    form->RemHost->setEditText(QString());
    fireTimer2();
    expectControls(ScanState::AwaitingServer);

    // Another letter case is a host name like any other.
    form->RemHost->setEditText(QStringLiteral("list server select"));
    fireTimer2();
    expectControls(ScanState::Ready);

    // Once open the gate stays open, whatever the box holds later.
    form->RemHost->setEditText(QString());
    fireTimer2();
    expectControls(ScanState::Ready);
}

TEST_F(ScanControllerTest, PickingADefaultListServerOpensTheGate)
{
    ASSERT_EQ(form->RemHost->count(), 2);
    form->RemHost->setCurrentIndex(1);
    fireTimer2();
    expectControls(ScanState::Ready);
}

TEST_F(ScanControllerTest, GoLocksTheControlsAndStopRestoresThemAsTheBoxesSay)
{
    chooseServer(QStringLiteral("127.0.3.1"));
    QTest::mouseClick(form->NameCheck, Qt::LeftButton);
    QTest::mouseClick(form->WaveCheck, Qt::LeftButton);
    expectControls(ScanState::Ready);

    QTest::mouseClick(form->Command1, Qt::LeftButton);
    expectControls(ScanState::Scanning);
    EXPECT_EQ(form->MatchArmed, 1);
    EXPECT_EQ(form->Winsock1->remoteHost(), QStringLiteral("127.0.3.1"));
    EXPECT_EQ(form->Winsock1->remotePort(), 10057);
    EXPECT_TRUE(form->Winsock1->isOpen());

    QTest::mouseClick(form->Command2, Qt::LeftButton);
    expectControls(ScanState::Ready);
    // Stop leaves the armed alert for a list on its way.
    EXPECT_EQ(form->MatchArmed, 1);
}

TEST_F(ScanControllerTest, EveryQueryIsAFreshConnectionToTheHostInTheBoxNow)
{
    chooseServer(QStringLiteral("127.0.3.1"));
    form->scan().Command1_Click();
    const auto first = form->Winsock1->connectionNumber();

    // The box is locked while scanning, but its text is read anew each time.
    form->RemHost->setEditText(QStringLiteral("127.0.3.2"));
    static_cast<test::ManualTimer&>(*form->Refresh1).fire();
    EXPECT_EQ(form->Winsock1->connectionNumber(), first + 1);
    EXPECT_EQ(form->Winsock1->remoteHost(), QStringLiteral("127.0.3.2"));
    expectControls(ScanState::Scanning);

    // Begin after Stop starts from a closed socket again.
    form->scan().Command2_Click();
    form->scan().Command1_Click();
    EXPECT_EQ(form->Winsock1->connectionNumber(), first + 2);
}

} // namespace
} // namespace pollwick

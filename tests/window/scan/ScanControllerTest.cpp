// The scan controller on the real window: the server-selection gate, Go,
// Stop and the re-query, checked through the controls a person sees.

#include "WindowTest.h"

namespace pollwick::test {
namespace {

class ScanControllerTest : public WindowTest
{
protected:
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
        const std::pair<QWidget*, QCheckBox*> fields[] = {
            {form->MsgMsg, form->MsgCheck},    {form->WaveFile, form->WaveCheck},
            {form->Command3, form->WaveCheck}, {form->Combo2, form->VersionCheck},
            {form->FName, form->NameCheck},    {form->fIP, form->IPCheck},
            {form->Combo3, form->GameCheck}};
        for (const auto& [field, box] : fields) {
            EXPECT_EQ(ownEnabled(field), ready && isTicked(box))
                << field->objectName().toStdString();
        }
        EXPECT_EQ(form->Refresh1->interval(), scanning ? 5000 : 0);
        EXPECT_EQ(form->Timer2->isRunning(), state == ScanState::AwaitingServer);
        // Never touched by scanning.
        EXPECT_TRUE(form->Check1->isEnabled());
        EXPECT_TRUE(form->Command5->isEnabled());
    }
};

TEST_F(ScanControllerTest, WaitsForAListServerChoiceWithExactComparisons)
{
    expectControls(ScanState::AwaitingServer);
    EXPECT_EQ(form->Timer2->interval(), 100);
    // The placeholder and an empty box are no choice; another letter case
    // is a host name like any other; once open, the gate stays open.
    for (const auto& [host, state] :
         {std::pair{"List Server Select", ScanState::AwaitingServer},
          std::pair{"", ScanState::AwaitingServer},
          std::pair{"list server select", ScanState::Ready}, std::pair{"", ScanState::Ready}}) {
        form->RemHost->setEditText(QString::fromLatin1(host));
        fire(*form->Timer2);
        expectControls(state);
    }
}

TEST_F(ScanControllerTest, GoLocksTheControlsAndStopRestoresThemAsTheBoxesSay)
{
    chooseHost(QStringLiteral("list.example"));
    click(form->NameCheck);
    click(form->WaveCheck);
    expectControls(ScanState::Ready);

    click(form->Command1);
    expectControls(ScanState::Scanning);
    EXPECT_EQ(form->MatchArmed, 1);
    EXPECT_EQ(socket->remoteHost(), QStringLiteral("list.example"));
    EXPECT_EQ(socket->remotePort(), 10057);
    EXPECT_TRUE(socket->isOpen());

    click(form->Command2);
    expectControls(ScanState::Ready);
    // Stop leaves the armed alert, and the connection, for a list on its way.
    EXPECT_EQ(form->MatchArmed, 1);
    EXPECT_TRUE(socket->isOpen());
}

TEST_F(ScanControllerTest, EveryQueryIsAFreshConnectionToTheHostInTheBoxNow)
{
    chooseHost(QStringLiteral("one.example"));
    go();
    EXPECT_EQ(socket->connectionNumber(), 1U);
    // The box is locked while scanning, but its text is read anew each time.
    form->RemHost->setEditText(QStringLiteral("two.example"));
    fire(*form->Refresh1);
    EXPECT_EQ(socket->connectionNumber(), 2U);
    EXPECT_EQ(socket->remoteHost(), QStringLiteral("two.example"));
    expectControls(ScanState::Scanning);

    // Begin after Stop connects afresh.
    click(form->Command2);
    go();
    EXPECT_EQ(socket->connectionNumber(), 3U);
}

} // namespace
} // namespace pollwick::test

// The scan controller on the real window: the server-selection gate, Go,
// Stop and the re-query, checked through the controls a person sees.
#include "WindowTest.h"

namespace pollwick::test {
namespace {

// The controls whose own enabled flag is set (a control in a disabled frame
// cannot be used, but keeps its flag for when the frame is enabled again),
// in each scan state, with no box ticked.
const std::string kAwaiting = "RemHost Check1 Command5 ScanCheck WombixCheck MsgCheck WaveCheck "
                              "VersionCheck NameCheck IPCheck GameCheck";
const std::string kReady = "RemHost Frame1 Frame2 Command1 " + kAwaiting.substr(8);
const std::string kScanning = "Frame1 Frame2 Command2 Check1 Command5";

class ScanControllerTest : public WindowTest
{
protected:
    // The controls, as above, then the timers that run and the interval of
    // the re-query.
    [[nodiscard]] std::string controls() const
    {
        QStringList enabled;
        const QWidget* const all[] = {
            form->RemHost,     form->Frame1,   form->Frame2,       form->Command1,
            form->Command2,    form->Check1,   form->Command5,     form->ScanCheck,
            form->WombixCheck, form->MsgCheck, form->MsgMsg,       form->WaveCheck,
            form->WaveFile,    form->Command3, form->VersionCheck, form->Combo2,
            form->NameCheck,   form->FName,    form->IPCheck,      form->fIP,
            form->GameCheck,   form->Combo3};
        for (const QWidget* control : all) {
            if (ownEnabled(control)) {
                enabled << control->objectName();
            }
        }
        return enabled.join(u' ').toStdString() + (form->Timer2->isRunning() ? ", polling" : "") +
            ", re-query " + std::to_string(form->Refresh1->interval());
    }
};

TEST_F(ScanControllerTest, WaitsForAListServerChoiceWithExactComparisons)
{
    EXPECT_EQ(controls(), kAwaiting + ", polling, re-query 0");
    EXPECT_EQ(form->Timer2->interval(), 100);
    // The placeholder and an empty box are no choice; another letter case
    // is a host name like any other; once open, the gate stays open.
    for (const auto& [host, after] :
         {std::pair{"List Server Select", kAwaiting + ", polling"},
          std::pair{"", kAwaiting + ", polling"}, std::pair{"list server select", kReady},
          std::pair{"", kReady}}) {
        form->RemHost->setEditText(QString::fromLatin1(host));
        fire(*form->Timer2);
        EXPECT_EQ(controls(), after + ", re-query 0") << host;
    }
}

TEST_F(ScanControllerTest, GoLocksTheControlsAndStopRestoresThemAsTheBoxesSay)
{
    chooseHost(QStringLiteral("list.example"));
    // Each box switches its own fields on, and off again.
    for (QCheckBox* box : {form->VersionCheck, form->IPCheck, form->GameCheck, form->MsgCheck,
                           form->NameCheck, form->WaveCheck}) {
        click(box);
    }
    EXPECT_EQ(controls(),
              "RemHost Frame1 Frame2 Command1 Check1 Command5 ScanCheck WombixCheck "
              "MsgCheck MsgMsg WaveCheck WaveFile Command3 VersionCheck Combo2 "
              "NameCheck FName IPCheck fIP GameCheck Combo3, re-query 0");
    for (QCheckBox* box : {form->VersionCheck, form->IPCheck, form->GameCheck, form->MsgCheck}) {
        click(box);
    }
    const std::string ready =
        "RemHost Frame1 Frame2 Command1 Check1 Command5 ScanCheck WombixCheck "
        "MsgCheck WaveCheck WaveFile Command3 VersionCheck NameCheck FName "
        "IPCheck GameCheck, re-query 0";
    EXPECT_EQ(controls(), ready);
    click(form->Command1);
    EXPECT_EQ(controls(), kScanning + ", re-query 5000");
    EXPECT_EQ(form->MatchArmed, 1);
    EXPECT_EQ(socket->remoteHost(), QStringLiteral("list.example"));
    EXPECT_EQ(socket->remotePort(), 10057);
    EXPECT_TRUE(socket->isOpen());

    // Every query is a fresh connection to the host in the box now: the box
    // is locked while scanning, but its text is read anew each time.
    form->RemHost->setEditText(QStringLiteral("two.example"));
    fire(*form->Refresh1);
    EXPECT_EQ(socket->connectionNumber(), 2U);
    EXPECT_EQ(socket->remoteHost(), QStringLiteral("two.example"));

    click(form->Command2);
    EXPECT_EQ(controls(), ready);
    // Stop leaves the armed alert, and the connection, for a list on its way.
    EXPECT_EQ(form->MatchArmed, 1);
    EXPECT_TRUE(socket->isOpen());
    go(); // afresh
    EXPECT_EQ(socket->connectionNumber(), 3U);
}

} // namespace
} // namespace pollwick::test

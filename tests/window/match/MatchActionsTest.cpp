// What a match does: the scan ends first, then the sound, the "Server Up"
// box and the game, as the user chose them, and only while the alert is
// armed.
#include "WindowTest.h"

namespace pollwick::test {
namespace {

const QString kNormal = QStringLiteral("/opt/Wombix Normal/wombix");
const QString kAmbrel = QStringLiteral("/opt/Wombix Ambrel/wombix");
const QString kCorvane = QStringLiteral("/opt/Wombix Corvane/wombix");
// The whole text of the box is the program, spaces around it included.
const QString kPellory = QStringLiteral(" /opt/Wombix Pellory/wombix ");

class MatchActionsTest : public WindowTest
{
protected:
    void SetUp() override
    {
        chooseHost(QStringLiteral("127.0.0.1"));
        PathsDialog& paths = form->paths().Paths();
        paths.Normal->setText(kNormal);
        paths.Ambrel->setText(kAmbrel);
        paths.Corvane->setText(kCorvane);
        paths.Pellory->setText(kPellory);
    }

    void tickAlerts(bool sound, bool message, bool launch)
    {
        for (const auto& [box, wanted] :
             {std::pair{form->WaveCheck, sound}, std::pair{form->MsgCheck, message},
              std::pair{form->WombixCheck, launch}}) {
            if (box->isChecked() != wanted) {
                click(box);
            }
        }
    }
    // "Go", and the list server's whole response at once.
    void scan(const QByteArray& response)
    {
        go();
        answer(response);
    }

    // The scan has ended and the alert is disarmed, with the controls as
    // Stop leaves them and the rows up to the matched one in view.
    void expectScanEnded(const QStringList& listed)
    {
        EXPECT_EQ(form->scan().state(), ScanState::Ready);
        EXPECT_FALSE(socket->isOpen());
        EXPECT_EQ(form->MatchArmed, 0);
        EXPECT_EQ(names(), listed);
        EXPECT_TRUE(form->MsgCheck->isEnabled());
        EXPECT_EQ(form->MsgMsg->isEnabled(), form->MsgCheck->isChecked());
    }
};

TEST_F(MatchActionsTest, TheScanEndsBeforeTheSoundThenTheBoxThenTheGame)
{
    click(form->NameCheck);
    replaceText(form->FName, QStringLiteral("target"));
    tickAlerts(true, true, true);
    replaceText(form->WaveFile, QStringLiteral("/sounds/up.wav"));
    replaceText(form->MsgMsg, QStringLiteral("<b>Up</b> & running"));
    const QStringList listed{"Other", "Target"};
    platform.whilePlaying = [&] {
        expectScanEnded(listed);
        EXPECT_TRUE(platform.shown.empty());
    };
    platform.whileShown = [&](const QString&, const QString&) {
        expectScanEnded(listed);
        EXPECT_EQ(platform.played.size(), 1);
        EXPECT_TRUE(platform.started.empty());
    };
    scan("10.0.0.2:7000 ctf 1.24   [2/16] Other\r\n"
         "WOMBIX.Example:7000 battle 1.24   [3/16] Target\r\n"
         "10.0.0.6:7000 battle 1.24   [3/16] After\r\n");
    EXPECT_EQ(platform.played, QStringList("/sounds/up.wav"));
    EXPECT_EQ(platform.shown,
              (std::vector<std::pair<QString, QString>>{{"<b>Up</b> & running", "Server Up"}}));
    // The address as the match test lower-cased it.
    EXPECT_EQ(platform.started,
              (std::vector<QStringList>{{kAmbrel, "-connect", "wombix.example"}}));
    expectScanEnded(listed);
    // Nothing that the user entered is lost.
    EXPECT_EQ(form->FName->text(), QStringLiteral("target"));
    EXPECT_EQ(form->WaveFile->text(), QStringLiteral("/sounds/up.wav"));
    EXPECT_EQ(form->MsgMsg->text(), QStringLiteral("<b>Up</b> & running"));
}

TEST_F(MatchActionsTest, EachEditionStartsTheProgramInItsOwnBox)
{
    tickAlerts(false, false, true);
    // An empty box is passed on as it is.
    for (const auto& [version, program] :
         {std::pair{"1.21  ", kNormal}, std::pair{"1.24  ", kAmbrel}, std::pair{"1.21 x", kCorvane},
          std::pair{"1.24 x", kPellory}, std::pair{"1.24 x", QString()}}) {
        form->paths().Paths().Pellory->setText(program.isEmpty() ? program : kPellory);
        platform.started.clear();
        scan(QByteArray("10.0.0.7:7000 battle ") + version + " [3/16] Versioned\r\n");
        EXPECT_EQ(platform.started, (std::vector<QStringList>{{program, "-connect", "10.0.0.7"}}));
    }
    EXPECT_TRUE(platform.shown.empty());
}

// A match while disarmed (as an earlier match in the scan leaves it) ends
// the walk and runs nothing; the wave file is played as its box reads, the
// initial text too; a list that arrives after Stop still runs the actions.
TEST_F(MatchActionsTest, OnlyTheTickedAlertsRunAndOnlyWhileArmed)
{
    const struct {
        bool armed, stopped, sound, message, launch;
        QStringList played;
        std::size_t shown, started;
    } cases[] = {
        {true, false, false, false, false, {}, 0, 0},
        {true, false, true, false, false, {"Wav Path"}, 0, 0},
        {true, false, false, true, false, {}, 1, 0},
        {true, false, false, false, true, {}, 0, 1},
        {true, true, true, true, true, {"Wav Path"}, 1, 1},
        {false, false, true, true, true, {}, 0, 0},
    };
    for (const auto& c : cases) {
        platform.played.clear();
        platform.shown.clear();
        platform.started.clear();
        tickAlerts(c.sound, c.message, c.launch);
        go();
        if (c.stopped) {
            click(form->Command2);
        }
        form->MatchArmed = c.armed ? 1 : 0;
        answer("10.0.0.1:7000 battle 1.24   [2/16] Alpha\r\n10.0.0.2:7000 ctf [2/16] Beta\r\n");
        EXPECT_EQ(names(), QStringList("Alpha"));
        EXPECT_EQ(platform.played, c.played);
        EXPECT_EQ(platform.shown.size(), c.shown);
        EXPECT_EQ(platform.started.size(), c.started);
        EXPECT_EQ(form->MatchArmed, 0);
        EXPECT_EQ(form->scan().state(),
                  c.armed || c.stopped ? ScanState::Ready : ScanState::Scanning);
        if (form->scan().state() == ScanState::Scanning) {
            click(form->Command2);
        }
    }
}

} // namespace
} // namespace pollwick::test

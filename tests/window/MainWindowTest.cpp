// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window's wiring to the scan engine: the server choice, Go, Stop
// and the re-query reach the engine, the controls follow its state, the
// status line shows its words, and the rows follow the lists, from end to
// end against a list server. (The rules themselves are the engine's, and
// tested there.)
#include "ListServerWindow.h"

namespace pollwick::test {
namespace {

// The controls whose own enabled flag is set (a control in a disabled frame
// cannot be used, but keeps its flag for when the frame is enabled again),
// in each scan state, with no box ticked.
const std::string kAwaiting =
    "hostCombo showListCheck pathsButton privateCheck launchCheck messageCheck waveCheck "
    "versionCheck nameCheck addressCheck gameTypeCheck";
const std::string kReady = "hostCombo criteriaGroup alertsGroup goButton " + kAwaiting.substr(10);
const std::string kScanning = "criteriaGroup alertsGroup stopButton showListCheck pathsButton";

class MainWindowTest : public WindowTest
{
protected:
    // The controls, as above, then whether the poll and the re-query run.
    [[nodiscard]] std::string controls() const
    {
        QStringList enabled;
        const MainControls& c = *ui;
        const QWidget* const all[] = {
            c.hostCombo,     c.criteriaGroup, c.alertsGroup,  c.goButton,       c.stopButton,
            c.showListCheck, c.pathsButton,   c.privateCheck, c.launchCheck,    c.messageCheck,
            c.messageEdit,   c.waveCheck,     c.waveFileEdit, c.waveFileButton, c.versionCheck,
            c.versionCombo,  c.nameCheck,     c.nameEdit,     c.addressCheck,   c.addressEdit,
            c.gameTypeCheck, c.gameTypeCombo};
        for (const QWidget* control : all) {
            // Its own flag, apart from the frame that holds it.
            if (!control->testAttribute(Qt::WA_ForceDisabled)) {
                enabled << control->objectName();
            }
        }
        return enabled.join(u' ').toStdString() +
            (platform.timer(TimerRole::ServerChoice).isActive() ? ", polling" : "") +
            (platform.timer(TimerRole::Requery).isActive() ? ", re-querying" : "");
    }
};

TEST_F(MainWindowTest, TheControlsFollowTheScan)
{
    EXPECT_EQ(platform.timer(TimerRole::ServerChoice).interval(), std::chrono::milliseconds(100));
    // The poll hands the engine the box's text (at first its placeholder,
    // which chooses nothing); once chosen, it stops.
    fire(TimerRole::ServerChoice);
    EXPECT_EQ(controls(), kAwaiting + ", polling");
    ui->hostCombo->setEditText(QStringLiteral("list.example"));
    fire(TimerRole::ServerChoice);
    EXPECT_EQ(controls(), kReady);

    // Each box switches its own fields on, and off again.
    for (QCheckBox* box : {ui->versionCheck, ui->addressCheck, ui->gameTypeCheck, ui->messageCheck,
                           ui->nameCheck, ui->waveCheck}) {
        click(box);
    }
    EXPECT_EQ(controls(),
              "hostCombo criteriaGroup alertsGroup goButton showListCheck pathsButton "
              "privateCheck launchCheck messageCheck messageEdit waveCheck waveFileEdit "
              "waveFileButton versionCheck versionCombo nameCheck nameEdit addressCheck "
              "addressEdit gameTypeCheck gameTypeCombo");
    for (QCheckBox* box :
         {ui->versionCheck, ui->addressCheck, ui->gameTypeCheck, ui->messageCheck, ui->waveCheck}) {
        click(box);
    }
    const std::string ready = "hostCombo criteriaGroup alertsGroup goButton showListCheck "
                              "pathsButton privateCheck launchCheck messageCheck waveCheck "
                              "versionCheck nameCheck nameEdit addressCheck gameTypeCheck";
    EXPECT_EQ(controls(), ready);

    // The engine re-queries on the window's timer; what a tick does is the
    // engine's rule.
    click(ui->goButton);
    EXPECT_EQ(controls(), kScanning + ", re-querying");
    EXPECT_EQ(platform.handed().calls,
              (std::vector<std::string>{"close", "open list.example:10057"}));
    click(ui->stopButton);
    EXPECT_EQ(controls(), ready);
}

TEST_F(MainWindowTest, TheStatusLineShowsTheEnginesWordsWholeInItsToolTip)
{
    EXPECT_EQ(ui->statusLabel->text(), QStringLiteral("Choose a list server to begin."));
    chooseHost(QStringLiteral("list.example"));
    EXPECT_EQ(ui->statusLabel->text(), status());
    EXPECT_EQ(ui->statusLabel->textFormat(), Qt::PlainText); // a found server's name is no markup
    matchNothing();
    go();
    platform.handed().end(ConnectionEnd::Refused);
    // Cut at the label's edge, whole in its tool tip.
    EXPECT_TRUE(ui->statusLabel->text().endsWith(QChar(0x2026)))
        << ui->statusLabel->text().toStdString();
    EXPECT_TRUE(ui->statusLabel->toolTip().contains(QStringLiteral("refused,")))
        << ui->statusLabel->toolTip().toStdString();
}

// Four complete lines and an unfinished one: CR LF and LF-only line ends, a
// colour-coded name, a private server and a Windows-1252 name.
const QByteArray kFourLines = "192.0.2.10:27015 battle 1.24   [3/16] \xa7"
                              "1Spring |Arena\r\n"
                              "private 192.0.2.11:27016 ctf 1.21 x [16/16] Hidden Den\r\n"
                              "198.51.100.7:7000 treasure 1.21 s [0/8] Gold Mine\n"
                              "203.0.113.5:7001      Race 1.24   [12/16] Speed \xe9lite\r\n"
                              "203.0.113.6:7002 battle 1.24   [1/8] Cut Off";

const std::vector<QStringList> kFourRows = {
    {"Spring Arena", "Battle", "1.24", "3/16", "   192.0.2.10"},
    {"Hidden Den", "Ctf", "1.21 x", "16/16", "Private"},
    // LF alone: the name loses its own last character.
    {"Gold Min", "Treasure", "1.21 s", "0/8", "   198.51.100.7"},
    {QStringLiteral("Speed \u00e9lite"), "Race", "1.24", "12/16", "   203.0.113.5"},
};

using MainWindowEndToEnd = ListServerWindow;

TEST_F(MainWindowEndToEnd, GoQueriesAtOnceAndEachTickAgainReplacingTheRows)
{
    matchNothing();
    server.setResponse(kFourLines);
    click(ui->goButton);
    // No timer has ticked: "Go" itself makes the first query.
    ASSERT_TRUE(waitForResponse(1));
    EXPECT_EQ(rows(), kFourRows);
    // The line that the list server left unfinished cuts the list off.
    EXPECT_EQ(status(),
              QStringLiteral("12:00:00  %1: list cut off in the middle of a line, "
                             "trying every 5 s.")
                  .arg(serverHost()));

    // No version marker: nothing is carried over from the last response.
    server.setResponse("192.0.2.99:7000 ctf [1/4] Lone Wolf\r\n");
    requery();
    ASSERT_TRUE(waitForResponse(2));
    EXPECT_EQ(rows(), (std::vector<QStringList>{{"Lone Wolf", "Ctf", "", "1/4", "   192.0.2.99"}}));
    EXPECT_EQ(ui->statusLabel->text(), QStringLiteral("12:00:00  1 server listed"));
    EXPECT_EQ(engine().state(), ScanState::Scanning);
}

} // namespace
} // namespace pollwick::test

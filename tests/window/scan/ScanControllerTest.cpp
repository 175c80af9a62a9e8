// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The scan controller on the real window: the server-selection gate, Go,
// Stop and the re-query, checked through the controls a person sees.
#include "WindowTest.h"

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

class ScanControllerTest : public WindowTest
{
protected:
    // The controls, as above, then the timers that run and the interval of
    // the re-query.
    [[nodiscard]] std::string controls() const
    {
        QStringList enabled;
        const QWidget* const all[] = {
            form->hostCombo,     form->criteriaGroup,  form->alertsGroup,  form->goButton,
            form->stopButton,    form->showListCheck,  form->pathsButton,  form->privateCheck,
            form->launchCheck,   form->messageCheck,   form->messageEdit,  form->waveCheck,
            form->waveFileEdit,  form->waveFileButton, form->versionCheck, form->versionCombo,
            form->nameCheck,     form->nameEdit,       form->addressCheck, form->addressEdit,
            form->gameTypeCheck, form->gameTypeCombo};
        for (const QWidget* control : all) {
            // Its own flag, apart from the frame that holds it.
            if (!control->testAttribute(Qt::WA_ForceDisabled)) {
                enabled << control->objectName();
            }
        }
        return enabled.join(u' ').toStdString() +
            (static_cast<ManualTimer*>(form->serverChoiceTimer)->isRunning() ? ", polling" : "") +
            ", re-query " + std::to_string(form->requeryTimer->interval());
    }
};

TEST_F(ScanControllerTest, WaitsForAListServerChoiceWithExactComparisons)
{
    EXPECT_EQ(controls(), kAwaiting + ", polling, re-query 0");
    EXPECT_EQ(form->serverChoiceTimer->interval(), 100);
    // The placeholder and an empty box are no choice; another letter case
    // is a host name like any other; once open, the gate stays open.
    for (const auto& [host, after] :
         {std::pair{"List Server Select", kAwaiting + ", polling"},
          std::pair{"", kAwaiting + ", polling"}, std::pair{"list server select", kReady},
          std::pair{"", kReady}}) {
        form->hostCombo->setEditText(QString::fromLatin1(host));
        fire(*form->serverChoiceTimer);
        EXPECT_EQ(controls(), after + ", re-query 0") << host;
    }
}

TEST_F(ScanControllerTest, GoLocksTheControlsAndStopRestoresThemAsTheBoxesSay)
{
    chooseHost(QStringLiteral("list.example"));
    // Each box switches its own fields on, and off again.
    for (QCheckBox* box : {form->versionCheck, form->addressCheck, form->gameTypeCheck,
                           form->messageCheck, form->nameCheck, form->waveCheck}) {
        click(box);
    }
    EXPECT_EQ(
        controls(),
        "hostCombo criteriaGroup alertsGroup goButton showListCheck pathsButton privateCheck "
        "launchCheck "
        "messageCheck messageEdit waveCheck waveFileEdit waveFileButton versionCheck versionCombo "
        "nameCheck nameEdit addressCheck addressEdit gameTypeCheck gameTypeCombo, re-query 0");
    for (QCheckBox* box :
         {form->versionCheck, form->addressCheck, form->gameTypeCheck, form->messageCheck}) {
        click(box);
    }
    const std::string ready =
        "hostCombo criteriaGroup alertsGroup goButton showListCheck pathsButton privateCheck "
        "launchCheck "
        "messageCheck waveCheck waveFileEdit waveFileButton versionCheck nameCheck nameEdit "
        "addressCheck gameTypeCheck, re-query 0";
    EXPECT_EQ(controls(), ready);
    click(form->goButton);
    EXPECT_EQ(controls(), kScanning + ", re-query 5000");
    EXPECT_EQ(form->session().isArmed(), true);
    EXPECT_EQ(socket->remoteHost(), QStringLiteral("list.example"));
    EXPECT_EQ(socket->remotePort(), 10057);
    EXPECT_TRUE(socket->isOpen());

    // Every query is a fresh connection to the host in the box now: the box
    // is locked while scanning, but its text is read anew each time.
    form->hostCombo->setEditText(QStringLiteral("two.example"));
    fire(*form->requeryTimer);
    EXPECT_EQ(socket->connectionNumber(), 2U);
    EXPECT_EQ(socket->remoteHost(), QStringLiteral("two.example"));

    click(form->stopButton);
    EXPECT_EQ(controls(), ready);
    // Stop leaves the armed alert, and the connection, for a list on its way.
    EXPECT_EQ(form->session().isArmed(), true);
    EXPECT_TRUE(socket->isOpen());
    go(); // afresh
    EXPECT_EQ(socket->connectionNumber(), 3U);
}

} // namespace
} // namespace pollwick::test

// What a match does: the scan ends first, then the desktop notification, the
// sound, the "Server Up" box and the game, as the user chose them; and the
// wave-file chooser.
#include "ListServerWindow.h"
#include "platform/ClientSocket.h"
#include "platform/Timer.h"
#include "platform/qt/DBusNotifier.h"
#include "window/scan/ScanController.h"
#include "window/settings/GamePathsController.h"
#include "window/settings/PathsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <string>

namespace pollwick {
namespace {

const QString kNormal = QStringLiteral("/opt/Wombix Normal/wombix");
const QString kAmbrel = QStringLiteral("/opt/Wombix Ambrel/wombix");
const QString kCorvane = QStringLiteral("/opt/Wombix Corvane/wombix");
// The whole text of the box is the program, spaces around it included.
const QString kPellory = QStringLiteral(" /opt/Wombix Pellory/wombix ");

QByteArray line(const char* address, const char* version, const char* name)
{
    return QByteArray(address) + ":7000 battle " + version + " [3/16] " + name + "\r\n";
}

class MatchActionsTest : public test::ListServerWindow
{
protected:
    void SetUp() override
    {
        ListServerWindow::SetUp();
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

    // The scan has ended and the alert is disarmed, with the controls as
    // Stop leaves them and the rows up to `matched` in view.
    void expectScanEnded(int rows, const QString& matched)
    {
        EXPECT_EQ(form->scan().state(), ScanState::Ready);
        EXPECT_FALSE(form->Winsock1->isOpen());
        EXPECT_EQ(form->MatchArmed, 0);
        EXPECT_EQ(rowCount(), rows);
        EXPECT_EQ(lastRowName(), matched);
        EXPECT_TRUE(form->Command1->isEnabled());
        EXPECT_FALSE(form->Command2->isEnabled());
        EXPECT_TRUE(form->RemHost->isEnabled());
        for (QCheckBox* box : {form->MsgCheck, form->WaveCheck, form->GameCheck}) {
            EXPECT_TRUE(box->isEnabled()) << box->objectName().toStdString();
        }
        EXPECT_EQ(form->Combo3->isEnabled(), form->GameCheck->isChecked());
        EXPECT_EQ(form->MsgMsg->isEnabled(), form->MsgCheck->isChecked());
    }

    std::vector<test::FakeLauncher::Started>& launched() { return platform.games.started; }
};

// Each match is also passed on to the real notifier, on a bus where nothing
// listens, or not at all: a desktop without a session bus changes nothing.
class MatchActionsOrder : public MatchActionsTest, public ::testing::WithParamInterface<bool>
{ };

TEST_P(MatchActionsOrder, TheScanEndsBeforeTheNoticeThenTheSoundThenTheBoxThenTheGame)
{
    DBusNotifier withoutBus(QDBusConnection::connectToBus(
        QStringLiteral("unix:path=/nonexistent/bus"), QStringLiteral("pollwick-no-bus")));
    if (GetParam()) {
        platform.notices.passOn = &withoutBus;
    }
    server.setResponse("10.0.0.1:7000 battle 1.24   [16/16] Full\r\n"
                       "10.0.0.2:7000 ctf 1.24   [2/16] Other\r\n"
                       "10.0.0.5:7000 battle 1.24   [3/16] Target\r\n"
                       "10.0.0.6:7000 battle 1.24   [3/16] After\r\n");
    click(form->GameCheck);
    replaceText(form->Combo3, QStringLiteral("battle"));
    tickAlerts(true, true, true);
    replaceText(form->WaveFile, QStringLiteral("/sounds/up.wav"));
    replaceText(form->MsgMsg, QStringLiteral("<b>Up</b> & running"));

    std::vector<std::string> order;
    platform.notices.whilePosting = [&](const test::FakeNotifier::Posted& notice) {
        order.push_back("notice " + notice.title.toStdString() + ": " + notice.body.toStdString());
        expectScanEnded(3, QStringLiteral("Target"));
    };
    platform.sounds.whilePlaying = [&](const QString& path) {
        order.push_back("sound " + path.toStdString());
        expectScanEnded(3, QStringLiteral("Target"));
        EXPECT_TRUE(platform.messages.shown.empty());
    };
    platform.messages.whileShown = [&](const test::FakeMessageBox::Shown& box) {
        order.push_back("box " + box.title.toStdString() + ": " + box.prompt.toStdString());
        expectScanEnded(3, QStringLiteral("Target"));
        EXPECT_TRUE(launched().empty());
    };
    ASSERT_TRUE(goAndWait());

    EXPECT_EQ(
        order,
        (std::vector<std::string>{"notice Server Up: Target\n3/16 players\n10.0.0.5",
                                  "sound /sounds/up.wav", "box Server Up: <b>Up</b> & running"}));
    ASSERT_EQ(launched().size(), 1U);
    EXPECT_EQ(launched()[0].program, kAmbrel);
    EXPECT_EQ(launched()[0].arguments, QStringList({"-connect", "10.0.0.5"}));
    expectScanEnded(3, QStringLiteral("Target"));
    // Nothing that the user entered is lost.
    EXPECT_EQ(form->Combo3->currentText(), QStringLiteral("battle"));
    EXPECT_EQ(form->WaveFile->text(), QStringLiteral("/sounds/up.wav"));
    EXPECT_EQ(form->MsgMsg->text(), QStringLiteral("<b>Up</b> & running"));
    EXPECT_EQ(form->RemHost->currentText(), server.address().toString());
}

INSTANTIATE_TEST_SUITE_P(Notifier, MatchActionsOrder, ::testing::Bool(),
                         [](const auto& test) { return test.param ? "WithoutBus" : "Recorded"; });

TEST_F(MatchActionsTest, EachVersionStartsTheEditionThatPlaysIt)
{
    tickAlerts(false, false, true);
    const std::pair<const char*, QString> versions[] = {
        {"1.21  ", kNormal},  {"1.21 s", kNormal},  {"1.21\x14\x14", kNormal},
        {"1.24  ", kAmbrel},  {"1.24 s", kAmbrel},  {"1.24\x14\x14", kAmbrel},
        {"1.21 x", kCorvane}, {"1.24 x", kPellory},
    };
    for (const auto& [version, program] : versions) {
        SCOPED_TRACE(version);
        launched().clear();
        server.setResponse(line("10.0.0.7", version, "Versioned"));
        ASSERT_TRUE(goAndWait());
        ASSERT_EQ(launched().size(), 1U);
        EXPECT_EQ(launched()[0].program, program);
        EXPECT_EQ(launched()[0].arguments, QStringList({"-connect", "10.0.0.7"}));
    }

    // An empty box is passed on as it is; nothing is shown.
    form->paths().Paths().Corvane->clear();
    launched().clear();
    server.setResponse(line("10.0.0.7", "1.21 x", "Versioned"));
    ASSERT_TRUE(goAndWait());
    ASSERT_EQ(launched().size(), 1U);
    EXPECT_TRUE(launched()[0].program.isEmpty());
    EXPECT_TRUE(platform.messages.shown.empty());
}

TEST_F(MatchActionsTest, TheInitialWaveTextIsPlayedAsItStands)
{
    tickAlerts(true, false, false);
    server.setResponse(line("10.0.0.1", "1.24  ", "Loud"));
    ASSERT_TRUE(goAndWait());
    EXPECT_EQ(platform.sounds.played, QStringList{"Wav Path"});
}

TEST_F(MatchActionsTest, TheWaveChooserChangesTheTextOnlyWhenAFileIsChosen)
{
    click(form->WaveCheck);
    auto& files = platform.files;
    files.answers = {std::nullopt, QStringLiteral("/home/me/Sounds/ding dong.wav"), std::nullopt};

    click(form->Command3); // cancelled
    EXPECT_EQ(form->WaveFile->text(), QStringLiteral("Wav Path"));
    click(form->Command3);
    EXPECT_EQ(form->WaveFile->text(), QStringLiteral("/home/me/Sounds/ding dong.wav"));
    click(form->Command3); // cancelled again: the choice stays
    EXPECT_EQ(form->WaveFile->text(), QStringLiteral("/home/me/Sounds/ding dong.wav"));

    ASSERT_EQ(files.calls.size(), 3U);
    // The chooser opens where it was left.
    EXPECT_EQ(files.calls[2].initialFile, QStringLiteral("/home/me/Sounds/ding dong.wav"));
}

} // namespace
} // namespace pollwick

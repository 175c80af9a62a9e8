// What a match does: the scan ends first, then the sound, the "Server Up"
// box and the game, as the user chose them; and the wave-file chooser.
#include "ListServerWindow.h"
#include "platform/ClientSocket.h"
#include "platform/Timer.h"
#include "scan/ListExchange.h"
#include "scan/ScanController.h"
#include "settings/GamePathsController.h"
#include "settings/PathsDialog.h"

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
        EXPECT_EQ(form->Refresh1->interval(), 0);
        EXPECT_FALSE(form->Winsock1->isOpen());
        EXPECT_EQ(form->MatchArmed, 0);
        EXPECT_EQ(form->ListView1->rows(), rows);
        EXPECT_EQ(lastRowName(), matched);
        for (QWidget* control : std::initializer_list<QWidget*>{
                 form->RemHost, form->Command1, form->ScanCheck, form->WombixCheck, form->MsgCheck,
                 form->WaveCheck, form->VersionCheck, form->NameCheck, form->IPCheck,
                 form->GameCheck}) {
            EXPECT_TRUE(control->isEnabled()) << control->objectName().toStdString();
        }
        EXPECT_FALSE(form->Command2->isEnabled());
        const std::pair<QWidget*, QCheckBox*> fields[] = {
            {form->MsgMsg, form->MsgCheck},    {form->WaveFile, form->WaveCheck},
            {form->Command3, form->WaveCheck}, {form->Combo2, form->VersionCheck},
            {form->FName, form->NameCheck},    {form->fIP, form->IPCheck},
            {form->Combo3, form->GameCheck},
        };
        for (const auto& [field, box] : fields) {
            EXPECT_EQ(field->isEnabled(), box->isChecked()) << field->objectName().toStdString();
        }
    }

    std::vector<test::FakeLauncher::Started>& launched() { return platform.games.started; }
};

TEST_F(MatchActionsTest, TheScanEndsBeforeTheSoundThenTheBoxThenTheGame)
{
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
        (std::vector<std::string>{"sound /sounds/up.wav", "box Server Up: <b>Up</b> & running"}));
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

TEST_F(MatchActionsTest, APrivateServerAlertsButIsNeverLaunched)
{
    click(form->ScanCheck);
    tickAlerts(true, true, true);
    server.setResponse(line("private 10.0.0.9", "1.24  ", "Secret"));
    ASSERT_TRUE(goAndWait());
    EXPECT_EQ(platform.sounds.played.size(), 1);
    EXPECT_EQ(platform.messages.shown.size(), 1U);
    EXPECT_TRUE(launched().empty());
}

TEST_F(MatchActionsTest, AHostileAddressReachesTheGameAsOneArgument)
{
    tickAlerts(false, false, true);
    server.setResponse(line("Evil.EXAMPLE ; rm -rf ~ & \"x y\"", "1.24  ", "Evil"));
    ASSERT_TRUE(goAndWait());
    ASSERT_EQ(launched().size(), 1U);
    EXPECT_EQ(launched()[0].program, kAmbrel);
    EXPECT_EQ(launched()[0].arguments,
              QStringList({"-connect", "evil.example ; rm -rf ~ & \"x y\""}));
}

TEST_F(MatchActionsTest, FieldsCarriedOverFromTheLineBeforeNeverLaunch)
{
    click(form->NameCheck);
    replaceText(form->FName, QStringLiteral("second"));
    tickAlerts(true, true, true);
    // No ":": the record still holds the first line's address.
    const QByteArray noAddress = "battle 1.24   [1/16] Second\r\n";
    // A version last on the line is no marker: the record keeps "1.24".
    const QByteArray noVersion = "10.0.0.2:7000 battle [1/16] Second 1.24\r\n";
    for (const QByteArray& second : {noAddress, noVersion}) {
        SCOPED_TRACE(second.toStdString());
        server.setResponse(line("10.0.0.1", "1.24  ", "First") + second);
        ASSERT_TRUE(goAndWait());
        EXPECT_EQ(form->ListView1->rows(), 2);
        EXPECT_EQ(form->ListView1->text(1, 2), QStringLiteral("1.24"));
        EXPECT_TRUE(launched().empty());
    }
    // The alerts themselves come as chosen.
    EXPECT_EQ(platform.sounds.played.size(), 2);
    EXPECT_EQ(platform.messages.shown.size(), 2U);
}

TEST_F(MatchActionsTest, WithNoAlertTickedAMatchOnlyEndsTheScan)
{
    server.setResponse(line("10.0.0.1", "1.24  ", "Quiet") + line("10.0.0.2", "1.24  ", "Next"));
    ASSERT_TRUE(goAndWait());
    expectScanEnded(1, QStringLiteral("Quiet"));
    EXPECT_TRUE(platform.sounds.played.isEmpty());
    EXPECT_TRUE(platform.messages.shown.empty());
    EXPECT_TRUE(launched().empty());
}

TEST_F(MatchActionsTest, TheInitialWaveTextIsPlayedAsItStands)
{
    tickAlerts(true, false, false);
    server.setResponse(line("10.0.0.1", "1.24  ", "Loud"));
    ASSERT_TRUE(goAndWait());
    EXPECT_EQ(platform.sounds.played, QStringList{"Wav Path"});
}

TEST_F(MatchActionsTest, GoAfterAMatchStartsANewArmedScan)
{
    tickAlerts(false, true, false);
    server.setResponse(line("10.0.0.1", "1.24  ", "First Up"));
    ASSERT_TRUE(goAndWait());
    ASSERT_EQ(platform.messages.shown.size(), 1U);

    server.setResponse(line("10.0.0.2", "1.24  ", "Second Up"));
    click(form->Command1);
    EXPECT_EQ(form->MatchArmed, 1);
    EXPECT_EQ(form->scan().state(), ScanState::Scanning);
    EXPECT_EQ(lastRowName(), QStringLiteral("First Up")); // until the new list comes
    ASSERT_TRUE(waitForResponse(2));
    EXPECT_EQ(platform.messages.shown.size(), 2U);
    expectScanEnded(1, QStringLiteral("Second Up"));
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
    for (const auto& call : files.calls) {
        EXPECT_EQ(call.filter, QStringLiteral("Wave Files|*.wav"));
    }
    // The chooser opens where it was left.
    EXPECT_EQ(files.calls[2].initialFile, QStringLiteral("/home/me/Sounds/ding dong.wav"));
}

} // namespace
} // namespace pollwick

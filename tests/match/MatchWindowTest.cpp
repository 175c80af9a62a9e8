// The match test as the user sets it up: criteria typed and ticked in the
// real controls, a list server's response, and which server the walk stops
// at.
#include "ListServerWindow.h"
#include "platform/ClientSocket.h"
#include "scan/ListExchange.h"
#include "scan/ResponseWalk.h"
#include "scan/ScanController.h"
#include "ui/Controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace pollwick {
namespace {

const QString kNoMatch = QStringLiteral("(no match)");

// Public servers, none of them full.
const QByteArray kCandidates = "10.0.0.1:7000 battle 1.24 x [2/16] Alpha Crab\r\n"
                               "10.0.0.2:7000 ctf 1.21   [2/16] xxABCxx\r\n"
                               "10.0.0.3:7000 treasure 1.24   [2/16] Gold Rush\r\n"
                               "10.0.0.4:7000 1.21 s      Race [2/16] Speedway\r\n"
                               "10.0.0.5:7000 battle 1.24 s [2/16] \xe9t\x9a\r\n"
                               "10.0.0.6:7000 battle 1.24 s [2/16] a?b\r\n";

class MatchWindowTest : public test::ListServerWindow
{
protected:
    // Scans once and returns the name of the server that ended the scan, or
    // kNoMatch (after pressing Stop) when the whole response went by.
    QString scanForMatch()
    {
        EXPECT_TRUE(goAndWait());
        if (form->scan().state() == ScanState::Scanning) {
            click(form->Command2);
            return kNoMatch;
        }
        return lastRowName();
    }
};

// --- Criteria from the controls ----------------------------------------------

TEST_F(MatchWindowTest, WithEveryBoxUntickedTheFirstServerNeitherPrivateNorFullMatches)
{
    server.setResponse("private 10.0.0.1:7000 battle 1.24   [2/16] Hidden\r\n"
                       "10.0.0.2:7000 battle 1.24   [16/16] Packed\r\n"
                       "Host-Three.EXAMPLE:7000 ctf 1.21 x [3/16] Third\r\n"
                       "10.0.0.4:7000 coop 1.21   [3/16] Fourth\r\n"
                       "10.0.0.5:7000 race 1.24 s [3/16] Fifth\r\n");
    EXPECT_EQ(scanForMatch(), QStringLiteral("Third"));

    // The walk ended at the third line: the last two were split off but
    // never parsed, listed or tested.
    EXPECT_EQ(form->ListView1->rows(), 3);
    const ResponseWalk& walk = form->exchange().walk();
    EXPECT_EQ(walk.servList().size(), 5U);
    EXPECT_EQ(walk.currentEntry(), 2U);
    EXPECT_EQ(walk.workingRecord().serverName, "Third");
    EXPECT_EQ(walk.workingRecord().version, "1.21 x");
    // The test lower-cased the record's address after the row had copied it.
    EXPECT_EQ(walk.workingRecord().ipAddress, "   host-three.example");
    EXPECT_EQ(form->ListView1->text(2, 4), QStringLiteral("   Host-Three.EXAMPLE"));
    EXPECT_EQ(form->ListView1->text(0, 4), QStringLiteral("Private"));
}

TEST_F(MatchWindowTest, NameCriterionLooksForAPieceOfTheNameInAnyLetterCase)
{
    server.setResponse(kCandidates);
    click(form->NameCheck);
    replaceText(form->FName, QStringLiteral("abc"));
    EXPECT_EQ(scanForMatch(), QStringLiteral("xxABCxx"));
    replaceText(form->FName, QStringLiteral("ab c"));
    EXPECT_EQ(scanForMatch(), kNoMatch);
    // An empty piece is found in any name, but not in an empty one.
    replaceText(form->FName, QString());
    server.setResponse("10.0.0.9:7000 battle 1.24   [2/16]\r\n" + kCandidates);
    EXPECT_EQ(scanForMatch(), QStringLiteral("Alpha Crab"));
    EXPECT_EQ(form->ListView1->rows(), 2);
}

TEST_F(MatchWindowTest, TypedCriteriaAreReadInTheListServersCodePage)
{
    server.setResponse(kCandidates);
    click(form->NameCheck);
    // Capitals of Windows-1252, one of them outside Latin-1, match the
    // lower-case bytes 0xE9 and 0x9A.
    replaceText(form->FName, QStringLiteral("\u00c9T\u0160"));
    ASSERT_EQ(form->FName->text(), QStringLiteral("\u00c9T\u0160"));
    EXPECT_EQ(scanForMatch(), QStringLiteral("\u00e9t\u0161"));

    // A character the code page lacks becomes "?": it neither vanishes
    // (which would match "Alpha Crab") nor matches anything else.
    replaceText(form->FName, QStringLiteral("a\u0416b"));
    ASSERT_EQ(form->FName->text(), QStringLiteral("a\u0416b"));
    EXPECT_EQ(scanForMatch(), QStringLiteral("a?b"));
}

TEST_F(MatchWindowTest, VersionCriterionWantsTheExactText)
{
    server.setResponse(kCandidates);
    click(form->VersionCheck);
    replaceText(form->Combo2, QStringLiteral("1.24"));
    EXPECT_EQ(scanForMatch(), QStringLiteral("Gold Rush"));
    replaceText(form->Combo2, QStringLiteral("1.24 X"));
    EXPECT_EQ(scanForMatch(), kNoMatch);
    form->Combo2->setCurrentIndex(form->Combo2->findText(QStringLiteral("1.21 s")));
    EXPECT_EQ(scanForMatch(), QStringLiteral("Speedway"));
}

TEST_F(MatchWindowTest, GameTypeAndAddressCriteriaLookForAPiece)
{
    server.setResponse(kCandidates);
    click(form->GameCheck);
    replaceText(form->Combo3, QStringLiteral("r")); // Battle and Ctf have none
    EXPECT_EQ(scanForMatch(), QStringLiteral("Gold Rush"));
    replaceText(form->Combo3, QStringLiteral("Race"));
    EXPECT_EQ(scanForMatch(), QStringLiteral("Speedway"));

    // Every criterion in force must hold.
    replaceText(form->Combo3, QStringLiteral("battle"));
    click(form->IPCheck);
    replaceText(form->fIP, QStringLiteral(".0.6"));
    EXPECT_EQ(scanForMatch(), QStringLiteral("a?b"));
    click(form->GameCheck);
    replaceText(form->fIP, QStringLiteral("IP Address")); // the initial text
    EXPECT_EQ(scanForMatch(), kNoMatch);
}

TEST_F(MatchWindowTest, PrivateServersArePassedOverUnlessIncluded)
{
    server.setResponse("private 10.0.0.9:7000 battle 1.24   [2/16] Secret\r\n"
                       "10.0.0.1:7000 battle 1.24   [2/16] Open\r\n");
    EXPECT_EQ(scanForMatch(), QStringLiteral("Open"));
    EXPECT_EQ(form->ListView1->rows(), 2);

    // Included, it matches like any other.
    click(form->ScanCheck);
    EXPECT_EQ(scanForMatch(), QStringLiteral("Secret"));
    EXPECT_EQ(form->ListView1->rows(), 1);

    // The address criterion sees the text "Private".
    click(form->IPCheck);
    replaceText(form->fIP, QStringLiteral("priv"));
    EXPECT_EQ(scanForMatch(), QStringLiteral("Secret"));
    click(form->ScanCheck);
    EXPECT_EQ(scanForMatch(), kNoMatch);
}

TEST_F(MatchWindowTest, FullServersArePassedOver)
{
    server.setResponse("10.0.0.1:7000 battle 1.24   [16/16] Packed\r\n"
                       "10.0.0.2:7000 battle 1.24   [1/1] Duel\r\n"
                       "10.0.0.3:7000 battle 1.24   [0/0] Empty\r\n");
    EXPECT_EQ(scanForMatch(), QStringLiteral("Empty"));

    // Spaces around the counts are ignored; counts that do not read never
    // make a server full.
    server.setResponse("10.0.0.1:7000 battle 1.24   [ 8 / 8 ] Spaced\r\n"
                       "10.0.0.2:7000 battle 1.24   [3/x] Odd Count\r\n");
    EXPECT_EQ(scanForMatch(), QStringLiteral("Odd Count"));
}

// --- The armed flag ----------------------------------------------------------

TEST_F(MatchWindowTest, GoArmsTheAlertAndAMatchDisarmsIt)
{
    EXPECT_EQ(form->MatchArmed, 0);
    click(form->MsgCheck);
    server.setResponse(kCandidates);
    click(form->Command1);
    EXPECT_EQ(form->MatchArmed, 1);
    ASSERT_TRUE(waitForResponse());
    EXPECT_EQ(form->MatchArmed, 0);
    EXPECT_EQ(platform.messages.shown.size(), 1U);
}

TEST_F(MatchWindowTest, AMatchWhileDisarmedEndsTheWalkButRunsNoActions)
{
    click(form->MsgCheck);
    click(form->WaveCheck);
    // In pieces: the pieces after the match are read but not walked.
    server.setResponse(kCandidates);
    server.setChunking(50, 10);
    click(form->Command1);
    form->MatchArmed = 0; // as a match earlier in the scan would leave it
    ASSERT_TRUE(waitForResponse());

    EXPECT_EQ(form->ListView1->rows(), 1);
    EXPECT_EQ(lastRowName(), QStringLiteral("Alpha Crab"));
    EXPECT_TRUE(platform.sounds.played.isEmpty());
    EXPECT_TRUE(platform.messages.shown.empty());
    EXPECT_EQ(form->scan().state(), ScanState::Scanning);
    EXPECT_EQ(form->MatchArmed, 0);
}

TEST_F(MatchWindowTest, PassingOverAServerArmsTheAlertAgain)
{
    click(form->MsgCheck);
    const QByteArray packed = "10.0.0.1:7000 battle 1.24   [4/4] Packed\r\n";
    server.setResponse(packed);
    click(form->Command1);
    form->MatchArmed = 0;
    ASSERT_TRUE(waitForResponse(1));
    EXPECT_EQ(form->MatchArmed, 1);

    // So a match after a pass-over alerts even when the flag was down.
    server.setResponse(packed + "10.0.0.2:7000 battle 1.24   [2/4] Room\r\n");
    form->MatchArmed = 0;
    fire(*form->Refresh1);
    ASSERT_TRUE(waitForResponse(2));
    EXPECT_EQ(platform.messages.shown.size(), 1U);
    EXPECT_EQ(form->scan().state(), ScanState::Ready);
    EXPECT_EQ(form->MatchArmed, 0);
}

// --- The boxes that switch their fields --------------------------------------

TEST_F(MatchWindowTest, EachBoxSwitchesItsOwnFieldAndLeavesTheText)
{
    const struct {
        QCheckBox* box;
        std::vector<QWidget*> fields;
    } boxes[] = {
        {form->VersionCheck, {form->Combo2}}, {form->NameCheck, {form->FName}},
        {form->IPCheck, {form->fIP}},         {form->GameCheck, {form->Combo3}},
        {form->MsgCheck, {form->MsgMsg}},     {form->WaveCheck, {form->WaveFile, form->Command3}},
    };
    const std::vector<QWidget*> all = {form->Combo2, form->FName,    form->fIP,     form->Combo3,
                                       form->MsgMsg, form->WaveFile, form->Command3};
    const auto texts = [&] {
        return QStringList{form->Combo2->currentText(), form->FName->text(),
                           form->fIP->text(),           form->Combo3->currentText(),
                           form->MsgMsg->text(),        form->WaveFile->text()};
    };
    const QStringList before = texts();
    for (const auto& [box, fields] : boxes) {
        SCOPED_TRACE(box->objectName().toStdString());
        for (const bool ticked : {true, false}) {
            click(box);
            ASSERT_EQ(isTicked(box), ticked);
            for (QWidget* field : all) {
                const bool own = std::find(fields.begin(), fields.end(), field) != fields.end();
                EXPECT_EQ(field->isEnabled(), own && ticked) << field->objectName().toStdString();
            }
        }
    }
    EXPECT_EQ(texts(), before);
}

} // namespace
} // namespace pollwick

// The match test as the user sets it up: criteria typed and ticked in the
// real controls, a list server's response, and which server the walk stops
// at.
#include "ListServerWindow.h"
#include "core/scan/ResponseWalk.h"
#include "window/Controls.h"
#include "window/ServerListView.h"
#include "window/scan/ListExchange.h"
#include "window/scan/ScanController.h"

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
    // No alert is ticked: the match only ended the scan.
    EXPECT_TRUE(platform.sounds.played.isEmpty());
    EXPECT_TRUE(platform.messages.shown.empty());
    EXPECT_TRUE(platform.games.started.empty());
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

TEST_F(MatchWindowTest, EachCriterionReadsItsOwnFieldAndAllMustHold)
{
    server.setResponse(kCandidates);
    // Each box alone: the version is compared exactly ("1.24 x" comes
    // first), the other texts are pieces in any letter case.
    const struct {
        QCheckBox* box;
        QWidget* field;
        QString text;
        QString matched;
    } criteria[] = {
        {form->NameCheck, form->FName, QStringLiteral("abc"), QStringLiteral("xxABCxx")},
        {form->VersionCheck, form->Combo2->lineEdit(), QStringLiteral("1.24"),
         QStringLiteral("Gold Rush")},
        {form->GameCheck, form->Combo3->lineEdit(), QStringLiteral("r"),
         QStringLiteral("Gold Rush")},
        {form->IPCheck, form->fIP, QStringLiteral(".0.4"), QStringLiteral("Speedway")},
    };
    for (const auto& c : criteria) {
        SCOPED_TRACE(c.box->objectName().toStdString());
        click(c.box);
        replaceText(c.field, c.text);
        EXPECT_EQ(scanForMatch(), c.matched);
        click(c.box);
    }

    // Together: the first battle server on an address with ".0.6".
    click(form->GameCheck);
    replaceText(form->Combo3, QStringLiteral("battle"));
    click(form->IPCheck);
    replaceText(form->fIP, QStringLiteral(".0.6"));
    EXPECT_EQ(scanForMatch(), QStringLiteral("a?b"));
    replaceText(form->fIP, QStringLiteral("IP Address")); // the initial text
    EXPECT_EQ(scanForMatch(), kNoMatch);
}

TEST_F(MatchWindowTest, PrivateServersArePassedOverUnlessIncluded)
{
    server.setResponse("private 10.0.0.9:7000 battle 1.24   [2/16] Secret\r\n"
                       "10.0.0.1:7000 battle 1.24   [2/16] Open\r\n");
    EXPECT_EQ(scanForMatch(), QStringLiteral("Open"));
    click(form->ScanCheck);
    EXPECT_EQ(scanForMatch(), QStringLiteral("Secret"));
    // The desktop notification gives no address for it.
    EXPECT_EQ(platform.notices.posted.back().body,
              QStringLiteral("Secret\n2/16 players\nprivate server"));
}

TEST_F(MatchWindowTest, TheComboBoxesKeepTheirTextExactlyAsTyped)
{
    // No completion, no case change, and Return adds no item: the item lists
    // are fixed.
    click(form->VersionCheck);
    click(form->GameCheck);
    const struct {
        QComboBox* box;
        QString typed;
    } combos[] = {
        {form->Combo2, QStringLiteral("1.24 X")},
        {form->Combo3, QStringLiteral("r")},
        {form->RemHost, QStringLiteral("LIST.wombix.net")},
    };
    for (const auto& [box, typed] : combos) {
        SCOPED_TRACE(box->objectName().toStdString());
        const int items = box->count();
        box->lineEdit()->setFocus();
        replaceText(box, typed);
        QTest::keyClick(box->lineEdit(), Qt::Key_Return);
        form->FName->setFocus(); // leaving the box
        EXPECT_EQ(box->currentText(), typed);
        EXPECT_EQ(box->count(), items);
    }

    // "1.24 X" is no version; "r" is a piece of Race and Treasure alike.
    replaceText(form->RemHost, serverHost());
    server.setResponse(kCandidates);
    EXPECT_EQ(scanForMatch(), kNoMatch);
    click(form->VersionCheck);
    EXPECT_EQ(scanForMatch(), QStringLiteral("Gold Rush"));
}

// --- The armed flag ----------------------------------------------------------

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

// The match test as the user sets it up: criteria typed and ticked in the
// real controls, a list server's response, and which server the walk stops
// at.
#include "WindowTest.h"

#include <algorithm>

namespace pollwick::test {
namespace {

const QString kNoMatch = QStringLiteral("(no match)");

// A private server, then public ones, none of them full.
const QByteArray kCandidates = "private 10.0.0.9:7000 battle 1.24   [2/16] Secret\r\n"
                               "10.0.0.1:7000 battle 1.24 x [2/16] Alpha Crab\r\n"
                               "10.0.0.2:7000 ctf 1.21   [2/16] xxABCxx\r\n"
                               "10.0.0.3:7000 treasure 1.24   [2/16] Gold Rush\r\n"
                               "10.0.0.4:7000 1.21 s      Race [2/16] Speedway\r\n"
                               "10.0.0.5:7000 battle 1.24 s [2/16] \xe9t\x9a\r\n"
                               "10.0.0.6:7000 battle 1.24 s [2/16] a?b\r\n";

class MatchWindowTest : public WindowTest
{
protected:
    void SetUp() override { chooseHost(QStringLiteral("127.0.0.1")); }

    // Scans kCandidates once and returns the name of the server that ended
    // the scan, or kNoMatch (after pressing Stop) when the whole response
    // went by.
    QString scanForMatch()
    {
        go();
        answer(kCandidates);
        if (form->scan().state() == ScanState::Scanning) {
            click(form->Command2);
            return kNoMatch;
        }
        return names().back();
    }
};

TEST_F(MatchWindowTest, EachCriterionReadsItsOwnField)
{
    EXPECT_EQ(scanForMatch(), QStringLiteral("Alpha Crab"));
    // Each box alone: the version is compared exactly ("1.24 x" comes
    // first), the other texts are pieces in any letter case; private
    // servers only when included.
    const struct {
        QCheckBox* box;
        QWidget* field;
        QString text;
        QString matched;
    } criteria[] = {
        {form->NameCheck, form->FName, "abc", "xxABCxx"},
        {form->VersionCheck, form->Combo2->lineEdit(), "1.24", "Gold Rush"},
        {form->GameCheck, form->Combo3->lineEdit(), "r", "Gold Rush"},
        {form->IPCheck, form->fIP, ".0.4", "Speedway"},
        {form->ScanCheck, nullptr, {}, "Secret"},
    };
    for (const auto& c : criteria) {
        SCOPED_TRACE(c.box->objectName().toStdString());
        click(c.box);
        if (c.field != nullptr) {
            replaceText(c.field, c.text);
        }
        EXPECT_EQ(scanForMatch(), c.matched);
        click(c.box);
    }
}

TEST_F(MatchWindowTest, TypedCriteriaAreReadInTheListServersCodePage)
{
    click(form->NameCheck);
    // Capitals of Windows-1252, one of them outside Latin-1, match the
    // lower-case bytes 0xE9 and 0x9A; a character the code page lacks
    // becomes "?": it neither vanishes (which would match "Alpha Crab") nor
    // matches anything else.
    for (const auto& [typed, matched] :
         {std::pair{QStringLiteral("\u00c9T\u0160"), QStringLiteral("\u00e9t\u0161")},
          std::pair{QStringLiteral("a\u0416b"), QStringLiteral("a?b")}}) {
        replaceText(form->FName, typed);
        ASSERT_EQ(form->FName->text(), typed);
        EXPECT_EQ(scanForMatch(), matched);
    }
}

TEST_F(MatchWindowTest, TheComboBoxesKeepTheirTextExactlyAsTyped)
{
    // No completion, no case change, and Return adds no item: the item lists
    // are fixed.
    click(form->VersionCheck);
    click(form->GameCheck);
    for (const auto& [box, typed] : {std::pair{form->Combo2, QStringLiteral("1.24 X")},
                                     std::pair{form->Combo3, QStringLiteral("r")},
                                     std::pair{form->RemHost, QStringLiteral("LIST.wombix.net")}}) {
        SCOPED_TRACE(box->objectName().toStdString());
        const int items = box->count();
        box->lineEdit()->setFocus();
        replaceText(box->lineEdit(), typed);
        QTest::keyClick(box->lineEdit(), Qt::Key_Return);
        form->FName->setFocus(); // leaving the box
        EXPECT_EQ(box->currentText(), typed);
        EXPECT_EQ(box->count(), items);
    }
    // "1.24 X" is no version; "r" is a piece of Race and Treasure alike.
    EXPECT_EQ(scanForMatch(), kNoMatch);
    click(form->VersionCheck);
    EXPECT_EQ(scanForMatch(), QStringLiteral("Gold Rush"));
}

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
                const bool own = std::ranges::find(fields, field) != fields.end();
                EXPECT_EQ(field->isEnabled(), own && ticked) << field->objectName().toStdString();
            }
        }
    }
    EXPECT_EQ(texts(), before);
}

} // namespace
} // namespace pollwick::test

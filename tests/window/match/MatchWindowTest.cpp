// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Matching as the user sets it up: criteria typed and ticked in the real
// controls, which server of a list server's response the walk stops at, and
// what the match then does; and the server list that shows the response.
#include "WindowTest.h"
#include "core/ShownText.h"
#include "core/Windows1252.h"
#include "platform/qt/DBusNotifier.h"

#include <QAbstractItemModelTester>
#include <QDBusConnection>

#include <algorithm>
#include <optional>
#include <tuple>

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
// The game of the edition that plays 1.24.
const QString kAmbrel = QStringLiteral("/opt/Ambrel/wombix");

class MatchWindowTest : public WindowTest
{
public:
    void SetUp() override
    {
        // Every change of the rows is told to the list view as it happens.
        tester.emplace(ui->serverList->model(),
                       QAbstractItemModelTester::FailureReportingMode::Fatal);
        chooseHost(QStringLiteral("127.0.0.1"));
        paths->ambrelEdit->setText(kAmbrel);
    }
    // Scans `response` once; the name of the server that ended the scan, or
    // kNoMatch (after pressing Stop) when the whole response went by.
    QString scanForMatch(const QByteArray& response = kCandidates)
    {
        go();
        answer(response);
        if (engine().state() == ScanState::Scanning) {
            click(ui->stopButton);
            return kNoMatch;
        }
        return rows().back().front();
    }
    void tickAlerts(bool sound, bool message, bool launch)
    {
        for (const auto& [box, wanted] :
             {std::pair{ui->waveCheck, sound}, std::pair{ui->messageCheck, message},
              std::pair{ui->launchCheck, launch}}) {
            if (box->isChecked() != wanted) {
                click(box);
            }
        }
    }

    std::optional<QAbstractItemModelTester> tester;
};

TEST_F(MatchWindowTest, EachCriterionReadsItsOwnField)
{
    // Each box alone: the version is compared exactly ("1.24 x" comes
    // first), the other texts are pieces in any letter case; private servers
    // only when included. Typed text is read in the list server's code page:
    // capitals of Windows-1252, one outside Latin-1, match the lower-case
    // bytes 0xE9 and 0x9A; a character that it lacks becomes "?", neither
    // vanishing (which would match "Alpha Crab") nor matching anything else.
    const struct {
        QCheckBox* box;
        QWidget* field;
        QString text;
        QString matched;
    } criteria[] = {
        {nullptr, nullptr, {}, "Alpha Crab"},
        {ui->nameCheck, ui->nameEdit, "abc", "xxABCxx"},
        {ui->nameCheck, ui->nameEdit, QStringLiteral("\u00c9T\u0160"),
         QStringLiteral("\u00e9t\u0161")},
        {ui->nameCheck, ui->nameEdit, QStringLiteral("a\u0416b"), "a?b"},
        {ui->versionCheck, ui->versionCombo->lineEdit(), "1.24", "Gold Rush"},
        {ui->gameTypeCheck, ui->gameTypeCombo->lineEdit(), "r", "Gold Rush"},
        {ui->addressCheck, ui->addressEdit, ".0.4", "Speedway"},
        {ui->privateCheck, nullptr, {}, "Secret"},
    };
    for (const auto& c : criteria) {
        if (c.box != nullptr) {
            click(c.box);
        }
        if (c.field != nullptr) {
            replaceText(c.field, c.text);
        }
        EXPECT_EQ(scanForMatch(), c.matched);
        if (c.box != nullptr) {
            click(c.box);
        }
    }
}

TEST_F(MatchWindowTest, TheComboBoxesKeepTheirTextExactlyAsTyped)
{
    // No completion, no case change, and Return adds no item: the item lists
    // are fixed. (What the criteria make of the text is a row of the table
    // above.) Each box starts at its placeholder with none of its items
    // chosen, so the first Down arrow chooses the first item.
    click(ui->versionCheck);
    click(ui->gameTypeCheck);
    for (QComboBox* box : {ui->versionCombo, ui->gameTypeCombo, ui->hostCombo}) {
        QTest::keyClick(box, Qt::Key_Down);
        EXPECT_EQ(box->currentText(), box->itemText(0)) << box->objectName().toStdString();
    }
    for (const auto& [box, typed] : {std::pair{ui->versionCombo, QStringLiteral("1.24 X")},
                                     std::pair{ui->gameTypeCombo, QStringLiteral("r")},
                                     std::pair{ui->hostCombo, QStringLiteral("LIST.wombix.net")}}) {
        const int items = box->count();
        box->lineEdit()->setFocus();
        replaceText(box->lineEdit(), typed);
        QTest::keyClick(box->lineEdit(), Qt::Key_Return);
        ui->nameEdit->setFocus(); // leaving the box
        EXPECT_EQ(box->currentText(), typed);
        EXPECT_EQ(box->count(), items);
    }
}

// QLineEdit, and Qt Designer with it, cuts text at 32767 characters; the
// windows' text boxes take any length.
TEST_F(MatchWindowTest, TheTextBoxesTakeTextOfAnyLength)
{
    const QString longText(40000, u'a');
    for (QLineEdit* box :
         {ui->messageEdit, ui->waveFileEdit, ui->nameEdit, ui->addressEdit, paths->normalEdit,
          paths->corvaneEdit, paths->ambrelEdit, paths->pelloryEdit}) {
        box->setText(longText);
        EXPECT_EQ(box->text().size(), longText.size()) << box->objectName().toStdString();
    }
}

// Only the ticked alerts run, each after the scan has ended, in order: the
// desktop notification (when any alert is ticked), the sound of the file
// as its box reads, the "Server Up" box with the user's text, then the
// game: the edition's program, connecting to the address as the match test
// lower-cased it. A list that arrives after Stop still runs them.
TEST_F(MatchWindowTest, OnlyTheTickedAlertsRunInTheirOrderOnceTheScanHasEnded)
{
    click(ui->nameCheck);
    replaceText(ui->nameEdit, QStringLiteral("target"));
    tickAlerts(true, true, true);
    replaceText(ui->waveFileEdit, QStringLiteral("/sounds/up.wav"));
    replaceText(ui->messageEdit, QStringLiteral("<b>Up</b> & running"));
    const auto scanEnded = [&] {
        EXPECT_EQ(engine().state(), ScanState::Ready);
        EXPECT_FALSE(platform.handed().isOpen());
    };
    // The notice is also passed on to the real notifier, on a bus where
    // nothing listens: a desktop without a session bus changes nothing.
    DBusNotifier withoutBus(QDBusConnection::connectToBus(
        QStringLiteral("unix:path=/nonexistent/bus"), QStringLiteral("pollwick-no-bus")));
    platform.passOn = &withoutBus;
    platform.whileNotifying = [&] {
        scanEnded();
        EXPECT_TRUE(platform.played.isEmpty() && platform.shown.empty());
    };
    platform.whilePlaying = [&] {
        scanEnded();
        EXPECT_TRUE(platform.shown.empty());
    };
    platform.whileShown = [&](const QString&, const QString&) {
        scanEnded();
        EXPECT_TRUE(platform.started.empty());
    };
    using Pairs = std::vector<std::pair<QString, QString>>;
    for (const auto& [stopped, sound, message, launch] :
         {std::tuple{false, false, false, false}, std::tuple{false, true, false, false},
          std::tuple{false, false, true, false}, std::tuple{false, false, false, true},
          std::tuple{true, true, true, true}}) {
        platform.played.clear();
        platform.shown.clear();
        platform.started.clear();
        platform.notices.clear();
        tickAlerts(sound, message, launch);
        go();
        if (stopped) {
            click(ui->stopButton);
        }
        answer("10.0.0.2:7000 ctf 1.24   [2/16] Other\r\n"
               "WOMBIX.Example:7000 battle 1.24   [3/16] Target\r\n"
               "10.0.0.6:7000 battle 1.24   [3/16] After\r\n");
        scanEnded();
        // The matched server, in view; the walk ended there.
        EXPECT_EQ(ui->serverList->currentIndex().row(), 1);
        EXPECT_EQ(rowCount(), 2);
        EXPECT_EQ(platform.notices,
                  (sound || message || launch
                       ? Pairs{{"Server Up", "Target\n3/16 players\nwombix.example"}}
                       : Pairs{}));
        EXPECT_EQ(platform.played, sound ? QStringList("/sounds/up.wav") : QStringList());
        EXPECT_EQ(platform.shown,
                  (message ? Pairs{{"<b>Up</b> & running", "Server Up"}} : Pairs{}));
        EXPECT_EQ(platform.started,
                  (launch ? std::vector<QStringList>{{kAmbrel, "-connect", "wombix.example"}}
                          : std::vector<QStringList>{}));
    }
    // A match in the first row is revealed too.
    tickAlerts(false, false, false);
    go();
    answer("WOMBIX.Example:7000 battle 1.24   [3/16] Target\r\n");
    EXPECT_EQ(ui->serverList->currentIndex().row(), 0);
    // Nothing that the user entered is lost.
    EXPECT_EQ(ui->nameEdit->text(), QStringLiteral("target"));
    EXPECT_EQ(ui->messageEdit->text(), QStringLiteral("<b>Up</b> & running"));
}

// A game that cannot be started is told on the status line, whether the
// core refused it or the system could not start it; nothing pops up.
TEST_F(MatchWindowTest, AGameThatCannotBeStartedIsToldOnTheStatusLine)
{
    tickAlerts(false, false, true);
    const struct {
        QByteArray line;
        bool programStarts;
        QString says;
    } launches[] = {
        {"10.0.0.1:7000 battle 1.21 x [2/16] Alpha", true,
         "no game path is set for 1.21 x (Wombix Paths)"},
        {"10.0.0.1:7000 battle 1.24   [2/16] Alpha", false, kAmbrel + " cannot be started"},
    };
    for (const auto& launch : launches) {
        platform.programsStart = launch.programStarts;
        EXPECT_EQ(scanForMatch(launch.line + "\r\n"), QStringLiteral("Alpha"));
        EXPECT_EQ(status(),
                  QStringLiteral("12:00:00  Found: Alpha. Game not started: %1.").arg(launch.says));
    }
    EXPECT_TRUE(platform.shown.empty());
}

// A name of a megabyte is matched whole, but shown, tipped and notified only
// in part: shaping it on every paint would stall the window.
TEST_F(MatchWindowTest, AMegabyteNameMatchesWholeAndIsShownInPart)
{
    click(ui->nameCheck);
    replaceText(ui->nameEdit, QStringLiteral("zed"));
    tickAlerts(false, true, false);
    const QByteArray name = QByteArray(1000000, 'A') + "Zed";
    const auto cut = [](int characters) { return QString(characters - 1, u'A') + QChar(0x2026); };
    EXPECT_EQ(scanForMatch("10.0.0.1:7000 battle 1.24   [2/16] " + name + "\r\n"), cut(96));
    const QAbstractItemModel& model = *ui->serverList->model();
    EXPECT_TRUE(model.data(model.index(0, 0), Qt::ToolTipRole).toString().contains(cut(256)));
    ASSERT_EQ(platform.notices.size(), 1U);
    EXPECT_EQ(platform.notices[0].second, cut(256) + QStringLiteral("\n2/16 players\n10.0.0.1"));
    EXPECT_TRUE(status().endsWith(QStringLiteral("Found: ") + cut(256)));
}

// The header, then the rows: the texts as the records held them when listed,
// every byte as its Windows-1252 character (in three names short enough to
// be shown whole); markup in a name is text, even in its tool tip (read as
// HTML, it would let a list server make the window load any local file as a
// picture).
TEST_F(MatchWindowTest, TheListShowsFiveColumnsOfTheTextsAsListed)
{
    QByteArray lines;
    std::vector<QStringList> everyByte;
    for (int from = 0; from < 256; from += 96) {
        QByteArray name; // every byte but LF
        QString shown; // less "|", a colour code
        for (int b = from; b < std::min(from + 96, 256); ++b) {
            name += b == '\n' ? QByteArray() : QByteArray(1, static_cast<char>(b));
            // Control characters show as their pictures.
            const QChar c(static_cast<char16_t>(shownCharacter(static_cast<unsigned char>(b))));
            shown += b == '\n' || b == '|' ? QString() : QString(c);
        }
        lines += "192.0.2.7:1 ctf 1.21 x [1/16] " + name + "\r\n";
        everyByte.push_back({shown, "Ctf", "1.21 x", "1/16", "   192.0.2.7"});
    }
    matchNothing();
    scanForMatch("private 10.0.0.1:7000 battle 1.24   [2/16]  Two  Spaces  \r\n" + lines +
                 "192.0.2.8:1 ctf 1.21 x [1/16] <img src=x><b>B</b>\r\n");
    std::vector<QStringList> table{{}};
    QList<int> widths;
    for (int column = 0; column < 5; ++column) {
        widths << ui->serverList->columnWidth(column);
        table[0] << ui->serverList->model()
                        ->headerData(column, Qt::Horizontal, Qt::DisplayRole)
                        .toString();
    }
    std::ranges::copy(rows(), std::back_inserter(table));
    EXPECT_EQ(ui->serverList->font().pointSize(), 9);
    EXPECT_EQ(widths, (QList<int>{100, 60, 52, 52, 93}));
    std::vector<QStringList> expected{{"Server Name", "Type", "Version", "Players", "IP Address"},
                                      {" Two  Spaces  ", "Battle", "1.24", "2/16", "Private"}};
    std::ranges::copy(everyByte, std::back_inserter(expected));
    expected.push_back({"<img src=x><b>B</b>", "Ctf", "1.21 x", "1/16", "   192.0.2.8"});
    EXPECT_EQ(table, expected);
    const QAbstractItemModel& model = *ui->serverList->model();
    EXPECT_TRUE(model.data(model.index(4, 0), Qt::ToolTipRole)
                    .toString()
                    .contains(QStringLiteral("x&gt;&lt;b&gt;B&lt;/b&gt;")));
}

} // namespace
} // namespace pollwick::test

// The server list as the user sees it after "Show List": five columns, rows
// that keep the texts the records held when listed, every byte shown as the
// Windows-1252 character it is and markup as plain text, and nothing that
// the user does to the list changes anything.

#include "WindowTest.h"
#include "core/Windows1252.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QImage>
#include <QTemporaryDir>

#include <optional>

namespace pollwick::test {
namespace {

class ServerListViewTest : public WindowTest
{
protected:
    void SetUp() override
    {
        // Every change of the rows told to the view as it happens.
        tester.emplace(&form->ListView1->model(),
                       QAbstractItemModelTester::FailureReportingMode::Fatal);
        chooseHost(QStringLiteral("127.0.0.1"));
        click(form->Check1); // "Show List" widens the window to the list
        matchNothing();
        go();
    }
    // The header, then the rows.
    [[nodiscard]] std::vector<QStringList> table() const
    {
        std::vector<QStringList> shownTable{{}};
        for (int column = 0; column < form->ListView1->model().columnCount(); ++column) {
            shownTable[0] << form->ListView1->model()
                                 .headerData(column, Qt::Horizontal, Qt::DisplayRole)
                                 .toString();
        }
        for (const QStringList& row : rows()) {
            shownTable.push_back(row);
        }
        return shownTable;
    }

    std::optional<QAbstractItemModelTester> tester;
};

TEST_F(ServerListViewTest, FiveColumnsShowTheTextsAsTheRecordsHeldThem)
{
    // The name holds every byte but LF, and the CR that ends the line; each
    // is shown as its Windows-1252 character, but "|", a colour code.
    QByteArray every;
    QString shown;
    for (int b = 0; b < 256; ++b) {
        every += b == '\n' ? QByteArray() : QByteArray(1, static_cast<char>(b));
        const QChar c(static_cast<char16_t>(cp1252::toUnicode(static_cast<unsigned char>(b))));
        shown += b == '\n' || b == '|' ? QString() : QString(c);
    }
    answer("private 10.0.0.1:7000 battle 1.24   [2/16]  Two  Spaces  \r\n"
           "192.0.2.7:1 ctf 1.21 x [1/16] " +
           every + "\r\n");
    EXPECT_EQ(table(),
              (std::vector<QStringList>{{"Server Name", "Type", "Version", "Players", "IP Address"},
                                        {" Two  Spaces  ", "Battle", "1.24", "2/16", "Private"},
                                        {shown, "Ctf", "1.21 x", "1/16", "   192.0.2.7"}}));
}

// The tool tip that the server list shows for a cell.
QLabel* toolTipFor(ServerListView& view, int row, int column)
{
    const QRect cell = view.visualRect(view.model().index(row, column));
    QHelpEvent event(QEvent::ToolTip, cell.center(), view.viewport()->mapToGlobal(cell.center()));
    QApplication::sendEvent(view.viewport(), &event);
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->inherits("QTipLabel") && widget->isVisible()) {
            return qobject_cast<QLabel*>(widget);
        }
    }
    return nullptr;
}

TEST_F(ServerListViewTest, MarkupInANameIsShownAsTextEvenInTheToolTip)
{
    // A tall picture on this machine: shown only if the name were read as
    // HTML, which would also let a list server make the window read any
    // local file (or /dev/zero, without end) when a row is pointed at.
    QTemporaryDir folder;
    const QString picture = folder.filePath(QStringLiteral("tall.png"));
    QImage tall(8, 400, QImage::Format_RGB32);
    tall.fill(Qt::red);
    ASSERT_TRUE(tall.save(picture));
    const QByteArray name = "<img src=\"" + picture.toUtf8() + "\"><b>Bold</b>";
    answer("192.0.2.50:7000 battle 1.24   [1/16] " + name + "\r\n");
    ASSERT_EQ(names(), QStringList(QString::fromUtf8(name)));

    QLabel* tip = toolTipFor(*form->ListView1, 0, 0);
    ASSERT_NE(tip, nullptr) << "no tool tip shown";
    EXPECT_LT(tip->sizeHint().height(), 100) << "the name was laid out as HTML";
    EXPECT_TRUE(tip->text().contains(QStringLiteral("&lt;b&gt;Bold&lt;/b&gt;")))
        << tip->text().toStdString();
}

TEST_F(ServerListViewTest, ClickingOrTypingInTheListChangesNothing)
{
    answer("10.0.0.1:7000 battle 1.24   [2/16] Bravo\r\n"
           "10.0.0.2:7000 ctf 1.21   [3/16] Alpha\r\n"
           "10.0.0.3:7000 coop 1.24 s      Coop [1/4] Charlie\r\n");
    const std::vector<QStringList> before = rows();
    ASSERT_EQ(before.size(), 3U);

    ServerListView& list = *form->ListView1;
    const QPoint second = list.visualRect(list.model().index(1, 0)).center();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, second);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, second);
    QTest::keyClick(&list, Qt::Key_F2);
    QTest::keyClicks(&list, QStringLiteral("zz"));
    QTest::keyClick(&list, Qt::Key_Delete);
    QTest::keyClick(&list, Qt::Key_Return);
    // A click on a header does not sort.
    QHeaderView& header = *list.header();
    QTest::mouseClick(header.viewport(), Qt::LeftButton, {},
                      QPoint(header.sectionViewportPosition(0) + 5, header.height() / 2));
    // Narrowing and widening the window again.
    click(form->Check1);
    click(form->Check1);

    EXPECT_TRUE(list.findChildren<QLineEdit*>().isEmpty()); // no editor was opened
    EXPECT_EQ(rows(), before);
    EXPECT_EQ(form->scan().state(), ScanState::Scanning);
    EXPECT_TRUE(platform.shown.empty());
}

} // namespace
} // namespace pollwick::test

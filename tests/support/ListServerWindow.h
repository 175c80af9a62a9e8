#pragma once

// A fixture for window tests that talk to a list server: the real main
// window on a FakePlatform, shown on the offscreen screen, and a stand-in
// list server on a loopback address of the test's own at port 10057. The
// helpers drive the window as a person would, with mouse clicks and typing.

#include "FakePlatform.h"
#include "listserver/ListServer.h"
#include "platform/ClientSocket.h"
#include "scan/ListExchange.h"
#include "scan/ScanController.h"
#include "ui/Form1.h"
#include "ui/ServerListView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace pollwick::test {

class ListServerWindow : public ::testing::Test
{
protected:
    static constexpr int kWaitMs = 30000;

    ListServerWindow()
    {
        platform.storePath(QStringLiteral("Normal"), QStringLiteral("/games/normal/wombix"));
        form = std::make_unique<Form1>(platform);
        form->show();
    }

    // The list server listens and its address is chosen in RemHost, so that
    // "Go" can be pressed.
    void SetUp() override
    {
        ASSERT_TRUE(sim::listenOnFreeLoopback(server));
        chooseHost(server.address().toString());
        ASSERT_EQ(form->scan().state(), ScanState::Ready);
    }

    void chooseHost(const QString& host)
    {
        replaceText(form->RemHost->lineEdit(), host);
        fire(*form->Timer2);
    }

    static void fire(Timer& timer) { static_cast<ManualTimer&>(timer).fire(); }
    static void click(QWidget* control) { QTest::mouseClick(control, Qt::LeftButton); }
    // On the box and its caption: the rest of a check box's area is no
    // target.
    static void click(QCheckBox* box)
    {
        QStyleOptionButton option;
        option.initFrom(box);
        option.text = box->text();
        const QRect target =
            box->style()->subElementRect(QStyle::SE_CheckBoxClickRect, &option, box);
        QTest::mouseClick(box, Qt::LeftButton, {}, target.center());
    }

    // Types `text` over whatever the box holds. Characters beyond ASCII are
    // sent as the key events an input method would deliver.
    static void replaceText(QWidget* box, const QString& text)
    {
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_Backspace);
        for (const QChar c : text) {
            if (c.unicode() < 0x80) {
                QTest::keyClick(box, c.toLatin1());
            } else {
                QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
            }
        }
    }
    static void replaceText(QComboBox* box, const QString& text)
    {
        replaceText(box->lineEdit(), text);
    }

    // Ticks a criterion that no record meets, so that a walk lists every
    // line of a response.
    void matchNothing()
    {
        click(form->VersionCheck); // Combo2 still reads "Version Select"
        ASSERT_TRUE(form->VersionCheck->isChecked());
    }

    // Waits until the server has accepted `count` connections and the
    // window's socket is closed again: the response has been read (or a
    // match closed the socket). The time limit is only reached when
    // something is broken.
    [[nodiscard]] bool waitForResponse(int count = 1)
    {
        return waitUntil(
            [&] { return server.connectionCount() >= count && !form->Winsock1->isOpen(); },
            kWaitMs);
    }

    // "Go", then the whole response.
    [[nodiscard]] bool goAndWait()
    {
        const int before = server.connectionCount();
        click(form->Command1);
        return waitForResponse(before + 1);
    }

    // The rows that the list view shows, five texts each.
    [[nodiscard]] std::vector<QStringList> rows() const
    {
        std::vector<QStringList> shown;
        const QAbstractItemModel& model = form->ListView1->model();
        for (int row = 0; row < model.rowCount(); ++row) {
            QStringList texts;
            for (int column = 0; column < model.columnCount(); ++column) {
                texts << model.index(row, column).data().toString();
            }
            shown.push_back(texts);
        }
        return shown;
    }
    [[nodiscard]] QString lastRowName() const
    {
        const int count = form->ListView1->rows();
        return count == 0 ? QString() : form->ListView1->text(count - 1, 0);
    }

    sim::ListServer server;
    FakePlatform platform;
    std::unique_ptr<Form1> form;
};

} // namespace pollwick::test

// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "WindowTest.h"

namespace pollwick::test {

WindowTest::WindowTest(bool realSocket)
{
    platform.storePath(QStringLiteral("Normal"), QStringLiteral("/games/wombix/wombix.exe"));
    if (!realSocket) {
        platform.socketFactory = [this](QObject* parent) {
            socket = new HandedSocket(parent);
            return socket;
        };
    }
    form = std::make_unique<MainWindow>(platform);
    form->show();
}

WindowTest::~WindowTest()
{
    form.reset();
}

void WindowTest::replaceText(QWidget* box, const QString& text)
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

void WindowTest::chooseHost(const QString& host)
{
    replaceText(form->hostCombo->lineEdit(), host);
    fire(*form->serverChoiceTimer);
    ASSERT_EQ(form->session().state(), ScanState::Ready);
}

void WindowTest::matchNothing()
{
    click(form->versionCheck); // versionCombo still reads "Version Select"
    ASSERT_TRUE(form->versionCheck->isChecked());
}

void WindowTest::go()
{
    ASSERT_TRUE(form->goButton->isEnabled());
    click(form->goButton);
    ASSERT_EQ(form->session().state(), ScanState::Scanning);
}

std::vector<QStringList> WindowTest::rows() const
{
    std::vector<QStringList> shown;
    for (int row = 0; row < form->serverList->rows(); ++row) {
        shown.emplace_back();
        for (int column = 0; column < 5; ++column) {
            const QAbstractItemModel& model = *form->serverList->model();
            shown.back() << model.data(model.index(row, column)).toString();
        }
    }
    return shown;
}

QStringList WindowTest::names() const
{
    QStringList names;
    for (const QStringList& row : rows()) {
        names << row.front();
    }
    return names;
}

} // namespace pollwick::test

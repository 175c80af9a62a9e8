// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "WindowTest.h"

namespace pollwick::test {

MainControls::MainControls(const QWidget& window)
    : serverGroup(control<QGroupBox>(window, "serverGroup"))
    , hostCombo(control<QComboBox>(window, "hostCombo"))
    , miscGroup(control<QGroupBox>(window, "miscGroup"))
    , showListCheck(control<QCheckBox>(window, "showListCheck"))
    , alertsGroup(control<QGroupBox>(window, "alertsGroup"))
    , messageCheck(control<QCheckBox>(window, "messageCheck"))
    , messageEdit(control<QLineEdit>(window, "messageEdit"))
    , waveCheck(control<QCheckBox>(window, "waveCheck"))
    , waveFileEdit(control<QLineEdit>(window, "waveFileEdit"))
    , waveFileButton(control<QPushButton>(window, "waveFileButton"))
    , launchCheck(control<QCheckBox>(window, "launchCheck"))
    , privateCheck(control<QCheckBox>(window, "privateCheck"))
    , criteriaGroup(control<QGroupBox>(window, "criteriaGroup"))
    , versionCheck(control<QCheckBox>(window, "versionCheck"))
    , versionCombo(control<QComboBox>(window, "versionCombo"))
    , nameCheck(control<QCheckBox>(window, "nameCheck"))
    , nameEdit(control<QLineEdit>(window, "nameEdit"))
    , addressCheck(control<QCheckBox>(window, "addressCheck"))
    , addressEdit(control<QLineEdit>(window, "addressEdit"))
    , gameTypeCheck(control<QCheckBox>(window, "gameTypeCheck"))
    , gameTypeCombo(control<QComboBox>(window, "gameTypeCombo"))
    , pathsButton(control<QPushButton>(window, "pathsButton"))
    , goButton(control<QPushButton>(window, "goButton"))
    , stopButton(control<QPushButton>(window, "stopButton"))
    , statusLabel(control<QLabel>(window, "statusLabel"))
    , serverList(control<ServerListView>(window, "serverList"))
{ }

PathsControls::PathsControls(const QWidget& dialog)
    : normalEdit(control<QLineEdit>(dialog, "normalEdit"))
    , normalButton(control<QPushButton>(dialog, "normalButton"))
    , corvaneEdit(control<QLineEdit>(dialog, "corvaneEdit"))
    , corvaneButton(control<QPushButton>(dialog, "corvaneButton"))
    , ambrelEdit(control<QLineEdit>(dialog, "ambrelEdit"))
    , ambrelButton(control<QPushButton>(dialog, "ambrelButton"))
    , pelloryEdit(control<QLineEdit>(dialog, "pelloryEdit"))
    , pelloryButton(control<QPushButton>(dialog, "pelloryButton"))
    , acceptButton(control<QPushButton>(dialog, "acceptButton"))
{ }

WindowTest::WindowTest(FakePlatform::Connection connection)
    : platform(connection)
{
    platform.storePath("Normal", "/games/wombix/wombix.exe");
    openWindow();
}

void WindowTest::openWindow()
{
    form = std::make_unique<MainWindow>(platform);
    ui = std::make_unique<MainControls>(*form);
    paths = std::make_unique<PathsControls>(form->pathsDialog());
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
    replaceText(ui->hostCombo->lineEdit(), host);
    fire(TimerRole::ServerChoice);
    ASSERT_EQ(engine().state(), ScanState::Ready);
}

void WindowTest::matchNothing()
{
    click(ui->versionCheck); // versionCombo still reads "Version Select"
    ASSERT_TRUE(ui->versionCheck->isChecked());
}

void WindowTest::go()
{
    ASSERT_TRUE(ui->goButton->isEnabled());
    click(ui->goButton);
    ASSERT_EQ(engine().state(), ScanState::Scanning);
}

void WindowTest::answer(const QByteArray& bytes) const
{
    platform.handed().connect();
    platform.handed().send(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

std::vector<QStringList> WindowTest::rows() const
{
    std::vector<QStringList> shown;
    const QAbstractItemModel& model = *ui->serverList->model();
    for (int row = 0; row < model.rowCount(); ++row) {
        shown.emplace_back();
        for (int column = 0; column < 5; ++column) {
            shown.back() << model.data(model.index(row, column)).toString();
        }
    }
    return shown;
}

} // namespace pollwick::test

// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The real main window on a FakePlatform (offscreen; fakes for sound, the
// game and modal dialogs; timers fired by hand), with a game path stored so
// that the start-up check stays quiet. Unless a test asks for a real
// connection, the window's list connection is a HandedConnection: the test
// plays the list server. The helpers drive the window as a person would,
// with clicks and typing, on controls found by their names.

#include "FakePlatform.h"
#include "window/MainWindow.h"
#include "window/ServerListView.h"
#include "window/settings/PathsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace pollwick::test {

// The control of `window` named `name`; the test fails when there is none.
template <typename Control>
Control* control(const QWidget& window, const char* name)
{
    auto* found = window.findChild<Control*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

// The main window's controls, as a person sees them.
struct MainControls {
    explicit MainControls(const QWidget& window);

    QGroupBox* serverGroup;
    QComboBox* hostCombo;
    QGroupBox* miscGroup;
    QCheckBox* showListCheck;
    QGroupBox* alertsGroup;
    QCheckBox* messageCheck;
    QLineEdit* messageEdit;
    QCheckBox* waveCheck;
    QLineEdit* waveFileEdit;
    QPushButton* waveFileButton;
    QCheckBox* launchCheck;
    QCheckBox* privateCheck;
    QGroupBox* criteriaGroup;
    QCheckBox* versionCheck;
    QComboBox* versionCombo;
    QCheckBox* nameCheck;
    QLineEdit* nameEdit;
    QCheckBox* addressCheck;
    QLineEdit* addressEdit;
    QCheckBox* gameTypeCheck;
    QComboBox* gameTypeCombo;
    QPushButton* pathsButton;
    QPushButton* goButton;
    QPushButton* stopButton;
    QLabel* statusLabel;
    ServerListView* serverList;
};

// The Paths dialog's controls.
struct PathsControls {
    explicit PathsControls(const QWidget& dialog);

    QLineEdit* normalEdit;
    QPushButton* normalButton;
    QLineEdit* corvaneEdit;
    QPushButton* corvaneButton;
    QLineEdit* ambrelEdit;
    QPushButton* ambrelButton;
    QLineEdit* pelloryEdit;
    QPushButton* pelloryButton;
    QPushButton* acceptButton;
};

class WindowTest : public ::testing::Test
{
public:
    ~WindowTest() override;
    WindowTest(const WindowTest&) = delete;
    WindowTest& operator=(const WindowTest&) = delete;
    explicit WindowTest(FakePlatform::Connection connection = FakePlatform::Connection::Handed);

    // A run of the program: a new main window, loading from the store.
    void openWindow();

    static void click(QWidget* control) { QTest::mouseClick(control, Qt::LeftButton); }
    // On the box: the rest of a check box's area past its caption is no target.
    static void click(QCheckBox* box)
    {
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    }
    // Types `text` over whatever the box holds. Characters beyond ASCII are
    // sent as the key events an input method would deliver.
    static void replaceText(QWidget* box, const QString& text);

    // One tick of the window's timer for `role`.
    void fire(TimerRole role) const { platform.timer(role).fire(); }
    // Types the host and lets the selection gate open.
    void chooseHost(const QString& host);
    // Ticks a criterion that no record meets, so that a walk lists every
    // line of a response and scanning goes on.
    void matchNothing();
    // "Go", clicked; it must start scanning.
    void go();
    // What the list server sends on the handed connection: connected, then
    // the bytes.
    void answer(const QByteArray& bytes) const;
    [[nodiscard]] const ScanEngine& engine() const { return form->engine(); }
    // The status line, whole.
    [[nodiscard]] QString status() const
    {
        return QString::fromStdString(form->engine().statusText());
    }

    // The rows that the server list shows, five texts each.
    [[nodiscard]] std::vector<QStringList> rows() const;
    [[nodiscard]] int rowCount() const { return ui->serverList->model()->rowCount(); }

    FakePlatform platform;
    std::unique_ptr<MainWindow> form;
    std::unique_ptr<MainControls> ui;
    std::unique_ptr<PathsControls> paths;
};

} // namespace pollwick::test

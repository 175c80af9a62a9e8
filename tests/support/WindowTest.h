// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The real main window on a FakePlatform (offscreen; fakes for sound, the
// game and modal dialogs; timers fired by hand), with a game path stored so
// that the start-up check stays quiet. Unless a test asks for a real socket,
// the window's socket is a HandedSocket: the test hands the window what a
// list server would send. The helpers drive the window as a person would,
// with clicks and typing.

// The window and everything on it, as the tests reach it.
#include "FakePlatform.h"
#include "window/MainWindow.h"
#include "window/ServerListView.h"
#include "window/scan/ListExchange.h"
#include "window/scan/ScanSession.h"
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

class WindowTest : public ::testing::Test
{
public:
    ~WindowTest() override;
    WindowTest(const WindowTest&) = delete;
    WindowTest& operator=(const WindowTest&) = delete;
    explicit WindowTest(bool realSocket = false);

    static void fire(Timer& timer) { static_cast<ManualTimer&>(timer).fire(); }
    static void click(QWidget* control) { QTest::mouseClick(control, Qt::LeftButton); }
    // On the box: the rest of a check box's area past its caption is no target.
    static void click(QCheckBox* box)
    {
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    }
    // Types `text` over whatever the box holds. Characters beyond ASCII are
    // sent as the key events an input method would deliver.
    static void replaceText(QWidget* box, const QString& text);

    // Types the host and lets the selection gate open.
    void chooseHost(const QString& host);
    // Ticks a criterion that no record meets, so that a walk lists every
    // line of a response and scanning goes on.
    void matchNothing();
    // "Go", clicked; it must start scanning.
    void go();
    // One data arrival on the handed socket's current connection.
    void answer(const QByteArray& bytes) { socket->deliver(bytes.toStdString()); }

    // The rows that the server list shows, five texts each; their names.
    [[nodiscard]] std::vector<QStringList> rows() const;
    [[nodiscard]] QStringList names() const;
    [[nodiscard]] int rowCount() const { return static_cast<int>(rows().size()); }

    FakePlatform platform;
    HandedSocket* socket = nullptr; // null with a real socket
    std::unique_ptr<MainWindow> form;
};

} // namespace pollwick::test

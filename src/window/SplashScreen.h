// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class SplashScreen;
}

namespace pollwick {

class Platform;
class Timer;

// The splash window: a 250 x 250 picture without a title bar, centred, that
// gives way to the main window after 1500 ms or at the first click. The
// picture (`picture`) is placed in SplashScreen.ui.
class SplashScreen final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SplashScreen)

public:
    explicit SplashScreen(Platform& platform);
    ~SplashScreen() override;

    // The timer's tick and a click on the picture both hand over to the main
    // window: the timer stops, the splash hides, and handedOver() is sent.
    void handOver();

signals:
    // The main window is to be shown now, and made first if it was not.
    void handedOver();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    std::unique_ptr<Ui::SplashScreen> m_ui;
    std::unique_ptr<Timer> m_handOverTimer;
    Qt::MouseButton m_pressedButton = Qt::NoButton;
};

} // namespace pollwick

#pragma once

#include "window/ui_SplashScreen.h"

#include <QWidget>

#include <functional>
#include <memory>

namespace pollwick {

class Platform;
class Timer;

// The splash window: a 250 x 250 picture without a title bar, centred, that
// gives way to the main window after 1500 ms or at the first click. The
// picture (Ui::SplashScreen's `picture`) is placed in SplashScreen.ui.
class SplashScreen final : public QWidget, public Ui::SplashScreen
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SplashScreen)

public:
    // `mainWindow` returns the main window, making it (and so running its
    // load) the first time it is asked.
    SplashScreen(Platform& platform, std::function<QWidget&()> mainWindow);
    ~SplashScreen() override;

    // The timer's tick and a click on the picture both hand over to the main
    // window: the splash hides, and the main window shows.
    void handOver();

    std::unique_ptr<Timer> handOverTimer;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    std::function<QWidget&()> m_mainWindow;
    Qt::MouseButton m_pressedButton = Qt::NoButton;
};

} // namespace pollwick

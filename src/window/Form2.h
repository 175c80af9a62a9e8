#pragma once

#include <QWidget>

#include <functional>
#include <memory>

class QLabel;

namespace pollwick {

class Platform;
class Timer;

// Form2, the splash window: a 250 x 250 picture without a title bar, centred,
// that gives way to the main window after 1500 ms or at the first click.
class Form2 final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Form2)

public:
    // `mainWindow` returns the main window, making it (and so running its
    // load) the first time it is asked.
    Form2(Platform& platform, std::function<QWidget&()> mainWindow);
    ~Form2() override;

    void Timer1_Timer();
    void Image1_Click();

    QLabel* Image1 = nullptr;
    std::unique_ptr<Timer> Timer1;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void handOver();

    std::function<QWidget&()> m_mainWindow;
    Qt::MouseButton m_pressedButton = Qt::NoButton;
};

} // namespace pollwick

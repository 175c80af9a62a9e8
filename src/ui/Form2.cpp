#include "ui/Form2.h"

#include "platform/Platform.h"
#include "platform/Timer.h"
#include "ui/Twips.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>

namespace pollwick {

Form2::Form2(Platform& platform, std::function<QWidget&()> mainWindow)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint)
    , m_mainWindow(std::move(mainWindow))
{
    setObjectName(QStringLiteral("Form2"));
    setFixedSize(twips(3750), twips(3750));
    centerOnFirstShow(this);
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(twipsRect(0, 0, 3750, 3750));
    Image1->setPixmap(QPixmap(QStringLiteral(":/images/splash.bmp")));
    // Clicks on the picture reach the window.
    Image1->setAttribute(Qt::WA_TransparentForMouseEvents);

    Timer1 = platform.createTimer();
    Timer1->onTick = [this] { Timer1_Timer(); };
    Timer1->setInterval(1500);
}

Form2::~Form2() = default;

void Form2::Timer1_Timer()
{
    handOver();
}

void Form2::Image1_Click()
{
    handOver();
}

void Form2::handOver()
{
    // Stopping the timer first means a click cancels the tick to come.
    Timer1->setInterval(0);
    hide();
    m_mainWindow().show();
}

void Form2::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void Form2::mouseReleaseEvent(QMouseEvent* event)
{
    // A click is a press and a release on the picture.
    if (m_pressed && event->button() == Qt::LeftButton &&
        rect().contains(event->position().toPoint())) {
        m_pressed = false;
        Image1_Click();
    }
    event->accept();
}

} // namespace pollwick

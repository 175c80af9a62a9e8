#include "window/Form2.h"

#include "platform/Platform.h"
#include "platform/Timer.h"
#include "window/Twips.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>

namespace pollwick {

Form2::Form2(Platform& platform, std::function<QWidget&()> mainWindow)
    // A thin resizable frame and no title bar, control menu or icon: a
    // window that asks only for its frame. On Windows that is a thick frame
    // without a caption; on X11 the window manager is asked for a border and
    // resize handles, without title or menu.
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint)
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
    // Any button clicks the picture.
    m_pressedButton = event->button();
    event->accept();
}

void Form2::mouseReleaseEvent(QMouseEvent* event)
{
    // A click is a press and a release of the same button on the picture.
    const bool click =
        event->button() == m_pressedButton && rect().contains(event->position().toPoint());
    m_pressedButton = Qt::NoButton;
    if (click) {
        Image1_Click();
    }
    event->accept();
}

} // namespace pollwick

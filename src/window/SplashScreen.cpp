// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/SplashScreen.h"

#include "core/Timer.h"
#include "platform/Platform.h"
#include "window/Twips.h"
#include "window/ui_SplashScreen.h"

#include <QLabel>
#include <QMouseEvent>

namespace pollwick {

SplashScreen::SplashScreen(Platform& platform)
    // A thin resizable frame and no title bar, control menu or icon: a
    // window that asks only for its frame. On Windows that is a thick frame
    // without a caption; on X11 the window manager is asked for a border and
    // resize handles, without title or menu.
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint)
    , m_ui(std::make_unique<Ui::SplashScreen>())
    , m_handOverTimer(platform.createTimer(TimerRole::HandOver))
{
    m_ui->setupUi(this);
    centerOnFirstShow(this);
    // Clicks on the picture reach the window.
    m_ui->picture->setAttribute(Qt::WA_TransparentForMouseEvents);

    m_handOverTimer->onTick([this] { handOver(); });
    m_handOverTimer->start(std::chrono::milliseconds(1500));
}

SplashScreen::~SplashScreen() = default;

void SplashScreen::handOver()
{
    // Stopping the timer first means a click cancels the tick to come.
    m_handOverTimer->stop();
    hide();
    emit handedOver();
}

void SplashScreen::mousePressEvent(QMouseEvent* event)
{
    // Any button clicks the picture.
    m_pressedButton = event->button();
    event->accept();
}

void SplashScreen::mouseReleaseEvent(QMouseEvent* event)
{
    // A click is a press and a release of the same button on the picture.
    const bool click =
        event->button() == m_pressedButton && rect().contains(event->position().toPoint());
    m_pressedButton = Qt::NoButton;
    if (click) {
        handOver();
    }
    event->accept();
}

} // namespace pollwick

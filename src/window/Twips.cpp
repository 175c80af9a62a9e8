// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/Twips.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace pollwick {
namespace {

void centerOnScreen(QWidget* window)
{
    const QScreen* screen = window->screen();
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen == nullptr) {
        return;
    }
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

// Centres its window at the first Show event, then goes.
class CenterOnFirstShow final : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched == parent()) {
            centerOnScreen(static_cast<QWidget*>(watched));
            watched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }
};

} // namespace

void centerOnFirstShow(QWidget* window)
{
    window->installEventFilter(new CenterOnFirstShow(window));
}

} // namespace pollwick

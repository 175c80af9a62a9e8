// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/layout/WindowLayout.h"

#include <QRect>

class QWidget;

namespace pollwick {

// A control's place in twips (1440 to the inch), in pixels: 15 twips are
// one device-independent pixel, and Qt scales those for high-density
// screens.
constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return {layout::pixels(left), layout::pixels(top), layout::pixels(width),
            layout::pixels(height)};
}

// Puts a top-level window in the middle of its screen the first time it is
// shown (its frame is known only then); later showings keep where the user
// left it.
void centerOnFirstShow(QWidget* window);

} // namespace pollwick

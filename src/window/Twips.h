// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QRect>

class QWidget;

namespace pollwick {

// Window layouts are measured in twips, 1440 to the inch: 15 twips are one
// device-independent pixel, and Qt scales those for high-density screens.
constexpr int twips(int value)
{
    return (value + (value >= 0 ? 7 : -7)) / 15;
}

constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return {twips(left), twips(top), twips(width), twips(height)};
}

// Puts a top-level window in the middle of its screen the first time it is
// shown (its frame is known only then); later showings keep where the user
// left it.
void centerOnFirstShow(QWidget* window);

} // namespace pollwick

// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/ShownText.h"

#include <QString>

#include <string>
#include <string_view>

// Where text meets a person in the Qt windows: the list server's bytes and
// the core's UTF-8 become Qt's text, typed text becomes bytes again.
namespace pollwick {

// The core's UTF-8 as text.
QString fromUtf8(std::string_view utf8);
std::string toUtf8(const QString& text);

// List-server text (Windows-1252 bytes) as a person is shown it: control
// characters as their pictures, cut as the part says ("…" after it).
QString shownText(ShownPart part);
// The same, cut at `most` characters.
QString shownListText(std::string_view bytes, std::size_t most = kShownCharacters);

// Text typed in the window as list-server bytes; a character that
// Windows-1252 cannot hold becomes '?'.
std::string toListText(const QString& text);

} // namespace pollwick

// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/WindowText.h"

#include "core/Windows1252.h"

namespace pollwick {

QString fromListText(std::string_view bytes)
{
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char byte : bytes) {
        // Every character of the code page lies in the Basic Multilingual Plane.
        *out++ = QChar(static_cast<char16_t>(cp1252::toUnicode(static_cast<unsigned char>(byte))));
    }
    return text;
}

QString shownListText(std::string_view bytes, std::size_t most)
{
    if (bytes.size() <= most || most == 0) {
        return fromListText(bytes.substr(0, most));
    }
    return fromListText(bytes.substr(0, most - 1)) + QChar(0x2026);
}

std::string toListText(const QString& text)
{
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            ++i; // one character outside the code page: one '?'
            bytes += '?';
        } else if (c.isSurrogate()) {
            bytes += '?';
        } else {
            bytes += static_cast<char>(cp1252::fromUnicode(c.unicode()));
        }
    }
    return bytes;
}

} // namespace pollwick

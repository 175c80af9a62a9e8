// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/WindowText.h"

#include "core/Windows1252.h"

namespace pollwick {

QString fromUtf8(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string toUtf8(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    return {utf8.constData(), static_cast<std::size_t>(utf8.size())};
}

QString shownText(ShownPart part)
{
    QString text(static_cast<qsizetype>(part.kept.size() + (part.cut ? 1 : 0)), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char byte : part.kept) {
        // Every character shown lies in the Basic Multilingual Plane.
        *out++ = QChar(static_cast<char16_t>(shownCharacter(static_cast<unsigned char>(byte))));
    }
    if (part.cut) {
        *out = QChar(0x2026);
    }
    return text;
}

QString shownListText(std::string_view bytes, std::size_t most)
{
    return shownText(shownPart(bytes, most));
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

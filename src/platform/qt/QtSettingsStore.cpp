// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/qt/QtSettingsStore.h"

#include <QSettings>

namespace pollwick {
namespace {

QString entry(const QString& section, const QString& key)
{
    return section + QLatin1Char('/') + key;
}

} // namespace

QString QtSettingsStore::read(const QString& application, const QString& section,
                              const QString& key) const
{
    const QSettings settings(QSettings::NativeFormat, QSettings::UserScope, application);
    const QVariant value = settings.value(entry(section, key));
    // A value that is not text (a hand-edited list, say) reads as empty.
    return value.canConvert<QString>() ? value.toString() : QString();
}

bool QtSettingsStore::write(const QString& application, const QString& section, const QString& key,
                            const QString& value)
{
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, application);
    settings.setValue(entry(section, key), value);
    settings.sync();
    // The status also carries what went wrong reading the store: a file that
    // holds a line it cannot make sense of (edited by hand, or damaged)
    // reports a format error, yet the write goes through. So the write is
    // judged by itself: no access error, and the value reads back.
    if (settings.status() == QSettings::AccessError) {
        return false;
    }
    const QSettings written(QSettings::NativeFormat, QSettings::UserScope, application);
    return written.value(entry(section, key)) == QVariant(value);
}

QString QtSettingsStore::location(const QString& application) const
{
    const QSettings settings(QSettings::NativeFormat, QSettings::UserScope, application);
    return settings.fileName();
}

} // namespace pollwick

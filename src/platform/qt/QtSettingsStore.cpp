// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/qt/QtSettingsStore.h"

#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <cstdint>

namespace pollwick {
namespace {

// Four paths take a few hundred bytes; a file over this size is no
// settings file this program wrote.
constexpr qint64 kLargestFile = qint64{1} << 20;

QString text(const std::string& utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QString entry(const std::string& section, const std::string& key)
{
    return text(section) + QLatin1Char('/') + text(key);
}

} // namespace

QtSettingsStore::QtSettingsStore(QString folder)
    : m_folder(folder.isEmpty()
                   ? QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                   : std::move(folder))
{ }

QString QtSettingsStore::fileOf(const std::string& application) const
{
    return m_folder + QLatin1Char('/') + text(application) + QStringLiteral(".conf");
}

std::string QtSettingsStore::trouble(const std::string& application) const
{
    const QFileInfo file(fileOf(application));
    if (file.exists() && file.size() > kLargestFile) {
        return "it holds " + std::to_string(file.size()) + " bytes, more than any settings file";
    }
    return {};
}

std::string QtSettingsStore::read(const std::string& application, const std::string& section,
                                  const std::string& key) const
{
    if (!trouble(application).empty()) {
        return {};
    }
    const QSettings settings(fileOf(application), QSettings::IniFormat);
    const QVariant value = settings.value(entry(section, key));
    // A value that is not text (a hand-edited list, say) reads as empty.
    return value.canConvert<QString>() ? value.toString().toStdString() : std::string();
}

bool QtSettingsStore::write(const std::string& application, const std::string& section,
                            const std::string& key, const std::string& value)
{
    if (!trouble(application).empty()) {
        return false;
    }
    QSettings settings(fileOf(application), QSettings::IniFormat);
    settings.setValue(entry(section, key), text(value));
    settings.sync();
    // The status also carries what went wrong reading the store: a file that
    // holds a line it cannot make sense of (edited by hand, or damaged)
    // reports a format error, yet the write goes through. So the write is
    // judged by itself: no access error, and the value reads back.
    if (settings.status() == QSettings::AccessError) {
        return false;
    }
    const QSettings written(fileOf(application), QSettings::IniFormat);
    return written.value(entry(section, key)) == QVariant(text(value));
}

std::string QtSettingsStore::location(const std::string& application) const
{
    return fileOf(application).toStdString();
}

} // namespace pollwick

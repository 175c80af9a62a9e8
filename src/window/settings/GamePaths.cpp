// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/settings/GamePaths.h"

#include "platform/SettingsStore.h"

#include <array>

namespace pollwick {
namespace {

const QString kApplication = QStringLiteral("Wombix Pollwick");
const QString kSection = QStringLiteral("Paths");

// The order in which the keys are read and written.
constexpr std::array<GameEdition, 4> kStoreOrder = {GameEdition::Normal, GameEdition::Ambrel,
                                                    GameEdition::Corvane, GameEdition::Pellory};

QString keyOf(GameEdition edition)
{
    const std::string_view name = editionName(edition);
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

} // namespace

QString& GamePaths::of(GameEdition edition)
{
    switch (edition) {
    case GameEdition::Normal:
        return normal;
    case GameEdition::Ambrel:
        return ambrel;
    case GameEdition::Corvane:
        return corvane;
    case GameEdition::Pellory:
        return pellory;
    }
    return normal;
}

const QString& GamePaths::of(GameEdition edition) const
{
    return const_cast<GamePaths*>(this)->of(edition);
}

GamePaths readGamePaths(const SettingsStore& store)
{
    GamePaths paths;
    for (const GameEdition edition : kStoreOrder) {
        paths.of(edition) = store.read(kApplication, kSection, keyOf(edition));
    }
    return paths;
}

bool writeGamePaths(SettingsStore& store, const GamePaths& paths)
{
    bool allKept = true;
    for (const GameEdition edition : kStoreOrder) {
        allKept = store.write(kApplication, kSection, keyOf(edition), paths.of(edition)) && allKept;
    }
    return allKept;
}

QString gamePathsLocation(const SettingsStore& store)
{
    return store.location(kApplication);
}

} // namespace pollwick

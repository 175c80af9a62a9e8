// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/settings/GamePaths.h"

#include "core/Texts.h"

#include <array>

namespace pollwick {
namespace {

const std::string kApplication(texts::kProgramTitle);
const std::string kSection = "Paths";

// The order in which the keys are read and written.
constexpr std::array<GameEdition, 4> kStoreOrder = {GameEdition::Normal, GameEdition::Ambrel,
                                                    GameEdition::Corvane, GameEdition::Pellory};

} // namespace

std::string& GamePaths::of(GameEdition edition)
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

const std::string& GamePaths::of(GameEdition edition) const
{
    return const_cast<GamePaths*>(this)->of(edition);
}

bool noGamePathSet(const GamePaths& paths)
{
    return paths.normal.empty() && paths.ambrel.empty() && paths.corvane.empty() &&
        paths.pellory.empty();
}

StoredGamePaths::StoredGamePaths(SettingsStore& store)
    : m_store(store)
{ }

GamePaths StoredGamePaths::load() const
{
    if (m_unsaved) {
        return *m_unsaved;
    }
    GamePaths paths;
    for (const GameEdition edition : kStoreOrder) {
        paths.of(edition) = m_store.read(kApplication, kSection, std::string(editionName(edition)));
    }
    return paths;
}

bool StoredGamePaths::accept(const GamePaths& paths)
{
    bool allKept = true;
    for (const GameEdition edition : kStoreOrder) {
        allKept = m_store.write(kApplication, kSection, std::string(editionName(edition)),
                                paths.of(edition)) &&
            allKept;
    }
    if (allKept) {
        m_unsaved.reset();
    } else {
        m_unsaved = paths;
    }
    return allKept;
}

std::string StoredGamePaths::notSavedMessage() const
{
    return "The Wombix paths could not be saved to " + m_store.location(kApplication) +
        ". They stay in use until Wombix Pollwick is closed.";
}

std::string StoredGamePaths::unreadableMessage() const
{
    const std::string trouble = m_store.trouble(kApplication);
    if (trouble.empty()) {
        return {};
    }
    return "The Wombix paths could not be read from " + m_store.location(kApplication) + ": " +
        trouble + ". It is left untouched, and paths chosen now stay in use until Wombix " +
        "Pollwick is closed.";
}

} // namespace pollwick

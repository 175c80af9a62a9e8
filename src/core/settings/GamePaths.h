// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/match/LaunchPlan.h"

#include <optional>
#include <string>

namespace pollwick {

// The per-user settings store, addressed by application, section and key;
// texts in UTF-8. Each platform implements it (a settings file, the
// registry).
class SettingsStore
{
public:
    virtual ~SettingsStore() = default;

    // The stored text, or empty text when there is none or it cannot be read.
    [[nodiscard]] virtual std::string read(const std::string& application,
                                           const std::string& section,
                                           const std::string& key) const = 0;
    // Writes one value; false when the store could not keep it.
    virtual bool write(const std::string& application, const std::string& section,
                       const std::string& key, const std::string& value) = 0;
    // Where the store keeps the application's settings, to tell the person.
    [[nodiscard]] virtual std::string location(const std::string& application) const = 0;
    // Why the store could not be read, when it could not (a file larger
    // than any settings file, say); empty when it could.
    [[nodiscard]] virtual std::string trouble(const std::string& /*application*/) const
    {
        return {};
    }
};

// The executable paths of the four game editions (UTF-8), each empty when
// not set.
struct GamePaths {
    std::string normal;
    std::string ambrel;
    std::string corvane;
    std::string pellory;

    [[nodiscard]] std::string& of(GameEdition edition);
    [[nodiscard]] const std::string& of(GameEdition edition) const;
    friend bool operator==(const GamePaths&, const GamePaths&) = default;
};

// True when not one path is set: the start-up check then asks for them. A
// path of spaces counts as set.
bool noGamePathSet(const GamePaths& paths);

// The stored copy of the game paths: application "Wombix Pollwick", section
// "Paths", one key per edition ("Normal", "Ambrel", "Corvane", "Pellory"),
// read and written in that order, every key every time.
//
// Paths accepted but not kept by the store stay in use, and are what a
// reload gives, until the store takes them or the program ends: reloading
// the store's old paths would lose the person's choice.
class StoredGamePaths final
{
public:
    explicit StoredGamePaths(SettingsStore& store);

    // What the path boxes are to hold.
    [[nodiscard]] GamePaths load() const;
    // Stores the paths. False when the store could not keep them all; they
    // stay in use for this run all the same.
    bool accept(const GamePaths& paths);

    // To tell the person that the paths could not be saved.
    [[nodiscard]] std::string notSavedMessage() const;
    // To tell the person that the store could not be read; empty when it
    // could.
    [[nodiscard]] std::string unreadableMessage() const;

private:
    SettingsStore& m_store;
    std::optional<GamePaths> m_unsaved;
};

} // namespace pollwick

// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/settings/GamePaths.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace pollwick {
namespace {

// A store in memory that writes what it is told, unless it is told to fail.
class MemoryStore final : public SettingsStore
{
public:
    [[nodiscard]] std::string read(const std::string& application, const std::string& section,
                                   const std::string& key) const override
    {
        const auto found = values.find(application + "/" + section + "/" + key);
        return found == values.end() ? std::string() : found->second;
    }
    bool write(const std::string& application, const std::string& section, const std::string& key,
               const std::string& value) override
    {
        writes.push_back(key + "=" + value);
        if (failing) {
            return false;
        }
        values[application + "/" + section + "/" + key] = value;
        return true;
    }
    [[nodiscard]] std::string location(const std::string& application) const override
    {
        return "~/" + application;
    }
    [[nodiscard]] std::string trouble(const std::string& /*application*/) const override
    {
        return troubleText;
    }

    std::map<std::string, std::string> values;
    std::vector<std::string> writes;
    bool failing = false;
    std::string troubleText;
};

TEST(GamePaths, AllFourAreWrittenInOrderAndWhatTheStoreRefusesStaysInUse)
{
    MemoryStore store;
    store.values["Wombix Pollwick/Paths/Corvane"] = "C:\\corvane\\wombix.exe";
    StoredGamePaths stored(store);
    GamePaths loaded = stored.load();
    EXPECT_EQ(loaded.corvane, "C:\\corvane\\wombix.exe");
    EXPECT_TRUE(loaded.normal.empty());
    EXPECT_FALSE(noGamePathSet(loaded));

    GamePaths chosen;
    chosen.normal = " "; // a path of a space counts as set
    EXPECT_TRUE(stored.accept(chosen));
    EXPECT_EQ(store.writes,
              (std::vector<std::string>{"Normal= ", "Ambrel=", "Corvane=", "Pellory="}));
    EXPECT_FALSE(noGamePathSet(stored.load()));
    EXPECT_TRUE(noGamePathSet(GamePaths{}));

    // A store that refuses keeps nothing, yet the paths stay in use.
    store.failing = true;
    chosen.pellory = "/games/pellory/wombix.exe";
    EXPECT_FALSE(stored.accept(chosen));
    EXPECT_EQ(stored.load(), chosen);
    EXPECT_EQ(stored.notSavedMessage(),
              "The Wombix paths could not be saved to ~/Wombix Pollwick. They stay in use until "
              "Wombix Pollwick is closed.");
    // Once the store takes them, it is the store again.
    store.failing = false;
    EXPECT_TRUE(stored.accept(chosen));
    store.values["Wombix Pollwick/Paths/Normal"] = "changed";
    EXPECT_EQ(stored.load().normal, "changed");

    EXPECT_EQ(stored.unreadableMessage(), "");
    store.troubleText = "the file holds 100 MB";
    EXPECT_EQ(stored.unreadableMessage(),
              "The Wombix paths could not be read from ~/Wombix Pollwick: the file holds 100 MB. "
              "It is left untouched, and paths chosen now stay in use until Wombix Pollwick is "
              "closed.");
}

} // namespace
} // namespace pollwick

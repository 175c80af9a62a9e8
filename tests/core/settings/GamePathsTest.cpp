// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/settings/GamePaths.h"

#include "fakes/PortFakes.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace pollwick {
namespace {

using test::MemoryStore;

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

// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Stand-ins for the core's ports, in plain C++, for the tests of the engine
// and of both windows: a timer that ticks when the test says, a clock that
// shows what the test says, a connection without a network, to which the
// test hands what a list server would send, and a settings store in memory.

#include "core/Clock.h"
#include "core/Timer.h"
#include "core/scan/ListConnection.h"
#include "core/settings/GamePaths.h"

#include <chrono>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace pollwick::test {

class ManualTimer final : public Timer
{
public:
    void start(std::chrono::milliseconds interval) override
    {
        m_interval = interval.count() > 0 ? interval : std::chrono::milliseconds(0);
        ++starts;
    }
    void stop() override { m_interval = std::chrono::milliseconds(0); }
    [[nodiscard]] bool isActive() const override { return m_interval.count() > 0; }
    [[nodiscard]] std::chrono::milliseconds interval() const { return m_interval; }

    // One tick, as the real timer would deliver it: only while it runs.
    void fire() const
    {
        if (isActive()) {
            tick();
        }
    }

    int starts = 0; // how often it was started (a start restarts the count)

private:
    std::chrono::milliseconds m_interval{0};
};

class FixedClock final : public Clock
{
public:
    [[nodiscard]] TimeOfDay now() const override { return time; }
    TimeOfDay time{12, 0, 0};
};

// A connection that only counts: the test plays the list server through
// connect(), send() and end(), each for the connection open now.
class HandedConnection final : public ListConnection
{
public:
    void open(const std::string& host, std::uint16_t port) override
    {
        m_open = true;
        calls.push_back("open " + host + ":" + std::to_string(port));
    }
    void close() override
    {
        m_open = false;
        calls.push_back("close");
    }
    [[nodiscard]] bool isOpen() const override { return m_open; }

    void connect() const
    {
        if (m_open) {
            receiver()->connected();
        }
    }
    // Hands over `bytes` in pieces of at most kListPieceBytes, as a real
    // connection does; nothing once it is closed.
    void send(std::string_view bytes) const
    {
        while (m_open && !bytes.empty()) {
            const std::string_view piece = bytes.substr(0, kListPieceBytes);
            bytes.remove_prefix(piece.size());
            receiver()->received(piece);
        }
    }
    void end(ConnectionEnd how)
    {
        if (m_open) {
            m_open = false;
            receiver()->ended(how);
        }
    }

    std::vector<std::string> calls; // "open host:port", "close"

private:
    bool m_open = false;
};

// Keeps what it is told, keyed "application/section/key", unless told to
// fail; it lists every write, kept or not.
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
    std::vector<std::string> writes; // "key=value"
    bool failing = false; // refuses every write
    std::string troubleText; // why it cannot be read; empty when it can
};

} // namespace pollwick::test

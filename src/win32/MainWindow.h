// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/scan/ScanEngine.h"
#include "win32/Metrics.h"

#include <memory>
#include <string>
#include <string_view>
#include <windows.h>

namespace pollwick {
class ListConnection;
class Timer;
} // namespace pollwick

namespace pollwick::win {

class LayoutControls;
class PathsDialog;
class Platform;
class ServerList;

// The main window, "Wombix Pollwick": list-server choice, match criteria,
// alerts, Go and Stop, the status line, and the server list that "Show
// List" widens the window to reveal.
//
// The scan is the core's ScanEngine: the window tells it what the person
// did and shows what it reports. Its state sets which controls can be used
// (usableControls()), its words fill the status line, its records fill the
// server list, and its match runs the alerts, which are the window's: the
// attention marks, the sound, the "Server Up" box and the game. The
// criteria are read from the controls whenever the engine asks.
//
// Each piece of state has one owner: the engine the scan, the check boxes
// what is ticked, the path boxes of the Paths dialog the game paths.
// kClickHandlers (MainWindow.cpp) and connectTimers() are the one table of
// which control or timer drives which handler.
class MainWindow final : private ScanEngine::Listener
{
public:
    // Makes the window, hidden, and runs its load: the Paths dialog with
    // the stored paths, the start-up check in 500 ms, the list's columns,
    // and the list-server choice polled every 100 ms.
    MainWindow(Platform& platform, const Scale& scale);
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;
    MainWindow(MainWindow&&) = delete;
    MainWindow& operator=(MainWindow&&) = delete;

    void show() const;

    [[nodiscard]] HWND handle() const { return m_window; }
    [[nodiscard]] HWND control(std::string_view name) const;
    [[nodiscard]] const LayoutControls& controls() const { return *m_controls; }
    [[nodiscard]] PathsDialog& pathsDialog() { return *m_paths; }
    [[nodiscard]] const ScanEngine& engine() const { return m_engine; }
    [[nodiscard]] const ServerList& serverList() const { return *m_list; }

private:
    struct ClickHandler;
    static const ClickHandler kClickHandlers[];

    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void clicked(int controlId);
    void connectTimers();
    void load();

    // Handlers.
    void checkServerChoice();
    void startScan();
    void stopScan();
    void followTickedBoxes();
    void chooseWaveFile();
    void applyListWidth();
    void openPathsDialog();
    void checkGamePaths();
    void showListedRows();

    // ScanEngine::Listener
    void stateChanged(ScanState state) override;
    void statusChanged() override;
    void responseStarted() override;
    void recordListed(const ServerRecord& record) override;
    void pieceWalked() override;
    void listEnded(const QueryReport& report) override;
    void matched(const ServerRecord& record, ParsedFields fromLine) override;
    std::optional<MatchCriteria> currentCriteria() override;
    [[nodiscard]] MatchCriteria readCriteria() const;

    void showState(ScanState state);
    void showStatus();
    void launchGame(const ServerRecord& matched, ParsedFields fromLine);
    [[nodiscard]] bool ticked(std::string_view checkBox) const;
    [[nodiscard]] std::wstring text(std::string_view control) const;

    Platform& m_platform;
    Scale m_scale;
    Fonts m_fonts;
    std::unique_ptr<ListConnection> m_connection;
    std::unique_ptr<Timer> m_requeryTimer; // the engine's
    std::unique_ptr<Timer> m_serverChoiceTimer;
    std::unique_ptr<Timer> m_startupCheckTimer;
    // Shows the rows listed so far, at most every kRowsShownEvery.
    std::unique_ptr<Timer> m_rowsTimer;
    ScanEngine m_engine;
    HWND m_window = nullptr;
    HWND m_lastFocus = nullptr;
    std::unique_ptr<LayoutControls> m_controls;
    std::unique_ptr<ServerList> m_list;
    std::unique_ptr<PathsDialog> m_paths;
    std::wstring m_lastWaveFile; // the file dialog opens where the last choice was
    // The criteria as the controls hold them, read when the engine first
    // asked since the last change (see currentCriteria).
    std::optional<MatchCriteria> m_criteria;
};

} // namespace pollwick::win

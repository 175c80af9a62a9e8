// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// pollwick-win32-bench.exe: the Windows window's whole handling of one list,
// under Wine or on Windows. The main window, widened to show the list, is
// handed a made-up response (the stand-in list server's, seed 7) at once,
// with criteria that no server meets, and lists all of it: the walk, a row
// for each server, the list view told of them, and the window repainted.
// The connection is a stand-in, so the network is not measured.
//
//   pollwick-win32-bench.exe [LINES] [RUNS]      median and best, in ms
//   pollwick-win32-bench.exe --show narrow|wide|paths SECONDS
//       shows that window (wide: with a list) for a screenshot, then ends

#include "FakeWinPlatform.h"
#include "WinTestSupport.h"
#include "core/scan/ScanEngine.h"
#include "fakes/PortFakes.h"
#include "listserver/SimulatedList.h"
#include "win32/MainWindow.h"
#include "win32/PathsDialog.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>
#include <windows.h>

namespace {

using namespace pollwick;
using namespace std::chrono_literals;

double nowMs()
{
    LARGE_INTEGER frequency{};
    LARGE_INTEGER counter{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

void pumpMessages(double forMs)
{
    const double until = nowMs() + forMs;
    MSG message{};
    while (nowMs() < until) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(10);
    }
}

struct ScanningWindow {
    ScanningWindow()
    {
        test::setUpWindows();
        platform.store.values["Wombix Pollwick/Paths/Normal"] = "C:\\Games\\Wombix\\wombix.exe";
        window = std::make_unique<win::MainWindow>(platform, win::Scale::ofSystem());
        window->show();
        test::typeText(control("hostCombo"), L"127.0.0.1");
        platform.timerRunningAt(100ms)->fire();
        test::click(control("nameCheck"));
        test::typeText(control("nameEdit"), L"no server is called this");
        test::click(control("messageCheck"));
        test::typeText(control("messageEdit"), L"Arena is up!");
        test::click(control("showListCheck"));
        pumpMessages(200);
    }
    [[nodiscard]] HWND control(const char* name) const { return window->control(name); }

    // One query's answer, whole: the time to list it, then to paint what
    // the window shows, in ms.
    [[nodiscard]] std::pair<double, double> answer(const std::string& text) const
    {
        const double start = nowMs();
        platform.connection()->connect();
        platform.connection()->send(text);
        platform.connection()->end(ConnectionEnd::Closed);
        const double listed = nowMs();
        RedrawWindow(window->handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        return {listed - start, nowMs() - listed};
    }

    test::FakeWinPlatform platform;
    std::unique_ptr<win::MainWindow> window;
};

// The engine alone, with the same criteria and no window: what the walk,
// the parser and the match test cost under Wine.
struct EngineAlone final : ScanEngine::Listener {
    std::optional<MatchCriteria> currentCriteria() override
    {
        MatchCriteria criteria;
        criteria.useName = true;
        criteria.nameText = "no server is called this";
        return criteria;
    }
};

double engineAlone(const std::string& text)
{
    test::HandedConnection connection;
    test::ManualTimer timer;
    test::FixedClock clock;
    EngineAlone listener;
    ScanEngine engine(connection, timer, clock, listener);
    engine.chooseServer("127.0.0.1");
    engine.start("127.0.0.1");
    const double start = nowMs();
    connection.connect();
    connection.send(text);
    connection.end(ConnectionEnd::Closed);
    return nowMs() - start;
}

int measure(int lines, int runs)
{
    const std::string text = sim::responseText(sim::simulatedServers(7, 0, lines));
    ScanningWindow scanning;
    test::click(scanning.control("goButton"));
    std::vector<double> times;
    std::vector<double> listing;
    std::vector<double> painting;
    std::vector<double> engine;
    for (int run = 0; run < runs; ++run) {
        engine.push_back(engineAlone(text));
        if (run > 0) {
            scanning.platform.timerRunningAt(5000ms)->fire(); // the next query
        }
        const auto [listed, painted] = scanning.answer(text);
        listing.push_back(listed);
        painting.push_back(painted);
        times.push_back(listed + painted);
        pumpMessages(20);
    }
    const int rows = test::listRows(scanning.control("serverList"));
    for (std::vector<double>* series : {&times, &listing, &painting, &engine}) {
        std::sort(series->begin(), series->end());
    }
    const std::size_t middle = times.size() / 2;
    std::printf("win32/arrival+paint/%d: median %.1f ms (listing %.1f, painting %.1f; the "
                "engine alone %.1f), best %.1f ms, worst %.1f ms (%d runs, %d rows, %zu bytes)\n",
                lines, times[middle], listing[middle], painting[middle], engine[middle],
                times.front(), times.back(), runs, rows, text.size());
    return rows == lines ? 0 : 1;
}

int show(const std::string& what, int seconds)
{
    ScanningWindow scanning;
    if (what == "narrow") {
        test::click(scanning.control("showListCheck"));
    } else if (what == "paths") {
        test::click(scanning.control("showListCheck"));
        test::click(scanning.control("pathsButton"));
    } else {
        test::click(scanning.control("goButton"));
        static_cast<void>(scanning.answer(sim::responseText(sim::simulatedServers(7, 0, 40))));
    }
    pumpMessages(seconds * 1000.0);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 3 && std::strcmp(argv[1], "--show") == 0) {
        return show(argv[2], argc >= 4 ? std::atoi(argv[3]) : 10);
    }
    const int lines = argc >= 2 ? std::atoi(argv[1]) : 32767;
    const int runs = argc >= 3 ? std::atoi(argv[2]) : 15;
    return measure(lines, runs);
}

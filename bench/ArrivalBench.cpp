// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// How long the window takes to handle one list: the data-arrival handler
// with everything it runs (split, parse, server-list rows, match test), and
// then the repaint of the widened window showing the rows; and how long a
// repaint of the list alone takes, with short names and with names of a
// megabyte. The socket is a stand-in that hands the handler the whole
// response at once, so the network is not measured.

#include "FakePlatform.h"
#include "listserver/SimulatedList.h"
#include "window/MainWindow.h"
#include "window/ServerListView.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <benchmark/benchmark.h>

#include <map>
#include <string>

namespace {

using namespace pollwick;

const std::string& response(std::int64_t lines)
{
    static std::map<std::int64_t, std::string> made;
    auto it = made.find(lines);
    if (it == made.end()) {
        it = made.emplace(lines,
                          sim::responseText(sim::simulatedServers(7, 0, static_cast<int>(lines))))
                 .first;
    }
    return it->second;
}

// The window scanning a list server, shown wide, with criteria that no
// server meets so that every line is walked and listed.
struct ScanningWindow {
    ScanningWindow()
    {
        platform.storePath("Normal", "/games/wombix.exe");
        form = std::make_unique<MainWindow>(platform);
        control<QComboBox>("hostCombo")->setEditText(QStringLiteral("127.0.0.1"));
        platform.timer(TimerRole::ServerChoice).fire();
        control<QCheckBox>("nameCheck")->setChecked(true);
        control<QLineEdit>("nameEdit")->setText(QStringLiteral("no server is called this"));
        control<QCheckBox>("showListCheck")->setChecked(true);
        form->show();
        QApplication::processEvents();
        control<QPushButton>("goButton")->click();
    }
    template <typename Control>
    Control* control(const char* name) const
    {
        return form->findChild<Control*>(QString::fromLatin1(name));
    }
    // A new connection, as the next query makes, and the whole list on it.
    void deliver(const std::string& text)
    {
        platform.timer(TimerRole::Requery).fire();
        platform.handed().connect();
        platform.handed().send(text);
    }
    [[nodiscard]] ServerListView& serverList() const
    {
        return *control<ServerListView>("serverList");
    }

    test::FakePlatform platform;
    std::unique_ptr<MainWindow> form;
};

// Each iteration a new connection with its whole response at once; with
// `paint`, the window also paints the list and handles its events.
void arrival(benchmark::State& state, bool paint)
{
    const std::string& text = response(state.range(0));
    ScanningWindow window;
    for (auto _ : state) {
        static_cast<void>(_);
        window.deliver(text);
        if (paint) {
            window.form->repaint();
            QApplication::processEvents();
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
    state.counters["entries"] = window.serverList().model()->rowCount();
}

BENCHMARK_CAPTURE(arrival, listed, false)
    ->Name("window/arrival")
    ->Arg(200)
    ->Arg(32767)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(arrival, painted, true)
    ->Name("window/arrival+paint")
    ->Arg(200)
    ->Arg(32767)
    ->Unit(benchmark::kMicrosecond);

// Repainting the list of one response of 31 servers whose names are
// `nameLength` characters long, shown wide: short names, and names of a
// megabyte that a hostile list server may send.
void paintList(benchmark::State& state)
{
    const auto nameLength = static_cast<std::size_t>(state.range(0));
    std::string text;
    for (int server = 0; server < 31; ++server) {
        text += "192.0.2." + std::to_string(server + 1) + ":7000 battle 1.24   [1/16] ";
        text.append(nameLength, static_cast<char>('A' + server % 26));
        text += "\r\n";
    }
    ScanningWindow window;
    window.deliver(text);
    QApplication::processEvents();
    for (auto _ : state) {
        static_cast<void>(_);
        window.serverList().viewport()->repaint();
    }
    state.counters["entries"] = window.serverList().model()->rowCount();
}

BENCHMARK(paintList)->Name("window/paint31")->Arg(20)->Arg(1000000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

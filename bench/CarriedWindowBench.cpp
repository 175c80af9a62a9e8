// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// pollwick-carried-window: the real main window (offscreen unless
// QT_QPA_PLATFORM says otherwise) reading each carried-field list
// (CarriedLists.h) from the stand-in list server on a loopback address of
// its own, with "Name" ticked (a name that nothing has, so every line is
// walked) and "Show List" ticked, as a user would. For each list:
//
// - the peak resident memory of the process. Goal: under 200 MB.
// - how long a click waits: from "Go" until the list is handled, another
//   thread queues a click on "Show List" every 50 ms, as a person's click
//   arrives, unless one is still waiting; the longest time from queueing to
//   its handling. Each click is queued with a second one right behind it,
//   so that the list stays shown. Goal: within 0.5 s.
// - how long from "Go" until the list is handled: the status line no
//   longer shows what it showed at "Go" (it tells how the list ended).
//   Goal: under 1 s.
//
// Each list runs in a process of its own (the program runs itself with
// --list NAME) under a 4 GiB address-space limit and is stopped after 120 s:
// the peak memory is then that list's alone, read from the child's resource
// usage even when it dies, and a window that runs out of memory or never
// answers fails its goals instead of taking the machine down.
//
// The window is made as the program makes it, on a FakePlatform with a real
// list connection (its timers tick only when told, so no re-query disturbs
// the measurement), and its controls are found by their object names.
//
//   pollwick-carried-window [NAME...]     all lists when none is named
#include "CarriedLists.h"
#include "ChildProcess.h"
#include "FakePlatform.h"
#include "GoalReport.h"
#include "listserver/ListServer.h"
#include "window/MainWindow.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <sys/resource.h>
#include <thread>
#include <vector>

namespace {

using namespace pollwick;
using std::chrono::seconds;

constexpr seconds kLimit{120};
constexpr rlim_t kAddressSpace = rlim_t{4} << 30U;

// What the child prints as its last line, for the parent to read.
constexpr const char* kFiguresTag = "figures";

template <typename Control>
Control* control(const QWidget& window, const char* name)
{
    auto* found = window.findChild<Control*>(QLatin1String(name));
    if (found == nullptr) {
        std::fprintf(stderr, "pollwick-carried-window: the window has no %s\n", name);
        std::exit(2);
    }
    return found;
}

// The stand-in list server, in a thread of its own, so that a window that
// keeps its own thread busy does not hold back the sending.
class ServerThread
{
public:
    explicit ServerThread(const std::string& response)
    {
        m_thread.start();
        auto* anchor = new QObject;
        anchor->moveToThread(&m_thread);
        QObject::connect(&m_thread, &QThread::finished, anchor, &QObject::deleteLater);
        QMetaObject::invokeMethod(
            anchor,
            [this, anchor, &response] {
                auto* server = new sim::ListServer(anchor);
                server->setResponse(QByteArray::fromStdString(response));
                if (sim::listenOnFreeLoopback(*server)) {
                    m_address = server->address().toString();
                }
            },
            Qt::BlockingQueuedConnection);
    }
    ~ServerThread()
    {
        m_thread.quit();
        m_thread.wait();
    }
    ServerThread(const ServerThread&) = delete;
    ServerThread& operator=(const ServerThread&) = delete;

    // Empty when no loopback address was free.
    [[nodiscard]] const QString& address() const { return m_address; }

private:
    QThread m_thread;
    QString m_address;
};

// Queues clicks on a button from a thread of its own, as a person's clicks
// arrive whatever the window's thread is doing, and keeps the longest time
// that one waited to be handled. Each click comes with a second right
// behind it, so the button ends as it was.
class Clicker
{
public:
    explicit Clicker(QAbstractButton& button)
        : m_button(button)
    {
        QObject::connect(&button, &QAbstractButton::toggled, &button, [this] { clickHandled(); });
        m_thread = std::thread([this] { queueClicks(); });
    }
    ~Clicker()
    {
        m_stop = true;
        m_thread.join();
    }
    Clicker(const Clicker&) = delete;
    Clicker& operator=(const Clicker&) = delete;

    [[nodiscard]] bool waiting() const { return m_waiting; }
    [[nodiscard]] double longestWait() const { return m_longestWait; }
    [[nodiscard]] int handled() const { return m_handled; }
    void stop() { m_stop = true; }

private:
    using Clock = std::chrono::steady_clock;

    void queueClicks()
    {
        while (!m_stop) {
            if (!m_waiting) {
                m_queuedAt = Clock::now().time_since_epoch().count();
                m_waiting = true;
                for (int click = 0; click < 2; ++click) {
                    QMetaObject::invokeMethod(&m_button, &QAbstractButton::click,
                                              Qt::QueuedConnection);
                }
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }

    // On the window's thread. Clicks come in pairs, queued together: the
    // first of each is the one that waited.
    void clickHandled()
    {
        ++m_toggles;
        if (m_toggles % 2 == 1) {
            const auto waited = Clock::now().time_since_epoch().count() - m_queuedAt.load();
            m_longestWait = std::max(
                m_longestWait, std::chrono::duration<double>(Clock::duration(waited)).count());
            ++m_handled;
            m_waiting = false;
        }
    }

    QAbstractButton& m_button;
    std::atomic<bool> m_stop = false;
    std::atomic<bool> m_waiting = false;
    std::atomic<Clock::rep> m_queuedAt = 0;
    double m_longestWait = 0;
    int m_handled = 0;
    int m_toggles = 0;
    std::thread m_thread;
};

// One list in this process; prints the figures line.
int measureList(const bench::CarriedList& list, int argc, char* argv[])
{
    const rlimit limit{kAddressSpace, kAddressSpace};
    ::setrlimit(RLIMIT_AS, &limit);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    const ServerThread server(bench::carriedListText(list));
    if (server.address().isEmpty()) {
        std::fputs("pollwick-carried-window: no free loopback address\n", stderr);
        return 2;
    }

    test::FakePlatform platform(test::FakePlatform::Connection::Real);
    platform.storePath("Normal", "/games/wombix.exe");
    MainWindow form(platform);
    form.show();
    auto* host = control<QComboBox>(form, "hostCombo");
    auto* go = control<QPushButton>(form, "goButton");
    auto* nameCheck = control<QCheckBox>(form, "nameCheck");
    auto* nameEdit = control<QLineEdit>(form, "nameEdit");
    auto* showListCheck = control<QCheckBox>(form, "showListCheck");
    auto* status = control<QLabel>(form, "statusLabel");
    auto* rows = control<QAbstractItemView>(form, "serverList");

    host->setEditText(server.address());
    // The list-server choice is polled by a timer: one tick.
    platform.timer(TimerRole::ServerChoice).fire();
    if (!nameCheck->isChecked()) {
        nameCheck->click();
    }
    nameEdit->setText(QStringLiteral("no server is called this"));
    if (!showListCheck->isChecked()) {
        showListCheck->click();
    }
    QApplication::processEvents();
    if (!go->isEnabled() || !showListCheck->isChecked()) {
        std::fputs("pollwick-carried-window: the window is not ready to scan\n", stderr);
        return 2;
    }

    QElapsedTimer sinceGo;
    sinceGo.start();
    go->click();
    const QString asking = status->text();
    double handled = -1;
    Clicker clicker(*showListCheck);
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, &look, [&] {
        if (handled < 0 && status->text() != asking) {
            handled = static_cast<double>(sinceGo.nsecsElapsed()) / 1e9;
            clicker.stop();
        }
        if (handled >= 0 && !clicker.waiting()) {
            QApplication::quit();
        }
    });
    look.start(5);
    QApplication::exec();

    std::printf("%s handled=%.3f click=%.3f clicks=%d rows=%d status=%s\n", kFiguresTag, handled,
                clicker.longestWait(), clicker.handled(), rows->model()->rowCount(),
                status->text().toLocal8Bit().constData());
    std::fflush(stdout);
    return 0;
}

// A figure of the child's figures line ("name=value"), if there.
std::optional<double> figure(const std::string& output, const std::string& name)
{
    const std::size_t line = output.rfind(kFiguresTag);
    const std::size_t at = output.find(" " + name + "=", line == std::string::npos ? 0 : line);
    if (line == std::string::npos || at == std::string::npos) {
        return std::nullopt;
    }
    return std::strtod(output.c_str() + at + name.size() + 2, nullptr);
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc == 3 && std::string(argv[1]) == "--list") {
        const bench::CarriedList* list = bench::findCarriedList(argv[2]);
        return list == nullptr ? 2 : measureList(*list, argc, argv);
    }
    const std::vector<const bench::CarriedList*> lists =
        bench::chosenLists(std::span<char* const>(argv + 1, static_cast<std::size_t>(argc - 1)),
                           "pollwick-carried-window");
    if (lists.empty()) {
        return 2;
    }

    bench::GoalReport report;
    for (const bench::CarriedList* list : lists) {
        const bench::ChildRun run =
            bench::runChild({"/proc/self/exe", "--list", std::string(list->name)}, kLimit);
        const bool finished = run.started && !run.stoppedAtLimit && run.exitStatus == 0;
        const double peakMegabytes = static_cast<double>(run.peakResidentBytes) / 1e6;
        std::string ended =
            run.howItEnded(kLimit) + ", " + bench::decimal(run.cpuSeconds, 2) + " s CPU";
        if (!finished) {
            ended += ", peak " + bench::decimal(peakMegabytes, 0) + " MB by then";
            const std::string said = run.lastErrorLine();
            ended += said.empty() ? "" : ", said \"" + said + "\"";
        }
        std::optional<double> handled = finished ? figure(run.output, "handled") : std::nullopt;
        if (handled && *handled < 0) {
            handled.reset();
        }
        report.below(list->name, "window: peak resident",
                     bench::figureOf(finished, peakMegabytes, 200), 200, "MB", ended);
        report.below(list->name, "window: longest wait of a click",
                     finished ? figure(run.output, "click") : std::nullopt, 0.5, "s", ended);
        report.below(list->name, "window: Go to list handled", handled, 1, "s", ended);
        if (finished) {
            const std::size_t line = run.output.rfind(kFiguresTag);
            std::printf("%-14s   %s", "", run.output.substr(line).c_str());
        }
    }
    return report.finish();
}

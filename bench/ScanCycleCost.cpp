// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// pollwick-scan-cycle-cost: what one scan cycle costs the window in CPU
// time. The real main window (offscreen) scans a list server that runs in
// another process (bench/scan-cycle-cost.sh starts pollwick-listserver),
// with criteria that nothing matches, and the re-query tick is fired by
// hand as soon as each list is in, instead of every 5 seconds. Only this
// process's CPU time over the measured cycles counts.
//
// With --seconds, the window scans for that long instead, re-querying every
// 5000 ms as it does for a user, and the share of one core it used is
// printed: against a list server that never stops sending, this is what a
// flood costs. With --stop as well, Stop is pressed right after Go, so that
// only the first query's connection is left, as after a user's Stop.
//
//   pollwick-scan-cycle-cost [--host ADDRESS] [--cycles N | --seconds N [--stop]]
#include "FakePlatform.h"
#include "window/MainWindow.h"
#include "window/ServerListView.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <sys/resource.h>

namespace {

using pollwick::TimerRole;
using pollwick::test::waitUntil;

double cpuSeconds(int who, double* user = nullptr, double* system = nullptr)
{
    rusage usage{};
    ::getrusage(who, &usage);
    const double u = static_cast<double>(usage.ru_utime.tv_sec) +
        static_cast<double>(usage.ru_utime.tv_usec) / 1e6;
    const double s = static_cast<double>(usage.ru_stime.tv_sec) +
        static_cast<double>(usage.ru_stime.tv_usec) / 1e6;
    if (user != nullptr) {
        *user = u;
    }
    if (system != nullptr) {
        *system = s;
    }
    return u + s;
}

int usage()
{
    std::fputs("usage: pollwick-scan-cycle-cost [--host ADDRESS] "
               "[--cycles N | --seconds N [--stop]]\n",
               stderr);
    return 2;
}

} // namespace

int main(int argc, char* argv[])
{
    QString host = QStringLiteral("127.0.0.1");
    long cycles = 1000;
    long seconds = 0;
    bool stop = false;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--stop") {
            stop = true;
            continue;
        }
        if (i + 1 >= argc) {
            return usage();
        }
        if (option == "--host") {
            host = QString::fromLocal8Bit(argv[++i]);
        } else if (option == "--cycles") {
            cycles = std::strtol(argv[++i], nullptr, 10);
            if (cycles < 1 || cycles > 1000000) {
                return usage();
            }
        } else if (option == "--seconds") {
            seconds = std::strtol(argv[++i], nullptr, 10);
            if (seconds < 1 || seconds > 86400) {
                return usage();
            }
        } else {
            return usage();
        }
    }
    if (stop && seconds == 0) {
        return usage();
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);

    pollwick::test::FakePlatform platform(pollwick::test::FakePlatform::Connection::Real);
    platform.storePath("Normal", "/games/wombix/wombix.exe");
    pollwick::MainWindow form(platform);
    form.show();
    const auto control = [&form](const char* name) {
        return form.findChild<QWidget*>(QString::fromLatin1(name));
    };
    qobject_cast<QComboBox*>(control("hostCombo"))->setEditText(host);
    platform.timer(TimerRole::ServerChoice).fire();
    qobject_cast<QCheckBox*>(control("nameCheck"))->setChecked(true);
    qobject_cast<QLineEdit*>(control("nameEdit"))
        ->setText(QStringLiteral("no server is called this"));
    auto* goButton = qobject_cast<QPushButton*>(control("goButton"));
    const auto rowsShown = [&] {
        return qobject_cast<pollwick::ServerListView*>(control("serverList"))->model()->rowCount();
    };

    if (seconds > 0) {
        // The re-query timer as it runs for a user, fired by a real timer.
        QTimer refresh;
        refresh.setTimerType(Qt::PreciseTimer);
        QObject::connect(&refresh, &QTimer::timeout,
                         [&] { platform.timer(TimerRole::Requery).fire(); });
        const double before = cpuSeconds(RUSAGE_SELF);
        QElapsedTimer wall;
        wall.start();
        goButton->click();
        if (stop) {
            qobject_cast<QPushButton*>(control("stopButton"))->click();
        } else {
            refresh.start(5000);
        }
        QTimer::singleShot(static_cast<int>(seconds * 1000), &app, &QCoreApplication::quit);
        QApplication::exec();
        const double cpu = cpuSeconds(RUSAGE_SELF) - before;
        const double wallSeconds = static_cast<double>(wall.nsecsElapsed()) / 1e9;
        std::printf("window: %.1f s %s, %.2f s CPU, %.1f %% of one core, %d rows listed, "
                    "connection %s\n",
                    wallSeconds, stop ? "after Stop" : "scanning", cpu, 100.0 * cpu / wallSeconds,
                    rowsShown(), form.engine().queryUnderWay() ? "open" : "closed");
        return 0;
    }

    long rows = 0;
    const auto cycle = [&](bool first) {
        if (first) {
            goButton->click();
        } else {
            platform.timer(TimerRole::Requery).fire();
        }
        // The list server closes the connection once the list is sent.
        if (!waitUntil([&] { return !form.engine().queryUnderWay(); }, 10000)) {
            std::fprintf(stderr, "pollwick-scan-cycle-cost: no answer from %s:10057\n",
                         qPrintable(host));
            std::exit(1);
        }
        rows += rowsShown();
    };

    // Warm-up: fonts, the view's first layout, the allocator.
    for (int i = 0; i < 50; ++i) {
        cycle(i == 0);
    }
    if (rows == 0) {
        std::fprintf(stderr, "pollwick-scan-cycle-cost: %s:10057 sent no servers\n",
                     qPrintable(host));
        return 1;
    }
    rows = 0;
    double userBefore = 0;
    double systemBefore = 0;
    cpuSeconds(RUSAGE_SELF, &userBefore, &systemBefore);
    QElapsedTimer wall;
    wall.start();
    for (long i = 0; i < cycles; ++i) {
        cycle(false);
    }
    const double wallSeconds = static_cast<double>(wall.nsecsElapsed()) / 1e9;
    double userAfter = 0;
    double systemAfter = 0;
    cpuSeconds(RUSAGE_SELF, &userAfter, &systemAfter);

    const auto n = static_cast<double>(cycles);
    std::printf("window: %ld cycles, %.0f us CPU per cycle (user %.0f, system %.0f), "
                "%.2f ms wall per cycle, %.1f servers per list\n",
                cycles, ((userAfter - userBefore) + (systemAfter - systemBefore)) / n * 1e6,
                (userAfter - userBefore) / n * 1e6, (systemAfter - systemBefore) / n * 1e6,
                wallSeconds / n * 1e3, static_cast<double>(rows) / n);
    return 0;
}

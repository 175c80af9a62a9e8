// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ChildProcess.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <string_view>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace pollwick::bench {
namespace {

double seconds(const timeval& time)
{
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
}

} // namespace

std::string ChildRun::howItEnded(std::chrono::seconds limit) const
{
    if (!started) {
        return "could not be started";
    }
    if (stoppedAtLimit) {
        return "stopped after " + std::to_string(limit.count()) + " s";
    }
    if (signal != 0) {
        return "killed by signal " + std::to_string(signal);
    }
    return "exit " + std::to_string(exitStatus);
}

std::string ChildRun::lastErrorLine() const
{
    std::string_view text = errors;
    while (!text.empty() && text.back() == '\n') {
        text.remove_suffix(1);
    }
    const std::size_t lineEnd = text.rfind('\n');
    text.remove_prefix(lineEnd == std::string_view::npos ? 0 : lineEnd + 1);
    return std::string(text.substr(0, 100));
}

ChildRun runChild(const std::vector<std::string>& arguments, std::chrono::seconds limit,
                  std::size_t keepBytes)
{
    ChildRun run;
    std::array<int, 2> output{};
    std::array<int, 2> errors{};
    if (::pipe2(output.data(), O_CLOEXEC) != 0) {
        return run;
    }
    if (::pipe2(errors.data(), O_CLOEXEC) != 0) {
        ::close(output[0]);
        ::close(output[1]);
        return run;
    }
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 1);
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, output[1], 1);
    posix_spawn_file_actions_adddup2(&actions, errors[1], 2);
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    const int spawned = ::posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(output[1]);
    ::close(errors[1]);
    if (spawned != 0) {
        ::close(output[0]);
        ::close(errors[0]);
        return run;
    }
    run.started = true;

    // Reads until the child closes its output and its errors, or its time
    // is up.
    const auto deadline = start + limit;
    std::array<char, 65536> buffer{};
    std::array<pollfd, 2> wanted{pollfd{output[0], POLLIN, 0}, pollfd{errors[0], POLLIN, 0}};
    while (wanted[0].fd >= 0 || wanted[1].fd >= 0) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            run.stoppedAtLimit = true;
            ::kill(child, SIGKILL);
            break;
        }
        if (::poll(wanted.data(), wanted.size(), static_cast<int>(left.count())) <= 0) {
            continue;
        }
        for (pollfd& source : wanted) {
            if (source.fd < 0 || source.revents == 0) {
                continue;
            }
            const ssize_t got = ::read(source.fd, buffer.data(), buffer.size());
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got <= 0) {
                ::close(source.fd);
                source.fd = -1;
                continue;
            }
            const auto bytes = static_cast<std::size_t>(got);
            if (&source == wanted.data()) {
                run.outputBytes += bytes;
                if (run.output.size() < keepBytes) {
                    run.output.append(buffer.data(),
                                      std::min(bytes, keepBytes - run.output.size()));
                }
            } else {
                run.errors.append(buffer.data(), bytes);
                if (run.errors.size() > 2 * keepBytes) {
                    run.errors.erase(0, run.errors.size() - keepBytes);
                }
            }
        }
    }
    for (const pollfd& source : wanted) {
        if (source.fd >= 0) {
            ::close(source.fd);
        }
    }

    // A child that closed its output may still run on: it too is stopped at
    // the limit.
    int status = 0;
    rusage usage{};
    for (;;) {
        const pid_t ended = ::wait4(child, &status, run.stoppedAtLimit ? 0 : WNOHANG, &usage);
        if (ended == child || (ended < 0 && errno != EINTR)) {
            break;
        }
        if (ended == 0 && std::chrono::steady_clock::now() >= deadline) {
            run.stoppedAtLimit = true;
            ::kill(child, SIGKILL);
        } else if (ended == 0) {
            ::usleep(10000);
        }
    }
    run.wallSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.cpuSeconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
    run.peakResidentBytes = static_cast<std::uint64_t>(usage.ru_maxrss) * 1024U; // KiB on Linux
    if (WIFEXITED(status)) {
        run.exitStatus = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        run.signal = WTERMSIG(status);
    }
    return run;
}

} // namespace pollwick::bench

// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "list/ListTool.h"

#include "core/Windows1252.h"
#include "core/scan/ResponseWalk.h"
#include "list/ListFormat.h"
#include "platform/qt/QtClientSocket.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTime>
#include <QTimer>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <fstream>
#include <istream>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>

namespace pollwick::listtool {
namespace {

constexpr std::string_view kProgram = "pollwick-list";
constexpr std::size_t kReadBytes = std::size_t{64} * 1024;
constexpr double kMaxTimeoutSeconds = 86400;

// --- Option values ----------------------------------------------------------

std::optional<int> readPort(std::string_view text)
{
    int port = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), port);
    if (ec != std::errc{} || end != text.data() + text.size() || port < 1 || port > 65535) {
        return std::nullopt;
    }
    return port;
}

std::optional<int> readTimeoutMs(std::string_view text)
{
    // Whole or decimal seconds, as "30" or "0.5".
    const std::size_t dot = text.find('.');
    const std::string_view whole = text.substr(0, dot);
    const std::string_view fraction = dot == std::string_view::npos ? "" : text.substr(dot + 1);
    const auto digitsOnly = [](std::string_view s) {
        return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if ((whole.empty() && fraction.empty()) || !digitsOnly(whole) || !digitsOnly(fraction) ||
        whole.size() > 6) {
        return std::nullopt;
    }
    double seconds = 0;
    for (const char c : whole) {
        seconds = seconds * 10 + (c - '0');
    }
    double scale = 0.1;
    for (const char c : fraction) {
        seconds += (c - '0') * scale;
        scale /= 10;
    }
    const double ms = std::round(seconds * 1000);
    if (ms < 1 || seconds > kMaxTimeoutSeconds) {
        return std::nullopt;
    }
    return static_cast<int>(ms);
}

// --- Printing ---------------------------------------------------------------

// The walk's hooks: keep the record as the list shows it, test it (walk
// mode), print it with its verdict. Each record goes out as it is walked,
// and the output is flushed after each arrival, so that nothing of a list
// is held back and a long list shows as it comes.
class Printer final : public ResponseWalk::Hooks
{
public:
    Printer(const ListOptions& options, std::ostream& out)
        : m_options(options)
        , m_out(out)
    { }

    void listRecord(const ServerRecord& record) override
    {
        // The test lower-cases the address in place; what is printed is the
        // address as listed.
        m_listed = record;
    }

    MatchVerdict testRecord(ServerRecord& record, ParsedFields /*fromLine*/) override
    {
        std::optional<MatchVerdict> verdict;
        if (m_options.walk) {
            verdict = pollwick::testRecord(record, m_options.criteria);
            m_matched = m_matched || verdict == MatchVerdict::Match;
        }
        if (m_options.json) {
            m_out << listfmt::jsonLine(m_listed, verdict);
        } else {
            // The heading waits for the first row: a query that lists
            // nothing prints nothing.
            if (m_rows == 0) {
                m_out << m_heading << listfmt::tableHeader(m_options.walk);
            }
            m_out << listfmt::tableRow(m_listed, verdict);
        }
        ++m_rows;
        m_unflushed = true;
        return verdict.value_or(MatchVerdict::NoMatch);
    }

    void afterArrival()
    {
        if (m_unflushed) {
            m_out.flush();
            m_unflushed = false;
        }
    }

    // A new response; `heading` goes before its table's header.
    void startResponse(std::string heading)
    {
        m_heading = std::move(heading);
        m_rows = 0;
        m_matched = false;
    }
    [[nodiscard]] bool matched() const { return m_matched; }
    // Records printed from the current response.
    [[nodiscard]] std::size_t rows() const { return m_rows; }

private:
    const ListOptions& m_options;
    std::ostream& m_out;
    ServerRecord m_listed;
    std::string m_heading;
    std::size_t m_rows = 0;
    bool m_matched = false;
    bool m_unflushed = false;
};

void reportLimits(const ResponseWalk& walk, std::ostream& err)
{
    if (walk.discardedLines() == 0) {
        return;
    }
    err << kProgram << ": " << walk.discardedLines() << " lines were ignored (over "
        << walk.limits().maxEntries << " lines, over " << (walk.limits().maxLineBytes >> 20U)
        << " MiB in a line, or over " << (walk.limits().maxResponseBytes >> 20U)
        << " MiB in all)\n";
}

// What a response that reached its limits says about what was not read.
std::string moreThanTheLimits(const ResponseWalk& walk)
{
    if (walk.entriesInResponse() >= walk.limits().maxEntries) {
        return "more than " + std::to_string(walk.limits().maxEntries) + " lines";
    }
    return "more than " + std::to_string(walk.limits().maxResponseBytes >> 20U) + " MiB";
}

// --- Reading ------------------------------------------------------------------

enum class QueryEnd {
    Whole, // the list server closed the connection at a line end
    Matched, // a Match ended the walk
    Full, // the response reached its limits: nothing more could be listed
    CutInLine, // the connection ended inside a line: reset, or cut short
    Lost, // the connection broke
    TimedOut,
    NoList, // no connection, or one closed without a byte
};

struct QueryResult {
    QueryEnd end = QueryEnd::NoList;
    SocketOutcome outcome = SocketOutcome::Failed; // how the connection ended, if it did
};

// One connection to the list server, read as the window reads it: every
// arrival goes to the walk, until the connection ends, a Match ends the
// walk, the response is full or the time is up. The socket tells of each
// arrival and, once, of the end of the connection; nothing is polled.
QueryResult queryListServer(const ListOptions& options, ResponseWalk& walk, Printer& printer)
{
    QtClientSocket socket;
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);

    QueryResult result;
    bool done = false;
    std::size_t received = 0;
    char lastByte = '\n';
    const auto finish = [&](QueryEnd end) {
        if (!done) {
            done = true;
            result.end = end;
            loop.quit();
        }
    };
    const auto take = [&] {
        if (done) {
            return;
        }
        const std::string chunk = socket.getData();
        if (chunk.empty()) {
            return;
        }
        received += chunk.size();
        lastByte = chunk.back();
        walk.arrive(chunk, printer);
        printer.afterArrival();
        if (walk.ended()) {
            finish(QueryEnd::Matched);
        } else if (walk.full()) {
            finish(QueryEnd::Full);
        }
    };
    QObject::connect(&socket, &ClientSocket::dataArrived, &loop, take);
    QObject::connect(&socket, &ClientSocket::outcomeReported, &loop, [&](SocketOutcome outcome) {
        if (outcome == SocketOutcome::Connected) {
            return;
        }
        // Data that came before the end is read first: it may complete the
        // list, or fill it.
        take();
        result.outcome = outcome;
        if (outcome == SocketOutcome::Closed) {
            // A reset reads as a close: only a list that ends at a line end
            // can have been sent whole.
            if (received == 0) {
                finish(QueryEnd::NoList);
            } else {
                finish(lastByte == '\n' ? QueryEnd::Whole : QueryEnd::CutInLine);
            }
        } else {
            finish(outcome == SocketOutcome::Lost ? QueryEnd::Lost : QueryEnd::NoList);
        }
    });
    QObject::connect(&deadline, &QTimer::timeout, &loop, [&] { finish(QueryEnd::TimedOut); });

    walk.startResponse();
    socket.setRemoteHost(
        QString::fromUtf8(options.host.data(), static_cast<qsizetype>(options.host.size())));
    socket.setRemotePort(options.port);
    socket.connect();
    deadline.start(options.timeoutMs);
    // A connection can fail before the loop runs; a quit then would be lost.
    if (!done) {
        loop.exec();
    }
    socket.disconnect(&loop);
    socket.close();
    return result;
}

std::string where(const ListOptions& options)
{
    return options.host + ":" + std::to_string(options.port);
}

std::string_view whyNoList(const QueryResult& result)
{
    switch (result.outcome) {
    case SocketOutcome::Refused:
        return "connection refused";
    case SocketOutcome::HostNotFound:
        return "host not found";
    case SocketOutcome::Unreachable:
        return "host not reachable";
    case SocketOutcome::Closed:
        return "closed without sending anything";
    case SocketOutcome::Connected:
    case SocketOutcome::Lost:
    case SocketOutcome::Failed:
        break;
    }
    return "the connection failed";
}

// Reports how a query ended; true when its response counts as read: closed
// by the list server at a line end, filled to its limits, or ended by a
// Match.
bool reportQuery(const ListOptions& options, const QueryResult& result, const ResponseWalk& walk,
                 std::ostream& err)
{
    switch (result.end) {
    case QueryEnd::NoList:
        err << kProgram << ": no list from " << where(options) << ": " << whyNoList(result) << "\n";
        return false;
    case QueryEnd::TimedOut:
        err << kProgram << ": " << where(options) << " did not finish its list within "
            << options.timeoutMs / 1000.0 << " s\n";
        reportLimits(walk, err);
        return false;
    case QueryEnd::CutInLine:
        err << kProgram << ": the list from " << where(options)
            << " broke off inside a line (the connection was reset or cut short)\n";
        reportLimits(walk, err);
        return false;
    case QueryEnd::Lost:
        err << kProgram << ": the connection to " << where(options)
            << " broke before the list was complete\n";
        reportLimits(walk, err);
        return false;
    case QueryEnd::Full:
        err << kProgram << ": " << where(options) << " sent " << moreThanTheLimits(walk)
            << "; the rest was not read\n";
        return true;
    case QueryEnd::Whole:
        reportLimits(walk, err);
        return true;
    case QueryEnd::Matched:
        return true;
    }
    return false;
}

void waitMs(int ms)
{
    if (ms <= 0) {
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

int readLive(const ListOptions& options, std::ostream& out, std::ostream& err,
             const ListToolTiming& timing)
{
    // Sockets and timers need an application object; main() makes one, and
    // a caller without one gets one here.
    std::unique_ptr<QCoreApplication> app;
    if (QCoreApplication::instance() == nullptr) {
        static int argc = 1;
        static std::array<char, 14> name = {"pollwick-list"};
        static std::array<char*, 2> argv = {name.data(), nullptr};
        app = std::make_unique<QCoreApplication>(argc, argv.data());
    }

    ResponseWalk walk;
    Printer printer(options, out);
    for (int query = 1;; ++query) {
        QElapsedTimer started;
        started.start();
        std::string heading;
        if (options.watch && !options.json) {
            heading = "Query " + std::to_string(query) + " at " +
                QTime::currentTime().toString(QStringLiteral("HH:mm:ss")).toStdString() + "\n";
        }
        printer.startResponse(std::move(heading));
        const QueryResult result = queryListServer(options, walk, printer);
        const bool read = reportQuery(options, result, walk, err);
        if (printer.matched()) {
            return kExitMatch;
        }
        if (!options.watch) {
            if (!read) {
                return kExitTrouble;
            }
            return options.walk ? kExitNoMatch : kExitMatch;
        }
        // Watching: a list server that cannot be reached at the start is
        // most likely a wrong host; later, one bad query is only retried.
        if (!read && query == 1) {
            return kExitTrouble;
        }
        if (!options.json && printer.rows() > 0) {
            out << "\n"; // between one query's table and the next
        }
        waitMs(timing.queryIntervalMs - static_cast<int>(started.elapsed()));
    }
}

int readStream(const ListOptions& options, std::istream& in, std::ostream& out, std::ostream& err)
{
    std::ifstream file;
    std::istream* stream = &in;
    const std::string& path = *options.file;
    if (path != "-") {
        file.open(path, std::ios::binary);
        if (!file) {
            err << kProgram << ": cannot open " << path << "\n";
            return kExitTrouble;
        }
        stream = &file;
    }

    ResponseWalk walk;
    Printer printer(options, out);
    walk.startResponse();
    printer.startResponse({});
    // The whole file is one response, read in pieces as a socket delivers
    // it; the walk joins them. Reading stops at the entry limit, and once
    // more than the byte budget has come: a file that never ends (a device,
    // a pipe) is read no further than a list server's response would be.
    const std::size_t budget = walk.limits().maxResponseBytes;
    std::string buffer(kReadBytes, '\0');
    char lastByte = '\n';
    bool fullOfLines = false;
    while (!walk.ended()) {
        stream->read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        const auto count = static_cast<std::size_t>(stream->gcount());
        if (count > 0) {
            lastByte = buffer[count - 1];
            walk.arrive(std::string_view(buffer.data(), count), printer);
            printer.afterArrival();
        }
        fullOfLines = walk.entriesInResponse() >= walk.limits().maxEntries;
        if (fullOfLines || walk.bytesInResponse() > budget || !*stream) {
            break;
        }
    }
    const std::string name = path == "-" ? "standard input" : path;
    if (stream->bad()) {
        err << kProgram << ": cannot read " << name << "\n";
        return kExitTrouble;
    }
    if (printer.matched()) {
        return kExitMatch;
    }
    if (fullOfLines) {
        err << kProgram << ": " << name << " has " << moreThanTheLimits(walk)
            << "; the rest was not read\n";
    } else if (walk.bytesInResponse() > budget) {
        // More than a list server may send in one response: this is no
        // saved list, and what was read of it is not the whole of it.
        err << kProgram << ": " << name << " holds " << moreThanTheLimits(walk)
            << ", more than one list may; the rest was not read\n";
        reportLimits(walk, err);
        return kExitTrouble;
    } else if (lastByte != '\n') {
        err << kProgram << ": " << name << " ends inside a line; that line was ignored\n";
    }
    reportLimits(walk, err);
    return options.walk ? kExitNoMatch : kExitMatch;
}

} // namespace

ParsedOptions parseListOptions(const std::vector<std::string>& args)
{
    const auto fail = [](std::string message) {
        return ParsedOptions{std::nullopt, std::move(message)};
    };
    // The arguments go through the parser as Latin-1, one character per
    // byte, and come back as the same bytes: a path that is not UTF-8 still
    // names its file, and the criteria are converted from UTF-8 below.
    const auto bytesOf = [](const QString& text) { return text.toLatin1().toStdString(); };

    // The options carry no descriptions: --help prints helpText(), whose
    // groups and notes the parser's own layout could not keep.
    QCommandLineParser parser;
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption host(QStringLiteral("host"), {}, QStringLiteral("HOST"));
    const QCommandLineOption port(QStringLiteral("port"), {}, QStringLiteral("N"));
    const QCommandLineOption timeout(QStringLiteral("timeout"), {}, QStringLiteral("SECONDS"));
    const QCommandLineOption file(QStringLiteral("file"), {}, QStringLiteral("PATH"));
    const QCommandLineOption match(QStringLiteral("match"));
    const QCommandLineOption name(QStringLiteral("name"), {}, QStringLiteral("TEXT"));
    const QCommandLineOption ip(QStringLiteral("ip"), {}, QStringLiteral("TEXT"));
    const QCommandLineOption type(QStringLiteral("type"), {}, QStringLiteral("TEXT"));
    const QCommandLineOption version(QStringLiteral("version"), {}, QStringLiteral("TEXT"));
    const QCommandLineOption includePrivate(QStringLiteral("include-private"));
    const QCommandLineOption watch(QStringLiteral("watch"));
    const QCommandLineOption json(QStringLiteral("json"));
    parser.addOptions({help, host, port, timeout, file, match, name, ip, type, version,
                       includePrivate, watch, json});

    QStringList arguments{
        QString::fromLatin1(kProgram.data(), static_cast<qsizetype>(kProgram.size()))};
    for (const std::string& arg : args) {
        arguments.append(QString::fromLatin1(arg.data(), static_cast<qsizetype>(arg.size())));
    }
    if (!parser.parse(arguments)) {
        return fail(bytesOf(parser.errorText()));
    }
    if (!parser.positionalArguments().isEmpty()) {
        return fail("unexpected argument '" + bytesOf(parser.positionalArguments().constFirst()) +
                    "'");
    }

    ListOptions options;
    if (parser.isSet(host)) {
        options.host = bytesOf(parser.value(host));
        if (options.host.empty()) {
            return fail("--host needs a host name or address");
        }
    }
    if (parser.isSet(port)) {
        const auto number = readPort(bytesOf(parser.value(port)));
        if (!number) {
            return fail("--port needs a number from 1 to 65535");
        }
        options.port = *number;
    }
    if (parser.isSet(file)) {
        options.file = bytesOf(parser.value(file));
        if (options.file->empty()) {
            return fail("--file needs a path, or - for standard input");
        }
    }
    if (parser.isSet(timeout)) {
        const auto ms = readTimeoutMs(bytesOf(parser.value(timeout)));
        if (!ms) {
            return fail("--timeout needs a number of seconds, up to 86400");
        }
        options.timeoutMs = *ms;
    }
    // The criteria compare Windows-1252 text, as the list sends it.
    const auto criterion = [&](const QCommandLineOption& option, bool& use, std::string& text) {
        use = parser.isSet(option);
        if (use) {
            text = cp1252::fromUtf8(bytesOf(parser.value(option)));
        }
    };
    MatchCriteria& criteria = options.criteria;
    criterion(version, criteria.useVersion, criteria.versionText);
    criterion(name, criteria.useName, criteria.nameText);
    criterion(ip, criteria.useAddress, criteria.addressText);
    criterion(type, criteria.useGameType, criteria.gameTypeText);
    criteria.includePrivate = parser.isSet(includePrivate);
    options.watch = parser.isSet(watch);
    options.json = parser.isSet(json);
    options.help = parser.isSet(help);
    if (options.help) {
        return {options, {}};
    }

    options.walk = parser.isSet(match) || criteria.includePrivate || criteria.useVersion ||
        criteria.useName || criteria.useAddress || criteria.useGameType;
    if (options.host.empty() == !options.file.has_value()) {
        return fail(options.file ? "give either --host or --file, not both"
                                 : "give --host HOST or --file PATH");
    }
    if (options.file && (parser.isSet(port) || parser.isSet(timeout))) {
        return fail(std::string(parser.isSet(port) ? "--port" : "--timeout") + " goes with --host");
    }
    if (options.watch && options.file) {
        return fail("--watch needs --host: a file does not change");
    }
    if (options.watch && !options.walk) {
        return fail("--watch waits for a match: give --match or a criterion");
    }
    return {options, {}};
}

std::string helpText()
{
    return R"(Usage: pollwick-list (--host HOST [--port N] | --file PATH) [criteria] [--watch] [--json]

Reads a Wombix server list and prints one row per game server, parsed
exactly as the Pollwick window parses it. Like grep, it can look for a
server that fits your criteria and tell you by its exit status.

Where the list comes from:
  --host HOST        Connect to the list server HOST (name or address); it
                     answers with its list and closes the connection.
  --port N           Port of the list server (default 10057).
  --timeout SECONDS  Give up on a list server that has not finished its list
                     within this time (default 30; decimals allowed).
  --file PATH        Read a saved list instead, e.g. one saved with
                       nc LISTSERVER 10057 > list.txt
                     PATH - reads standard input.

Criteria (any of them turns on walk mode):
  --match            Walk mode with no criterion: any server matches that is
                     neither private nor full.
  --name TEXT        The server name contains TEXT (case ignored).
  --ip TEXT          The address contains TEXT (case ignored); private
                     servers have the address "Private".
  --type TEXT        The game type contains TEXT (case ignored): Battle,
                     Ctf, Treasure, Coop, Race.
  --version TEXT     The version is exactly TEXT: 1.21, 1.21 x, 1.21 s,
                     1.24, 1.24 x, 1.24 s.
  --include-private  Private servers may match (otherwise they are passed
                     over, as full servers always are).
Without criteria every server of the list is printed (list mode). In walk
mode each server is printed with its verdict (NoMatch, PassedOverPrivate,
PassedOverFull or Match), and the list ends at the first Match.

  --watch            Walk mode only: ask the list server again every 5 seconds
                     until a server matches. If the first query gets no list
                     the tool gives up; later failures are reported and
                     retried.

Output:
  (default)          A table: Server Name, Type, Version, Players, IP
                     Address, and Verdict in walk mode, each row printed as
                     it is read. The columns have fixed widths (a row fits
                     in 80 columns, in 100 with the verdict); a longer cell
                     is cut and ends in "…". Control characters in names
                     show as \xHH.
  --json             JSON Lines, one object per server with the keys
                     serverName, gameType, version, players, ipAddress
                     (strings), isPrivate (true/false), and verdict in walk
                     mode; printable ASCII, every other character escaped.
  -h, --help         Show this help.

Texts come from the list as Windows-1252 and are printed as UTF-8; option
texts are taken as UTF-8. The address is printed as listed, with the three
spaces that the list puts in front of it.

A list is read whole when the list server closes the connection at the end
of a line, or once it reaches the limits that the window keeps too: 32767
servers, 32 MiB in all, every byte counted (a line over 1 MiB is ignored).

Exit status:
  0  walk mode: a server matched; list mode: the list was printed
  1  walk mode: the whole list was read and nothing matched
  2  wrong options, or the list could not be read whole: the list server was
     not reachable, refused, timed out, closed without sending anything, or
     broke off inside a line (a reset or cut connection); or the file could
     not be read, or holds more than 32 MiB

Examples:
  pollwick-list --host 127.0.0.1
  pollwick-list --host 127.0.0.1 --name Arena --watch && notify-send "Arena is up"
  pollwick-list --file list.txt --type ctf --version "1.24 x" --json
)";
}

int runListTool(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                std::ostream& err, const ListToolTiming& timing)
{
    const ParsedOptions parsed = parseListOptions(args);
    if (!parsed.options) {
        err << kProgram << ": " << parsed.error << "\n"
            << "Try '" << kProgram << " --help'.\n";
        return kExitTrouble;
    }
    const ListOptions& options = *parsed.options;
    if (options.help) {
        out << helpText();
        return kExitMatch;
    }
    if (options.file) {
        return readStream(options, in, out, err);
    }
    return readLive(options, out, err, timing);
}

} // namespace pollwick::listtool

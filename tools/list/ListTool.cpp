// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "list/ListTool.h"

#include "core/Clock.h"
#include "core/Timer.h"
#include "core/Windows1252.h"
#include "core/scan/ListConnection.h"
#include "core/scan/ScanEngine.h"
#include "list/ListFormat.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <getopt.h>
#include <istream>
#include <ostream>
#include <sstream>
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

// The rows of one list as they are read: each record as listed, with its
// verdict in walk mode, a table row or a JSON line. The output is flushed
// after each piece of the list, so that nothing is held back and a long
// list shows as it comes; a flush that fails is seen at once.
class Printer final
{
public:
    Printer(const ListOptions& options, std::ostream& out)
        : m_options(options)
        , m_out(out)
    { }

    // A new list; `heading` goes before its table's header.
    void startList(std::string heading)
    {
        m_heading = std::move(heading);
        m_rows = 0;
    }
    // The record as listed: the test lower-cases the address in place, and
    // what is printed is the address as listed.
    void listed(const ServerRecord& record)
    {
        if (m_options.walk) {
            m_listed = record;
        } else {
            print(record, std::nullopt);
        }
    }
    void tested(MatchVerdict verdict) { print(m_listed, verdict); }
    // Flushes what was printed since the last flush; false once the output
    // could not be written.
    bool flush()
    {
        if (m_unflushed) {
            m_out.flush();
            m_unflushed = false;
        }
        return m_out.good();
    }
    [[nodiscard]] std::size_t rows() const { return m_rows; }
    // Between one list's table and the next.
    void separate() { m_out << "\n"; }

private:
    void print(const ServerRecord& record, std::optional<MatchVerdict> verdict)
    {
        if (m_options.json) {
            m_out << listfmt::jsonLine(record, verdict);
        } else {
            // The heading waits for the first row: a list of nothing prints
            // nothing.
            if (m_rows == 0) {
                m_out << m_heading << listfmt::tableHeader(m_options.walk);
            }
            m_out << listfmt::tableRow(record, verdict);
        }
        ++m_rows;
        m_unflushed = true;
    }

    const ListOptions& m_options;
    std::ostream& m_out;
    ServerRecord m_listed;
    std::string m_heading;
    std::size_t m_rows = 0;
    bool m_unflushed = false;
};

void complain(std::ostream& err, const std::string& what)
{
    err << kProgram << ": " << what << "\n";
}

void complainOfOutput(std::ostream& err)
{
    complain(err, "the output could not be written");
}

std::string seconds(int ms)
{
    std::ostringstream text;
    text << ms / 1000.0 << " s";
    return text.str();
}

// Lines that the limits left out of a list that was read whole.
void reportDiscarded(const QueryReport& report, std::ostream& err)
{
    if (report.discarded > 0 && report.limit == ResponseLimit::None) {
        err << kProgram << ": " << report.discarded << " lines over 1 MiB were ignored\n";
    }
}

// --- A list server ------------------------------------------------------------

// The scan engine as the tool runs it: one query, or with --watch one every
// interval until a match, each row printed as it is listed.
class LiveList final : private ScanEngine::Listener
{
public:
    LiveList(const ListOptions& options, std::ostream& out, std::ostream& err, EventLoop& loop,
             const ListToolTiming& timing)
        : m_options(options)
        , m_printer(options, out)
        , m_err(err)
        , m_loop(loop)
        , m_connection(loop.createConnection())
        , m_timer(loop.createTimer())
        , m_engine(*m_connection, *m_timer, loop.clock(), static_cast<Listener&>(*this),
                   engineOptions(options, timing))
    { }

    int run()
    {
        m_printer.startList(heading());
        m_engine.chooseServer(m_options.host);
        m_engine.start(m_options.host);
        m_loop.run();
        return m_status;
    }

private:
    static ScanEngine::Options engineOptions(const ListOptions& options,
                                             const ListToolTiming& timing)
    {
        ScanEngine::Options engine;
        engine.port = static_cast<std::uint16_t>(options.port);
        // One query gets the time given; a watch asks again every interval,
        // each query having until the next.
        engine.requery = options.watch;
        engine.requeryInterval =
            std::chrono::milliseconds(options.watch ? timing.queryIntervalMs : options.timeoutMs);
        return engine;
    }

    [[nodiscard]] std::string where() const
    {
        return m_options.host + ":" + std::to_string(m_options.port);
    }

    [[nodiscard]] std::string heading() const
    {
        if (!m_options.watch || m_options.json) {
            return {};
        }
        return "Query " + std::to_string(m_query) + " at " + clockText(m_loop.clock().now()) + "\n";
    }

    void finish(int status)
    {
        m_status = status;
        m_loop.quit();
    }

    void recordListed(const ServerRecord& record) override { m_printer.listed(record); }
    void recordTested(MatchVerdict verdict) override { m_printer.tested(verdict); }
    void pieceWalked() override
    {
        if (!m_printer.flush()) {
            complainOfOutput(m_err);
            finish(kExitTrouble);
        }
    }
    std::optional<MatchCriteria> currentCriteria() override
    {
        return m_options.walk ? std::optional(m_options.criteria) : std::nullopt;
    }
    void matched(const ServerRecord& /*record*/, ParsedFields /*fromLine*/) override
    {
        finish(m_printer.flush() ? kExitMatch : (complainOfOutput(m_err), kExitTrouble));
    }

    void listEnded(const QueryReport& report) override
    {
        const bool gaveList = pollwick::gaveList(report.end);
        if (report.end == QueryEnd::Full) {
            complain(m_err,
                     where() + ": " + serverCount(report.listed) + " listed, the rest not read (" +
                         limitReached(report) + ")");
        } else if (!gaveList) {
            complain(m_err,
                     where() + ": " + whyNoList(report) +
                         (report.end == QueryEnd::TimedOut
                              ? " (" + seconds(m_options.timeoutMs) + ")"
                              : std::string()));
        }
        reportDiscarded(report, m_err);
        if (!m_options.watch) {
            finish(!gaveList ? kExitTrouble : m_options.walk ? kExitNoMatch : kExitMatch);
            return;
        }
        // Watching: a list server that cannot be reached at the start is
        // most likely a wrong host; later, one bad query is only retried.
        if (!gaveList && m_query == 1) {
            finish(kExitTrouble);
            return;
        }
        if (!m_options.json && m_printer.rows() > 0) {
            m_printer.separate();
        }
        ++m_query;
        m_printer.startList(heading());
    }

    const ListOptions& m_options;
    Printer m_printer;
    std::ostream& m_err;
    EventLoop& m_loop;
    std::unique_ptr<ListConnection> m_connection;
    std::unique_ptr<Timer> m_timer;
    ScanEngine m_engine;
    int m_query = 1;
    int m_status = kExitTrouble;
};

// --- A saved list -------------------------------------------------------------

// The walk's hooks for a saved list: the records printed as listed, tested
// in walk mode.
class SavedListHooks final : public ResponseWalk::Hooks
{
public:
    SavedListHooks(const ListOptions& options, Printer& printer)
        : m_options(options)
        , m_printer(printer)
    { }
    void listRecord(const ServerRecord& record) override { m_printer.listed(record); }
    MatchVerdict testRecord(ServerRecord& record, ParsedFields /*fromLine*/) override
    {
        if (!m_options.walk) {
            return MatchVerdict::NoMatch;
        }
        const MatchVerdict verdict = pollwick::testRecord(record, m_options.criteria);
        m_printer.tested(verdict);
        return verdict;
    }

private:
    const ListOptions& m_options;
    Printer& m_printer;
};

int readSavedList(const ListOptions& options, std::istream& in, std::ostream& out,
                  std::ostream& err)
{
    std::ifstream file;
    std::istream* stream = &in;
    const std::string& path = *options.file;
    if (path != "-") {
        // The path is UTF-8, as every argument; Windows opens it by its
        // characters, not by its bytes.
        file.open(std::filesystem::path(std::u8string(path.begin(), path.end())), std::ios::binary);
        if (!file) {
            complain(err, "cannot open " + path);
            return kExitTrouble;
        }
        stream = &file;
    }
    const std::string name = path == "-" ? "standard input" : path;

    // The whole file is one list, read in pieces as a connection delivers
    // it, and read no further than a list server's answer would be: a file
    // that never ends (a device, a pipe) stops at the limits.
    ResponseWalk walk;
    Printer printer(options, out);
    SavedListHooks hooks(options, printer);
    walk.startResponse();
    printer.startList({});
    std::string buffer(kReadBytes, '\0');
    bool anyBytes = false;
    while (!walk.ended() && !walk.full() && *stream) {
        stream->read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        const auto count = static_cast<std::size_t>(stream->gcount());
        if (count > 0) {
            anyBytes = true;
            walk.arrive(std::string_view(buffer.data(), count), hooks);
            if (!printer.flush()) {
                complainOfOutput(err);
                return kExitTrouble;
            }
        }
    }
    if (stream->bad()) {
        complain(err, "cannot read " + name);
        return kExitTrouble;
    }
    QueryReport report;
    // A saved list of nothing is an empty list, not a list server that sent
    // nothing.
    report.end = anyBytes ? orderlyEnd(walk, true) : QueryEnd::Whole;
    report.listed = printer.rows();
    report.discarded = walk.discardedLines();
    report.limit = walk.limitReached();
    const ResponseLimits& limits = walk.limits();
    report.limitAmount = report.limit == ResponseLimit::Servers ? limits.maxEntries
        : report.limit == ResponseLimit::Bytes                  ? limits.maxResponseBytes
                                                                : limits.maxRecordBytes;
    const int noMatch = options.walk ? kExitNoMatch : kExitMatch;
    switch (report.end) {
    case QueryEnd::Matched:
        return kExitMatch;
    case QueryEnd::Full:
        complain(err,
                 name + ": " + serverCount(report.listed) + " listed, the rest not read (" +
                     limitReached(report) + ")");
        // More bytes than a list server may send in one answer: this is no
        // saved list, and what was read of it is not the whole of it.
        return report.limit == ResponseLimit::Bytes ? kExitTrouble : noMatch;
    case QueryEnd::Overflow:
        complain(err, name + ": " + whyNoList(report));
        return kExitTrouble;
    case QueryEnd::CutMidLine:
        complain(err, name + " ends inside a line; that line was ignored");
        reportDiscarded(report, err);
        return noMatch;
    default:
        reportDiscarded(report, err);
        return noMatch;
    }
}

// --- Options ------------------------------------------------------------------

enum Option : int {
    Help = 'h',
    Host = 256,
    Port,
    Timeout,
    File,
    Match,
    Name,
    Ip,
    Type,
    Version,
    IncludePrivate,
    Watch,
    Json,
};

} // namespace

ParsedOptions parseListOptions(const std::vector<std::string>& args)
{
    const auto fail = [](std::string message) {
        return ParsedOptions{std::nullopt, std::move(message)};
    };
    static constexpr std::array<option, 14> kOptions = {{
        {"help", no_argument, nullptr, Help},
        {"host", required_argument, nullptr, Host},
        {"port", required_argument, nullptr, Port},
        {"timeout", required_argument, nullptr, Timeout},
        {"file", required_argument, nullptr, File},
        {"match", no_argument, nullptr, Match},
        {"name", required_argument, nullptr, Name},
        {"ip", required_argument, nullptr, Ip},
        {"type", required_argument, nullptr, Type},
        {"version", required_argument, nullptr, Version},
        {"include-private", no_argument, nullptr, IncludePrivate},
        {"watch", no_argument, nullptr, Watch},
        {"json", no_argument, nullptr, Json},
        {nullptr, 0, nullptr, 0},
    }};
    // getopt_long() takes the arguments as C strings, the program first. The
    // arguments are bytes: a path that is not UTF-8 still names its file,
    // and the criteria are converted from UTF-8 below.
    std::vector<std::string> copies{std::string(kProgram)};
    copies.insert(copies.end(), args.begin(), args.end());
    std::vector<char*> argv;
    argv.reserve(copies.size() + 1);
    for (std::string& copy : copies) {
        argv.push_back(copy.data());
    }
    argv.push_back(nullptr);
    const int argc = static_cast<int>(copies.size());

    ListOptions options;
    std::optional<std::string> host;
    std::optional<std::string> port;
    std::optional<std::string> timeout;
    bool match = false;
    // The criteria compare Windows-1252 text, as the list sends it.
    const auto criterion = [](bool& use, std::string& text) {
        use = true;
        text = cp1252::fromUtf8(optarg);
    };
    MatchCriteria& criteria = options.criteria;
    opterr = 0; // the messages are ours
    optind = 0; // from the start, whatever an earlier parse left
    // "+": options end at the first argument that is none; ":": a missing
    // value is told apart from an unknown option.
    for (int option = 0;
         (option = getopt_long(argc, argv.data(), "+:h", kOptions.data(), nullptr)) != -1;) {
        switch (option) {
        case Help:
            options.help = true;
            break;
        case Host:
            host = optarg;
            break;
        case Port:
            port = optarg;
            break;
        case Timeout:
            timeout = optarg;
            break;
        case File:
            options.file = optarg;
            break;
        case Match:
            match = true;
            break;
        case Name:
            criterion(criteria.useName, criteria.nameText);
            break;
        case Ip:
            criterion(criteria.useAddress, criteria.addressText);
            break;
        case Type:
            criterion(criteria.useGameType, criteria.gameTypeText);
            break;
        case Version:
            criterion(criteria.useVersion, criteria.versionText);
            break;
        case IncludePrivate:
            criteria.includePrivate = true;
            break;
        case Watch:
            options.watch = true;
            break;
        case Json:
            options.json = true;
            break;
        case ':':
            return fail("option '" + std::string(argv[static_cast<std::size_t>(optind) - 1]) +
                        "' needs a value");
        default:
            return fail("unknown option '" +
                        std::string(argv[static_cast<std::size_t>(optind) - 1]) + "'");
        }
    }
    if (optind < argc) {
        return fail("unexpected argument '" + copies[static_cast<std::size_t>(optind)] + "'");
    }
    if (options.help) {
        return {options, {}};
    }

    if (host) {
        if (host->empty()) {
            return fail("--host needs a host name or address");
        }
        options.host = *host;
    }
    if (port) {
        const auto number = readPort(*port);
        if (!number) {
            return fail("--port needs a number from 1 to 65535");
        }
        options.port = *number;
    }
    if (options.file && options.file->empty()) {
        return fail("--file needs a path, or - for standard input");
    }
    if (timeout) {
        const auto ms = readTimeoutMs(*timeout);
        if (!ms) {
            return fail("--timeout needs a number of seconds, up to 86400");
        }
        options.timeoutMs = *ms;
    }
    options.walk = match || criteria.includePrivate || criteria.useVersion || criteria.useName ||
        criteria.useAddress || criteria.useGameType;
    if (options.host.empty() == !options.file.has_value()) {
        return fail(options.file ? "give either --host or --file, not both"
                                 : "give --host HOST or --file PATH");
    }
    if (options.file && (port || timeout)) {
        return fail(std::string(port ? "--port" : "--timeout") + " goes with --host");
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
                     within this time (default 30; decimals allowed). With
                     --watch each query has until the next one instead.
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

  --watch            Walk mode only: ask the list server again every 5 seconds,
                     as the window does, until a server matches. If the
                     first query gets no list the tool gives up; later
                     failures are reported and retried.

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
                     A text of more than 256 characters is cut as the
                     window cuts it, and ends in "…".
  -h, --help         Show this help.

Texts come from the list as Windows-1252 and are printed as UTF-8; option
texts are taken as UTF-8. The address is printed as listed, with the three
spaces that the list puts in front of it.

A list is read whole when the list server closes the connection at the end
of a line, or once it reaches the limits that the window keeps too: 32,767
servers, 32 MiB in all, every byte counted (a line over 1 MiB is ignored),
and 32 MiB of text held by the servers listed, the fields that a line
carries over from the line before it included. How a list ended is told in
the window's words, on standard error.

Exit status:
  0  walk mode: a server matched; list mode: the list was printed
  1  walk mode: the whole list was read and nothing matched
  2  wrong options; or the list could not be read whole: the list server was
     not reachable, refused, timed out, closed without sending anything,
     broke off inside a line, reset the connection (even after a whole
     line), or sent 32 MiB without a line that could be listed; or the file
     could not be read, or holds more than 32 MiB; or the output could not
     be written

Examples:
  pollwick-list --host 127.0.0.1
  pollwick-list --host 127.0.0.1 --name Arena --watch && notify-send "Arena is up"
  pollwick-list --file list.txt --type ctf --version "1.24 x" --json
)";
}

int runListTool(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                std::ostream& err, EventLoop& loop, const ListToolTiming& timing)
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
        if (!out.flush()) {
            complainOfOutput(err);
            return kExitTrouble;
        }
        return kExitMatch;
    }
    if (options.file) {
        return readSavedList(options, in, out, err);
    }
    return LiveList(options, out, err, loop, timing).run();
}

} // namespace pollwick::listtool

// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// pollwick-listserver: a stand-in list server for trying Pollwick and
// pollwick-list without the real one.

#include "listserver/ListServer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <cstdio>
#include <optional>
#include <utility>

namespace {

QTextStream& errStream()
{
    static QTextStream stream(stderr);
    return stream;
}

int usageError(const QString& message)
{
    errStream() << "pollwick-listserver: " << message << "\n"
                << "Try 'pollwick-listserver --help'.\n";
    errStream().flush();
    return 2;
}

// The largest file --file sends: twice what a client reads of one answer.
constexpr qint64 kLargestListFile = qint64{64} << 20U;

// The bytes of the file at `path`, or nothing once a message has said why
// not. Only a regular file is read: opening a FIFO waits for a writer, and a
// device such as /dev/zero never ends, so either would hang the server or
// fill its memory before it listened.
std::optional<QByteArray> readListFile(const QString& path)
{
    const auto refuse = [&path](const QString& why) {
        errStream() << "pollwick-listserver: cannot send " << path << ": " << why << "\n";
        errStream().flush();
        return std::nullopt;
    };
    const QFileInfo info(path);
    if (!info.exists()) {
        return refuse(QStringLiteral("no such file"));
    }
    if (!info.isFile()) {
        return refuse(QStringLiteral("not a regular file"));
    }
    const QString tooLarge = QStringLiteral("larger than 64 MiB");
    if (info.size() > kLargestListFile) {
        return refuse(tooLarge);
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return refuse(file.errorString());
    }
    // The file may have grown since it was looked at.
    QByteArray bytes = file.read(kLargestListFile + 1);
    if (bytes.size() > kLargestListFile) {
        return refuse(tooLarge);
    }
    return bytes;
}

bool readNumber(const QString& text, quint32 maximum, quint32& out)
{
    bool ok = false;
    const qulonglong value = text.toULongLong(&ok);
    if (!ok || value > maximum) {
        return false;
    }
    out = static_cast<quint32>(value);
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("pollwick-listserver"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "A stand-in Wombix list server. Every connection gets the list, then the server\n"
        "closes it; it reads nothing from the client. Without --file it makes up\n"
        "realistic lists that change from one connection to the next: servers come and\n"
        "go, players join and leave, and a server called \"Dusk Arena\" turns up within\n"
        "the first four connections."));
    parser.addHelpOption();
    const QCommandLineOption listenOption(
        QStringLiteral("listen"),
        QStringLiteral("Address to listen on (default 127.0.0.1: loopback only)."),
        QStringLiteral("ADDRESS"), QStringLiteral("127.0.0.1"));
    const QCommandLineOption portOption(
        QStringLiteral("port"),
        QStringLiteral("Port to listen on (default %1).").arg(pollwick::kListServerPort),
        QStringLiteral("N"), QString::number(pollwick::kListServerPort));
    const QCommandLineOption fileOption(
        QStringLiteral("file"),
        QStringLiteral("Send the bytes of this file to every connection, unchanged (a regular "
                       "file of at most 64 MiB)."),
        QStringLiteral("PATH"));
    const QCommandLineOption seedOption(QStringLiteral("seed"),
                                        QStringLiteral("Seed of the made-up lists (default 1)."),
                                        QStringLiteral("N"), QStringLiteral("1"));
    const QCommandLineOption chunkOption(
        QStringLiteral("chunk"), QStringLiteral("Send the list in pieces of this many bytes."),
        QStringLiteral("BYTES"), QStringLiteral("0"));
    const QCommandLineOption delayOption(
        QStringLiteral("delay"), QStringLiteral("Wait this long between pieces (with --chunk)."),
        QStringLiteral("MS"), QStringLiteral("0"));
    const QCommandLineOption misbehaveOption(
        QStringLiteral("misbehave"),
        QStringLiteral("Let clients down on purpose: never-answer (accept, send nothing), "
                       "reset-mid-line (reset the connection in the middle of a line), "
                       "reset-after-list (reset it after the whole list), "
                       "never-stop (send the list over and over), endless-line (one line "
                       "that never ends), garbage (64 KiB of random bytes), "
                       "one-byte-per-100ms (send slowly), answer-late (say nothing for "
                       "2 seconds, then answer)."),
        QStringLiteral("HOW"));
    parser.addOptions({listenOption, portOption, fileOption, seedOption, chunkOption, delayOption,
                       misbehaveOption});

    if (!parser.parse(QCoreApplication::arguments())) {
        return usageError(parser.errorText());
    }
    if (parser.isSet(QStringLiteral("help"))) {
        QTextStream(stdout) << parser.helpText();
        return 0;
    }
    if (!parser.positionalArguments().isEmpty()) {
        return usageError(QStringLiteral("unexpected argument '%1'")
                              .arg(parser.positionalArguments().constFirst()));
    }

    const QHostAddress address(parser.value(listenOption));
    if (address.isNull()) {
        return usageError(
            QStringLiteral("'%1' is not an IP address").arg(parser.value(listenOption)));
    }
    quint32 port = 0;
    if (!readNumber(parser.value(portOption), 65535, port) || port == 0) {
        return usageError(QStringLiteral("--port needs a number from 1 to 65535"));
    }
    quint32 seed = 0;
    if (!readNumber(parser.value(seedOption), 0xFFFFFFFFU, seed)) {
        return usageError(QStringLiteral("--seed needs a number from 0 to 4294967295"));
    }
    quint32 chunk = 0;
    quint32 delay = 0;
    if (!readNumber(parser.value(chunkOption), 1U << 30U, chunk)) {
        return usageError(QStringLiteral("--chunk needs a number of bytes"));
    }
    if (!readNumber(parser.value(delayOption), 3600000, delay)) {
        return usageError(QStringLiteral("--delay needs a number of milliseconds"));
    }
    if (parser.isSet(delayOption) && !parser.isSet(chunkOption)) {
        return usageError(QStringLiteral("--delay goes with --chunk"));
    }
    if (parser.isSet(fileOption) && parser.isSet(seedOption)) {
        return usageError(QStringLiteral("give either --file or --seed"));
    }

    pollwick::sim::ListServer server;
    QString source;
    if (parser.isSet(fileOption)) {
        const QString path = parser.value(fileOption);
        auto bytes = readListFile(path);
        if (!bytes) {
            return 2;
        }
        server.setResponse(std::move(*bytes));
        source = QStringLiteral("the bytes of %1").arg(path);
    } else {
        server.setGenerated(seed);
        source = QStringLiteral("made-up lists, seed %1").arg(seed);
    }
    server.setChunking(static_cast<int>(chunk), static_cast<int>(delay));
    if (parser.isSet(misbehaveOption)) {
        const auto misbehaviour =
            pollwick::sim::misbehaviourFromName(parser.value(misbehaveOption));
        if (!misbehaviour) {
            return usageError(
                QStringLiteral("unknown --misbehave '%1'").arg(parser.value(misbehaveOption)));
        }
        server.setMisbehaviour(*misbehaviour);
        source +=
            QStringLiteral(", misbehaving: ") + pollwick::sim::misbehaviourName(*misbehaviour);
    }

    if (!server.listen(address, static_cast<quint16>(port))) {
        errStream() << "pollwick-listserver: cannot listen on " << address.toString() << ":" << port
                    << ": " << server.errorString() << "\n";
        return 1;
    }
    errStream() << "pollwick-listserver: listening on " << server.address().toString() << ":"
                << server.port() << " (" << source << ")\n";
    errStream().flush();
    QObject::connect(&server, &pollwick::sim::ListServer::connectionAccepted, &server,
                     [&server](int count) {
                         errStream() << "connection " << count << ": "
                                     << server.responseFor(count).size() << " bytes of list\n";
                         errStream().flush();
                     });
    return QCoreApplication::exec();
}

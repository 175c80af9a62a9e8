// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The program pollwick-listserver itself, started as a user starts it.

#include <QFile>
#include <QHostAddress>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

// Long enough for a program that reads a file and exits; a program that
// hangs on a FIFO or reads /dev/zero is stopped here.
constexpr int kExitWaitMs = 20000;

constexpr qint64 kLargest = qint64{64} << 20U;

// A loopback address on which nothing listens at `port`, from 127.0.0.254
// down (the tests' list servers take addresses from 127.0.0.2 up).
QString freeLoopbackAddress(quint16 port)
{
    for (int host = 254; host >= 128; --host) {
        QString address = QStringLiteral("127.0.0.%1").arg(host);
        QTcpServer probe;
        if (probe.listen(QHostAddress(address), port)) {
            return address;
        }
    }
    return {};
}

// --file takes a regular file of at most 64 MiB. Anything else is refused
// before the server listens, with exit status 2 and a message that says why:
// a FIFO would block it until a writer came, a device such as /dev/zero
// would be read until memory ran out.
TEST(ListServerProgram, SendsOnlyARegularFileOfAtMost64MiB)
{
    const QTemporaryDir folder;
    const QString fifo = folder.filePath(QStringLiteral("fifo"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const auto sparse = [&folder](const char* name, qint64 size) {
        QFile file(folder.filePath(QLatin1String(name)));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.resize(size));
        return file.fileName();
    };
    const QString address = freeLoopbackAddress(10057);
    ASSERT_FALSE(address.isEmpty());
    const struct {
        QString path;
        const char* complaint; // none: the server listens
    } cases[] = {
        {QStringLiteral("/dev/zero"), "not a regular file"},
        {fifo, "not a regular file"},
        {folder.path(), "not a regular file"},
        {folder.filePath(QStringLiteral("missing")), "no such file"},
        {sparse("over", kLargest + 1), "larger than 64 MiB"},
        {sparse("largest", kLargest), nullptr},
    };
    for (const auto& c : cases) {
        QProcess server;
        server.start(QStringLiteral(POLLWICK_LISTSERVER_PROGRAM),
                     {QStringLiteral("--listen"), address, QStringLiteral("--file"), c.path});
        ASSERT_TRUE(server.waitForStarted()) << c.path.toStdString();
        if (c.complaint == nullptr) {
            // It says so once it listens.
            server.setReadChannel(QProcess::StandardError);
            QByteArray said;
            while (!said.contains("listening on") && server.waitForReadyRead(kExitWaitMs)) {
                said += server.readAllStandardError();
            }
            EXPECT_TRUE(said.contains("listening on")) << said.toStdString();
            server.kill();
            server.waitForFinished();
            continue;
        }
        const bool finished = server.waitForFinished(kExitWaitMs);
        if (!finished) {
            server.kill();
            server.waitForFinished();
        }
        ASSERT_TRUE(finished) << c.path.toStdString() << " kept the server busy";
        EXPECT_EQ(server.exitStatus(), QProcess::NormalExit) << c.path.toStdString();
        EXPECT_EQ(server.exitCode(), 2) << c.path.toStdString();
        const QByteArray message = server.readAllStandardError();
        EXPECT_TRUE(message.contains(c.complaint)) << message.toStdString();
        EXPECT_TRUE(message.contains(QFile::encodeName(c.path))) << message.toStdString();
    }
}

} // namespace

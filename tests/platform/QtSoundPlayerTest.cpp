// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The real QtSoundPlayer against the files a user may pick by mistake. The
// machine that runs the tests has no audio output, so the check for one is
// forced: with it forced to "present", every file goes through Qt Multimedia
// for real, and a file that kept the window waiting for ever would run into
// the test's time limit.
#include "platform/qt/QtSoundPlayer.h"

#include "FakePlatform.h"
#include "WaveBytes.h"

#include <QApplication>
#include <QFile>
#include <QSoundEffect>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace pollwick {
namespace {

// A mono 8-bit file at `rate` whose header declares `declared` bytes of
// samples, of which it holds `held`.
QByteArray wave(quint32 rate, quint32 declared, std::size_t held)
{
    return QByteArray::fromStdString(
        test::wave::waveStart(test::wave::format(1, rate, 8), declared) +
        std::string(held, '\x80'));
}

bool handlesEvents()
{
    bool ran = false;
    QTimer::singleShot(0, [&ran] { ran = true; });
    return test::waitUntil([&ran] { return ran; });
}

TEST(QtSoundPlayer, ComesBackFromAnyFileAndLeavesNoSoundBehind)
{
    const QTemporaryDir folder;
    const QString fifo = folder.filePath(QStringLiteral("fifo.wav"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const auto file = [&folder](const char* name, const QByteArray& bytes) {
        QFile out(folder.filePath(QLatin1String(name)));
        EXPECT_TRUE(out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size());
        return out.fileName();
    };
    // No wait beyond one pass of the event loop: there is no audio output
    // to report an end.
    QtSoundPlayer player([] { return true; }, std::chrono::milliseconds(0));
    for (const QString& path : {
             fifo,
             file("stub.wav", wave(8000, 100, 0).left(20)),
             QStringLiteral("/dev/zero"),
             file("lying-1.wav", wave(1, 0xFFFFFFF0U, 100)),
             file("lying-16000.wav", wave(16000, 0xFFFFFFF0U, 1000)),
             file("short.wav", wave(8000, 80, 80)),
             folder.path(),
             folder.filePath(QStringLiteral("missing.wav")),
             QString(),
         }) {
        player.playSync(path);
        EXPECT_TRUE(handlesEvents()) << path.toStdString();
    }
    // Effects still loading when their wait ended go once they have loaded.
    EXPECT_TRUE(test::waitUntil([] { return qApp->findChildren<QSoundEffect*>().isEmpty(); }));
}

TEST(QtSoundPlayer, WithoutAnAudioOutputComesBackAtOnceWithoutWaiting)
{
    const QTemporaryDir folder;
    QFile sound(folder.filePath(QStringLiteral("short.wav")));
    ASSERT_TRUE(sound.open(QIODevice::WriteOnly));
    sound.write(wave(8000, 80, 80));
    sound.close();
    bool asked = false;
    bool fired = false;
    QTimer::singleShot(0, [&fired] { fired = true; });
    QtSoundPlayer([&asked] {
        asked = true;
        return false;
    }).playSync(sound.fileName());
    EXPECT_TRUE(asked);
    EXPECT_FALSE(fired); // no event loop ran
    EXPECT_TRUE(qApp->findChildren<QSoundEffect*>().isEmpty());
    EXPECT_TRUE(test::waitUntil([&fired] { return fired; }));
}

} // namespace
} // namespace pollwick

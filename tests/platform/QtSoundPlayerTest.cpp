// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The real QtSoundPlayer against the files a user may pick by mistake, and
// against a real audio output. Machines here have no sound card: ./dev test
// starts a private PulseAudio daemon with a null output for the tests and
// points PULSE_SERVER at it, and sets POLLWICK_TEST_AUDIO=required so that
// the tests that need it fail rather than skip without it. Where the check
// for an output is forced to "present", every file goes through Qt
// Multimedia for real, output or not, and a file that kept the window
// waiting for ever would run into the test's time limit.
#include "platform/qt/QtSoundPlayer.h"

#include "FakePlatform.h"
#include "WaveBytes.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSoundEffect>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <gtest/gtest.h>

#include <iostream>
#include <sys/stat.h>
#include <utility>
#include <vector>

namespace pollwick {
namespace {

using SoundEnd = QtSoundPlayer::SoundEnd;

const QUrl kDefaultAlert(QStringLiteral("qrc:/sounds/alert.wav"));

// A mono 8-bit file at `rate` whose header declares `declared` bytes of
// samples, of which it holds `held`.
QByteArray wave(quint32 rate, quint32 declared, std::size_t held)
{
    return QByteArray::fromStdString(
        test::wave::waveStart(test::wave::format(1, rate, 8), declared) +
        std::string(held, '\x80'));
}

// Writes `bytes` into `folder` as `name`; its path.
QString writeFile(const QTemporaryDir& folder, const char* name, const QByteArray& bytes)
{
    QFile out(folder.filePath(QLatin1String(name)));
    EXPECT_TRUE(out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size());
    return out.fileName();
}

// Whether the machine has an audio output; when the test run says it must
// have one, its absence fails the test.
bool haveAudioOutput()
{
    const bool present = QtSoundPlayer::audioOutputPresent();
    EXPECT_TRUE(present || qgetenv("POLLWICK_TEST_AUDIO") != "required")
        << "no audio output, though the test run started one (PULSE_SERVER="
        << qgetenv("PULSE_SERVER").toStdString() << ")";
    return present;
}

// What Qt was handed to play, and how each one ended.
using Handed = std::vector<std::pair<QUrl, SoundEnd>>;

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
        return writeFile(folder, name, bytes);
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

// A valid wave file that Qt Multimedia cannot play safely (it dies of an
// arithmetic fault on 1 Hz and 10 Hz) is never handed to Qt: the default
// alert plays instead. With a real output, the alert plays to its end.
TEST(QtSoundPlayer, FilesOfRatesThatRealPlayersDoNotUseGetTheDefaultAlert)
{
    const bool output = haveAudioOutput();
    const QTemporaryDir folder;
    const struct {
        const char* name;
        QByteArray bytes;
    } files[] = {
        // 45 bytes: mono, 8 bits, 1 Hz, one sample.
        {"one-hertz.wav", wave(1, 1, 1)},
        {"ten-hertz.wav", wave(10, 10, 10)},
    };
    for (const auto& f : files) {
        const QString path = writeFile(folder, f.name, f.bytes);
        Handed handed;
        // Without an output no end is ever reported: no wait then.
        QtSoundPlayer player(
            [] { return true; }, output ? kLongestSoundWait : std::chrono::milliseconds(0),
            [&handed](const QUrl& source, SoundEnd end) { handed.emplace_back(source, end); });
        player.playSync(path);
        ASSERT_EQ(handed.size(), 1U) << f.name;
        EXPECT_EQ(handed[0].first, kDefaultAlert) << f.name;
        if (output) {
            EXPECT_EQ(handed[0].second, SoundEnd::Ended) << f.name;
        }
    }
    EXPECT_EQ(wave(1, 1, 1).size(), 45);
}

// On a real audio output a good short file plays, and its end is reported
// within the wait (its length and 3 s): the window goes on after the sound,
// not after the wait.
TEST(QtSoundPlayer, PlaysAGoodFileToItsEndOnARealOutput)
{
    if (!haveAudioOutput()) {
        GTEST_SKIP() << "no audio output (./dev test starts one)";
    }
    const QTemporaryDir folder;
    // Half a second at 8,000 Hz.
    const QString path = writeFile(folder, "half-second.wav", wave(8000, 4000, 4000));
    Handed handed;
    QtSoundPlayer player(
        QtSoundPlayer::audioOutputPresent, kLongestSoundWait,
        [&handed](const QUrl& source, SoundEnd end) { handed.emplace_back(source, end); });
    QElapsedTimer took;
    took.start();
    player.playSync(path);
    const qint64 milliseconds = took.elapsed();
    EXPECT_EQ(handed, (Handed{{QUrl::fromLocalFile(path), SoundEnd::Ended}}));
    // A figure for the record, not a goal: how long 500 ms of sound kept
    // the caller waiting.
    RecordProperty("playMilliseconds", static_cast<int>(milliseconds));
    std::cout << "500 ms of sound played in " << milliseconds << " ms\n";
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

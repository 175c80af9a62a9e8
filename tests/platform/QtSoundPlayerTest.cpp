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

// Only a regular file whose header agrees with its size, at a rate that
// real players use, is handed to Qt; any other goes no further than its
// header, and the default alert is handed instead. (Qt Multimedia waits
// for ever on a file that holds less than it declares, blocks on a FIFO,
// and dies of an arithmetic fault at 1 Hz.) Every file comes back, and no
// sound is left behind.
TEST(QtSoundPlayer, HandsQtOnlyAFileItCanPlayAndComesBackFromAnyFile)
{
    const QTemporaryDir folder;
    const QString fifo = folder.filePath(QStringLiteral("fifo.wav"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const auto file = [&folder](const char* name, const QByteArray& bytes) {
        return writeFile(folder, name, bytes);
    };
    const QString good = file("short.wav", wave(8000, 80, 80));
    Handed handed;
    // No wait beyond one pass of the event loop, output or not.
    QtSoundPlayer player(
        [] { return true; }, std::chrono::milliseconds(0),
        [&handed](const QUrl& source, SoundEnd end) { handed.emplace_back(source, end); });
    for (const QString& path : {
             good,
             fifo,
             file("stub.wav", wave(8000, 100, 0).left(20)),
             QStringLiteral("/dev/zero"),
             file("one-hertz.wav", wave(1, 1, 1)),
             file("ten-hertz.wav", wave(10, 10, 10)),
             file("lying-16000.wav", wave(16000, 0xFFFFFFF0U, 1000)),
             folder.path(),
             folder.filePath(QStringLiteral("missing.wav")),
             QString(),
         }) {
        handed.clear();
        player.playSync(path);
        EXPECT_TRUE(handlesEvents()) << path.toStdString();
        ASSERT_FALSE(handed.empty()) << path.toStdString();
        EXPECT_EQ(handed.front().first, path == good ? QUrl::fromLocalFile(good) : kDefaultAlert)
            << path.toStdString();
    }
    // Effects still loading when their wait ended go once they have loaded.
    EXPECT_TRUE(test::waitUntil([] { return qApp->findChildren<QSoundEffect*>().isEmpty(); }));
}

// On a real audio output a good short file plays, and its end is reported
// within the wait (its length and 3 s): the window goes on after the sound,
// not after the wait. The default alert plays to its end too.
TEST(QtSoundPlayer, PlaysAGoodFileAndTheDefaultAlertToTheirEndOnARealOutput)
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
    handed.clear();
    player.playSync(QString());
    EXPECT_EQ(handed, (Handed{{kDefaultAlert, SoundEnd::Ended}}));
    EXPECT_TRUE(test::waitUntil([] { return qApp->findChildren<QSoundEffect*>().isEmpty(); }));
}

TEST(QtSoundPlayer, WithoutAnAudioOutputComesBackAtOnceWithoutWaiting)
{
    const QTemporaryDir folder;
    const QString sound = writeFile(folder, "short.wav", wave(8000, 80, 80));
    bool asked = false;
    bool fired = false;
    QTimer::singleShot(0, [&fired] { fired = true; });
    QtSoundPlayer([&asked] {
        asked = true;
        return false;
    }).playSync(sound);
    EXPECT_TRUE(asked);
    EXPECT_FALSE(fired); // no event loop ran
    EXPECT_TRUE(qApp->findChildren<QSoundEffect*>().isEmpty());
    EXPECT_TRUE(test::waitUntil([&fired] { return fired; }));
}

} // namespace
} // namespace pollwick

// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/qt/QtSoundPlayer.h"

#include "platform/qt/QtPlatform.h"

#include <QApplication>
#include <QAudioDevice>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <limits>
#include <optional>
#include <utility>

namespace pollwick {
namespace {

// The project's own short alert, for when the chosen file cannot be played.
const QString kDefaultAlert = QStringLiteral(":/sounds/alert.wav");

// How much of a file is read to find its header: the chunks before the
// samples are small.
constexpr qint64 kHeadBytes = qint64{64} * 1024;

// The header of `file` when Qt may be given the file; nothing when the file
// is not to be played. Only a regular file is opened: opening a FIFO blocks
// until a writer comes, and a device or a directory has no end to wait for.
// Qt's sample loader waits for ever on a file that holds less than its
// header declares, and while one sample waits, every later sound's end
// blocks the window; so the header must promise no more than the file holds.
std::optional<WaveHeader> playableHeader(const QString& file)
{
    if (!QFileInfo(file).isFile()) {
        return std::nullopt;
    }
    QFile source(file);
    if (!source.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    const QByteArray head = source.read(kHeadBytes);
    const auto header =
        readWaveHeader(std::string_view(head.constData(), static_cast<std::size_t>(head.size())),
                       static_cast<std::uint64_t>(std::max<qint64>(source.size(), 0)));
    if (!header || !header->complete()) {
        return std::nullopt;
    }
    return header;
}

// Deletes the effect, or, while its sample is still loading, once it has
// loaded: Qt's sample cache lets go of a sample only after waiting for its
// loading thread to finish every load in progress, and the window must not
// wait on that. One that never loads goes with the application.
void release(QSoundEffect* effect)
{
    if (effect->status() != QSoundEffect::Loading) {
        delete effect;
        return;
    }
    QObject::connect(effect, &QSoundEffect::statusChanged, effect, [effect] {
        if (effect->status() != QSoundEffect::Loading) {
            effect->deleteLater();
        }
    });
}

using SoundEnd = QtSoundPlayer::SoundEnd;

// Plays one source to its end, waiting at most `limit`.
SoundEnd playToEnd(const QUrl& url, std::chrono::milliseconds limit)
{
    auto* effect = new QSoundEffect(QCoreApplication::instance());
    QEventLoop loop;
    bool failed = false;
    bool started = false;
    bool ended = false;
    QObject::connect(effect, &QSoundEffect::statusChanged, &loop, [&] {
        if (effect->status() == QSoundEffect::Error) {
            failed = true;
            loop.quit();
        } else if (effect->status() == QSoundEffect::Ready && !started) {
            started = true;
            effect->play();
        }
    });
    QObject::connect(effect, &QSoundEffect::playingChanged, &loop, [&] {
        if (!effect->isPlaying() && started) {
            ended = true;
            loop.quit();
        }
    });
    QTimer::singleShot(limit, &loop, &QEventLoop::quit);
    effect->setSource(url);
    if (effect->status() == QSoundEffect::Ready) {
        started = true;
        effect->play();
    }
    if (effect->status() != QSoundEffect::Error) {
        // Painting and timers go on; clicks and keys wait until the sound ends.
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    // A sound that never got going (an audio system that does not answer)
    // counts as not played, so that the default alert gets its turn.
    const bool played = started && !failed && effect->status() != QSoundEffect::Error;
    release(effect);
    if (!played) {
        return SoundEnd::NotPlayed;
    }
    return ended ? SoundEnd::Ended : SoundEnd::WaitRanOut;
}

} // namespace

bool QtSoundPlayer::audioOutputPresent()
{
    return !QMediaDevices::audioOutputs().isEmpty() &&
        !QMediaDevices::defaultAudioOutput().isNull();
}

QtSoundPlayer::QtSoundPlayer(std::function<bool()> hasAudioOutput,
                             std::chrono::milliseconds longestWait, SoundHanded handed)
    : m_hasAudioOutput(std::move(hasAudioOutput))
    // A timer takes int milliseconds.
    , m_longestWait(
          std::min(longestWait, std::chrono::milliseconds(std::numeric_limits<int>::max())))
    , m_handed(std::move(handed))
{ }

void QtSoundPlayer::playSync(const QString& path)
{
    if (!m_hasAudioOutput()) {
        return;
    }
    const auto play = [this](const QString& file, const QUrl& url) {
        const auto header = playableHeader(file);
        if (!header) {
            return false;
        }
        const SoundEnd end = playToEnd(url, soundWait(header->length(), m_longestWait));
        if (m_handed) {
            m_handed(url, end);
        }
        return end != SoundEnd::NotPlayed;
    };
    if (!path.isEmpty()) {
        const QString file = QFileInfo(path).absoluteFilePath();
        if (play(file, QUrl::fromLocalFile(file))) {
            return;
        }
    }
    if (play(kDefaultAlert, QUrl(QStringLiteral("qrc") + kDefaultAlert))) {
        return;
    }
    QApplication::beep();
}

std::unique_ptr<SoundPlayer> createSystemSoundPlayer()
{
    return std::make_unique<QtSoundPlayer>();
}

} // namespace pollwick

#include "core/WaveDuration.h"
#include "platform/SoundPlayer.h"
#include "platform/qt/QtPlatform.h"

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>

namespace pollwick {
namespace {

// The project's own short alert, for when the chosen file cannot be played.
const QString kDefaultAlert = QStringLiteral("qrc:/sounds/alert.wav");

// How long to wait when the file's length cannot be read, and the margin
// beyond the length for the audio system to start and finish.
constexpr std::chrono::milliseconds kUnknownLength{10000};
constexpr std::chrono::milliseconds kMargin{3000};

std::chrono::milliseconds playingTime(const QString& source)
{
    QFile file(source.startsWith(QLatin1String("qrc:")) ? source.mid(3) : source);
    if (!file.open(QIODevice::ReadOnly)) {
        return kUnknownLength;
    }
    const QByteArray head = file.read(qint64{64} * 1024);
    const auto length =
        waveDuration(std::string_view(head.constData(), static_cast<std::size_t>(head.size())));
    return length ? *length + kMargin : kUnknownLength;
}

// Plays one source to its end; false when it could not be played at all.
bool playToEnd(const QUrl& url, std::chrono::milliseconds limit)
{
    QSoundEffect effect;
    QEventLoop loop;
    bool failed = false;
    bool started = false;
    QObject::connect(&effect, &QSoundEffect::statusChanged, &loop, [&] {
        if (effect.status() == QSoundEffect::Error) {
            failed = true;
            loop.quit();
        } else if (effect.status() == QSoundEffect::Ready && !started) {
            started = true;
            effect.play();
        }
    });
    QObject::connect(&effect, &QSoundEffect::playingChanged, &loop, [&] {
        if (!effect.isPlaying() && started) {
            loop.quit();
        }
    });
    QTimer::singleShot(limit, &loop, &QEventLoop::quit);
    effect.setSource(url);
    if (effect.status() == QSoundEffect::Ready) {
        started = true;
        effect.play();
    }
    if (effect.status() != QSoundEffect::Error) {
        // Painting and timers go on; clicks and keys wait until the sound ends.
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    // A sound that never got going (an audio system that does not answer)
    // counts as not played, so that the default alert gets its turn.
    return started && !failed && effect.status() != QSoundEffect::Error;
}

class QtSoundPlayer final : public SoundPlayer
{
public:
    void playSync(const QString& path) override
    {
        if (!path.isEmpty() && QFile::exists(path) &&
            playToEnd(QUrl::fromLocalFile(path), playingTime(path))) {
            return;
        }
        if (playToEnd(QUrl(kDefaultAlert), playingTime(kDefaultAlert))) {
            return;
        }
        QApplication::beep();
    }
};

} // namespace

std::unique_ptr<SoundPlayer> createSystemSoundPlayer()
{
    return std::make_unique<QtSoundPlayer>();
}

} // namespace pollwick

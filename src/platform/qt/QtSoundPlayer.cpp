#include "core/WaveHeader.h"
#include "platform/SoundPlayer.h"
#include "platform/qt/QtPlatform.h"

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <optional>

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

// Plays one source to its end, waiting at most `limit`; false when it could
// not be played at all.
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

// Plays `file` from `url` when its header holds up, waiting at most its
// length and a margin.
bool playFile(const QString& file, const QUrl& url)
{
    const auto header = playableHeader(file);
    return header && playToEnd(url, soundWait(header->length()));
}

class QtSoundPlayer final : public SoundPlayer
{
public:
    void playSync(const QString& path) override
    {
        if (!path.isEmpty()) {
            const QString file = QFileInfo(path).absoluteFilePath();
            if (playFile(file, QUrl::fromLocalFile(file))) {
                return;
            }
        }
        if (playFile(kDefaultAlert, QUrl(QStringLiteral("qrc") + kDefaultAlert))) {
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

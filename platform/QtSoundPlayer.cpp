#include "QtSoundPlayer.h"

#include "WaveDuration.h"

#include <QEventLoop>
#include <QFile>
#include <QSoundEffect>
#include <QUrl>

namespace platform {

QtSoundPlayer::QtSoundPlayer() {
    deferredStart_.setSingleShot(true);
    deferredStart_.setInterval(0);
    QObject::connect(&deferredStart_, &QTimer::timeout, [this] { start(pending_); });
}

QtSoundPlayer::~QtSoundPlayer() = default;

void QtSoundPlayer::play(const std::filesystem::path& wave, Wait wait) {
    const auto duration = WaveDuration(wave);
    if (!duration) {
        return;
    }
    if (wait == Wait::No) {
        // A later cue before the event loop runs replaces this one, as a playing one would be.
        pending_ = wave;
        deferredStart_.start();
        return;
    }
    deferredStart_.stop();
    start(wave);
    waitForEnd(*duration + margin);
}

void QtSoundPlayer::start(const std::filesystem::path& wave) {
    if (!effect_) {
        effect_ = std::make_unique<QSoundEffect>();
    }
    effect_->stop();
    effect_->setSource(
        QUrl::fromLocalFile(QFile::decodeName(QByteArray::fromStdString(wave.native()))));
    effect_->play();
}

void QtSoundPlayer::waitForEnd(std::chrono::milliseconds longest) {
    if (effect_->status() == QSoundEffect::Error) {
        return;
    }
    QEventLoop loop;
    QObject::connect(effect_.get(), &QSoundEffect::playingChanged, &loop, [this, &loop] {
        if (!effect_->isPlaying()) {
            loop.quit();
        }
    });
    QObject::connect(effect_.get(), &QSoundEffect::statusChanged, &loop, [this, &loop] {
        if (effect_->status() == QSoundEffect::Error) {
            loop.quit();
        }
    });
    QTimer::singleShot(longest, &loop, &QEventLoop::quit);
    // Input waits in the queue until the cue has ended, as with the classic blocking player.
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

} // namespace platform

#include "QtSoundPlayer.h"

#include "WaveDuration.h"
#include "sound/SoundEffect.h"

#include <QFile>

namespace platform {

QtSoundPlayer::QtSoundPlayer(const std::filesystem::path& module)
    : module_(QFile::decodeName(QByteArray::fromStdString(module.native()))) {
    deferredStart_.setSingleShot(true);
    deferredStart_.setInterval(0);
    QObject::connect(&deferredStart_, &QTimer::timeout, [this] {
        if (SoundEffect* sound = effect())
            sound->start(pending_);
    });
}

QtSoundPlayer::~QtSoundPlayer() = default;

void QtSoundPlayer::play(const std::filesystem::path& wave, Wait wait) {
    const auto duration = WaveDuration(wave);
    if (!duration)
        return;
    if (wait == Wait::No) {
        // A later cue before the event loop runs replaces this one, as a playing one would be.
        pending_ = wave;
        deferredStart_.start();
        return;
    }
    deferredStart_.stop();
    if (SoundEffect* sound = effect()) {
        sound->start(wave);
        sound->waitForEnd(*duration + margin);
    }
}

// Starts at once rather than from the event loop, so that the end is watched from the start.
void QtSoundPlayer::playThen(const std::filesystem::path& wave, QObject& context,
                             std::function<void()> ended) {
    const auto duration = WaveDuration(wave);
    SoundEffect* sound = duration ? effect() : nullptr;
    if (!sound) {
        QMetaObject::invokeMethod(&context, std::move(ended), Qt::QueuedConnection);
        return;
    }
    deferredStart_.stop();
    sound->start(wave);
    sound->whenEnded(*duration + margin, context, std::move(ended));
}

SoundEffect* QtSoundPlayer::effect() {
    if (!loadTried_) {
        loadTried_ = true;
        // The module stays loaded to the end of the program, after the effect it made is gone.
        if (const auto make =
                reinterpret_cast<SoundEffectFactory>(module_.resolve(SoundModuleFactory)))
            effect_.reset(make());
    }
    return effect_.get();
}

} // namespace platform

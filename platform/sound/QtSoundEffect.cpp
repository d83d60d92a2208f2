// The sound module: cues through QSoundEffect.
#include "SoundEffect.h"

#include <QEventLoop>
#include <QFile>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>

namespace {

class QtSoundEffect : public platform::SoundEffect {
public:
    void start(const std::filesystem::path& wave) override {
        effect_.stop();
        effect_.setSource(
            QUrl::fromLocalFile(QFile::decodeName(QByteArray::fromStdString(wave.native()))));
        effect_.play();
    }

    void waitForEnd(std::chrono::milliseconds longest) override {
        if (effect_.status() == QSoundEffect::Error)
            return;
        QEventLoop loop;
        QObject::connect(&effect_, &QSoundEffect::playingChanged, &loop, [this, &loop] {
            if (!effect_.isPlaying())
                loop.quit();
        });
        QObject::connect(&effect_, &QSoundEffect::statusChanged, &loop, [this, &loop] {
            if (effect_.status() == QSoundEffect::Error)
                loop.quit();
        });
        QTimer::singleShot(longest, &loop, &QEventLoop::quit);
        // Input waits in the queue until the cue has ended, as with a blocking player.
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }

private:
    QSoundEffect effect_;
};

} // namespace

extern "C" __attribute__((visibility("default"))) platform::SoundEffect*
tessaly_create_sound_effect() {
    return new QtSoundEffect;
}

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
        QEventLoop loop;
        whenEnded(longest, loop, [&loop] { loop.quit(); });
        // Input waits in the queue until the cue has ended, as with a blocking player.
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }

    // The watch lives as a child of `context`: destroyed with it, it takes its connections
    // along, and nothing is called.
    void whenEnded(std::chrono::milliseconds longest, QObject& context,
                   std::function<void()> ended) override {
        auto* limit = new QTimer(&context);
        limit->setSingleShot(true);
        const auto finish = [this, limit, ended = std::move(ended)] {
            QObject::disconnect(&effect_, nullptr, limit, nullptr);
            limit->stop();
            limit->deleteLater();
            ended();
        };
        QObject::connect(limit, &QTimer::timeout, limit, finish);
        QObject::connect(&effect_, &QSoundEffect::playingChanged, limit, [this, finish] {
            if (!effect_.isPlaying())
                finish();
        });
        QObject::connect(&effect_, &QSoundEffect::statusChanged, limit, [this, finish] {
            if (effect_.status() == QSoundEffect::Error)
                finish();
        });
        limit->start(effect_.status() == QSoundEffect::Error ? std::chrono::milliseconds(0)
                                                             : longest);
    }

private:
    QSoundEffect effect_;
};

} // namespace

extern "C" __attribute__((visibility("default"))) platform::SoundEffect*
tessaly_create_sound_effect() {
    return new QtSoundEffect;
}

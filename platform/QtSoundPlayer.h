#pragma once

#include "SoundPlayer.h"

#include <QLibrary>
#include <QTimer>
#include <chrono>
#include <memory>

namespace platform {

class SoundEffect;

// Cues through the sound module (QSoundEffect). Neither the module nor the audio system is
// touched before the first cue, and a cue that is not waited for starts from the event loop,
// so the program's start does not wait for them. Files are checked by their wave header
// first: a missing, unreadable or non-wave file is silence at once, and a waited-for cue never
// blocks longer than its header says, since without an audio device a sound may never report
// its end. Without the module every cue is silence.
class QtSoundPlayer : public SoundPlayer {
public:
    // How much longer than the wave's own duration a waited-for cue may take, for loading it
    // and starting the device.
    static constexpr std::chrono::milliseconds margin{200};

    // `module`: the sound module's file, usually beside the program.
    explicit QtSoundPlayer(const std::filesystem::path& module);
    ~QtSoundPlayer() override;

    void play(const std::filesystem::path& wave, Wait wait) override;
    void playThen(const std::filesystem::path& wave, QObject& context,
                  std::function<void()> ended) override;

private:
    SoundEffect* effect();

    QLibrary module_;
    std::unique_ptr<SoundEffect> effect_;
    bool loadTried_ = false;
    std::filesystem::path pending_;
    QTimer deferredStart_;
};

} // namespace platform

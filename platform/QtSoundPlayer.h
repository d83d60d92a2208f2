#pragma once

#include "SoundPlayer.h"

#include <QTimer>
#include <chrono>
#include <memory>

class QSoundEffect;

namespace platform {

// Cues through QSoundEffect. The audio system is not touched before the first cue, and a cue
// that is not waited for starts from the event loop, so the cue at start-up costs start-up
// nothing. Files are checked by their wave header first: a missing, unreadable or non-wave
// file is silence at once, and a waited-for cue never blocks longer than its header says,
// since without an audio device a sound may never report its end.
class QtSoundPlayer : public SoundPlayer {
public:
    // How much longer than the wave's own duration a waited-for cue may take, for loading it
    // and starting the device.
    static constexpr std::chrono::milliseconds margin{200};

    QtSoundPlayer();
    ~QtSoundPlayer() override;

    void play(const std::filesystem::path& wave, Wait wait) override;

private:
    void start(const std::filesystem::path& wave);
    void waitForEnd(std::chrono::milliseconds longest);

    std::unique_ptr<QSoundEffect> effect_;
    std::filesystem::path pending_;
    QTimer deferredStart_;
};

} // namespace platform

#pragma once

#include <filesystem>
#include <functional>

class QObject;

namespace platform {

enum class Wait { No, UntilEnd };

class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Plays a wave file. Wait::No returns at once, replacing any sound still playing;
    // Wait::UntilEnd returns when the sound has ended. A file that cannot be played is
    // silence, never an error.
    virtual void play(const std::filesystem::path& wave, Wait wait) = 0;
    // Plays a wave file as Wait::No does, and calls `ended` from the event loop once it has
    // ended, never from within this call: a window can follow a cue with the next step without
    // waiting inside a handler. A file that cannot be played ends at the next turn of the event
    // loop. Nothing is called once `context` is destroyed, so a window closed while its cue
    // plays is never reached.
    virtual void playThen(const std::filesystem::path& wave, QObject& context,
                          std::function<void()> ended) = 0;
};

} // namespace platform

#pragma once

#include <filesystem>

namespace platform {

enum class Wait { No, UntilEnd };

class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Plays a wave file. Wait::No returns at once, replacing any sound still playing;
    // Wait::UntilEnd returns when the sound has ended. A file that cannot be played is
    // silence, never an error.
    virtual void play(const std::filesystem::path& wave, Wait wait) = 0;
};

} // namespace platform

#pragma once

#include <chrono>
#include <filesystem>
#include <functional>

class QObject;

namespace platform {

// One sound effect of the sound module: the part of playing cues that needs the multimedia
// libraries, kept in a module of its own so that a program loads them at its first cue and
// not at its start.
class SoundEffect {
public:
    virtual ~SoundEffect() = default;
    // Starts the wave, replacing any sound still playing.
    virtual void start(const std::filesystem::path& wave) = 0;
    // Returns when the sound started last has ended, failed, or `longest` has passed; user
    // input waits meanwhile.
    virtual void waitForEnd(std::chrono::milliseconds longest) = 0;
    // Calls `ended` from the event loop at the moment waitForEnd would return, unless `context`
    // is destroyed before.
    virtual void whenEnded(std::chrono::milliseconds longest, QObject& context,
                           std::function<void()> ended) = 0;
};

// The module's file name, and the function it exports to make an effect.
inline constexpr const char* SoundModuleName = "libtessaly_sound.so";
inline constexpr const char* SoundModuleFactory = "tessaly_create_sound_effect";
using SoundEffectFactory = SoundEffect* (*)();

} // namespace platform

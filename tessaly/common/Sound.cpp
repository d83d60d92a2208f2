#include "Sound.h"

#include "Strings.h"

#include <utility>

namespace {

std::string CueFile(const platform::ProgramFolder& programFolder, const std::string& cue) {
    return AddBackslash(programFolder.kitFolder()) + cue;
}

} // namespace

void PlayCue(const platform::ProgramFolder& programFolder, platform::SoundPlayer& player,
             const std::string& cue, platform::Wait wait) {
    player.play(CueFile(programFolder, cue), wait);
}

void PlayCueThen(const platform::ProgramFolder& programFolder, platform::SoundPlayer& player,
                 const std::string& cue, QObject& context, std::function<void()> ended) {
    player.playThen(CueFile(programFolder, cue), context, std::move(ended));
}

#include "Sound.h"

#include "Strings.h"

void PlayCue(const platform::ProgramFolder& programFolder, platform::SoundPlayer& player,
             const std::string& cue, platform::Wait wait) {
    player.play(AddBackslash(programFolder.kitFolder()) + cue, wait);
}

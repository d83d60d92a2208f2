#pragma once

#include "platform/ProgramFolder.h"
#include "platform/SoundPlayer.h"

#include <functional>
#include <string>

// Plays one of the kit's cues, named relative to the program's folder
// (e.g. "appdata/audio/groovy.wav"). Cues are decoration: nothing is reported back.
void PlayCue(const platform::ProgramFolder& programFolder, platform::SoundPlayer& player,
             const std::string& cue, platform::Wait wait);

// The same, and `ended` runs from the event loop once the cue has ended, unless `context` is
// gone by then.
void PlayCueThen(const platform::ProgramFolder& programFolder, platform::SoundPlayer& player,
                 const std::string& cue, QObject& context, std::function<void()> ended);

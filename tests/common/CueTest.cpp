#include "support/FakeServices.h"
#include "tessaly/common/Sound.h"

#include <gtest/gtest.h>

TEST(PlayCue, NamesTheCueBelowTheProgramFolderEveryTime) {
    FixedProgramFolder folder;
    RecordingSound sound;
    folder.folder = "/opt/kit";
    PlayCue(folder, sound, "appdata/audio/ok.wav", platform::Wait::No);
    folder.folder = "/"; // a program at the root gets a single separator
    PlayCue(folder, sound, "appdata/audio/gun.wav", platform::Wait::UntilEnd);

    const decltype(sound.played) expected{{"/opt/kit/appdata/audio/ok.wav", platform::Wait::No},
                                          {"/appdata/audio/gun.wav", platform::Wait::UntilEnd}};
    EXPECT_EQ(sound.played, expected);
}

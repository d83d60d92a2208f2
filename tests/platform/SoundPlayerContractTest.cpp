#include "Contract.h"
#include "platform/QtSoundPlayer.h"
#include "platform/WaveDuration.h"
#include "support/FakeServices.h"
#include "support/TempDir.h"

#include <QElapsedTimer>
#include <chrono>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using platform::Wait;

namespace {

const fs::path KitCues = fs::path(TESSALY_KIT_DIR) / "appdata/audio";

struct RealSound {
    static constexpr const char* name = "Real";
    platform::QtSoundPlayer service{TESSALY_SOUND_MODULE};
};

struct FakeSound {
    static constexpr const char* name = "Fake";
    RecordingSound service;
};

template <class Subject> class SoundPlayerContract : public testing::Test {
protected:
    std::chrono::milliseconds timeOf(const fs::path& wave, Wait wait) {
        QElapsedTimer clock;
        clock.start();
        EXPECT_NO_THROW(subject.service.play(wave, wait));
        return std::chrono::milliseconds(clock.elapsed());
    }

    Subject subject;
};

using SoundPlayers = testing::Types<RealSound, FakeSound>;
TYPED_TEST_SUITE(SoundPlayerContract, SoundPlayers, SubjectName);

// Scheduling slack for a loaded machine, on top of what the player itself may take.
constexpr auto slack = 150ms;

TYPED_TEST(SoundPlayerContract, AWaitedForKitCueEndsWithinItsOwnLength) {
    const fs::path cue = KitCues / "ok.wav";
    const auto length = platform::WaveDuration(cue);
    ASSERT_TRUE(length);
    EXPECT_LE(this->timeOf(cue, Wait::UntilEnd), *length + platform::QtSoundPlayer::margin + slack);
}

TYPED_TEST(SoundPlayerContract, AKitCueNotWaitedForReturnsAtOnce) {
    EXPECT_LT(this->timeOf(KitCues / "king.wav", Wait::No), slack);
}

TYPED_TEST(SoundPlayerContract, AMissingWaveIsSilenceAtOnce) {
    const TempDir kit;
    for (const Wait wait : {Wait::No, Wait::UntilEnd}) {
        EXPECT_LT(this->timeOf(kit.path() / "appdata/audio/gun.wav", wait), slack);
    }
}

} // namespace

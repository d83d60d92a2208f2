#include "Contract.h"
#include "platform/QtSoundPlayer.h"
#include "platform/WaveDuration.h"
#include "support/FakeServices.h"
#include "support/TempDir.h"

#include <QElapsedTimer>
#include <QTest>
#include <array>
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

    void letCuesEnd(const std::function<bool()>& done) { EXPECT_TRUE(QTest::qWaitFor(done)); }
};

struct FakeSound {
    static constexpr const char* name = "Fake";
    RecordingSound service;

    void letCuesEnd(const std::function<bool()>&) {
        while (service.endCue()) {
        }
    }
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

// A follow-up runs once the cue has ended, playable or not, never within the call; a follow-up
// whose context has gone meanwhile never runs.
TYPED_TEST(SoundPlayerContract, AFollowUpRunsOnceFromTheEventLoopUnlessItsContextIsGone) {
    const TempDir kit;
    int ranForTheGone = 0, ranForMissing = 0, ran = 0;
    {
        QObject gone;
        this->subject.service.playThen(KitCues / "ok.wav", gone, [&] { ++ranForTheGone; });
    }
    QObject context;
    this->subject.service.playThen(kit.path() / "ok.wav", context, [&] { ++ranForMissing; });
    this->subject.service.playThen(KitCues / "ok.wav", context, [&] { ++ran; });
    EXPECT_EQ(ranForMissing + ran, 0) << "ran within the call";
    this->subject.letCuesEnd([&] { return ran > 0 && ranForMissing > 0; });
    EXPECT_EQ((std::array{ranForTheGone, ranForMissing, ran}), (std::array{0, 1, 1}));
}

} // namespace

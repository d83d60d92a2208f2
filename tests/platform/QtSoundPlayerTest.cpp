#include "platform/QtSoundPlayer.h"

#include "support/TempDir.h"

#include <QElapsedTimer>
#include <QTest>
#include <chrono>
#include <cstdint>
#include <functional>
#include <gtest/gtest.h>
#include <string>

using namespace std::chrono_literals;
using platform::QtSoundPlayer;
using platform::Wait;

namespace {

// A silent mono 16-bit wave at 8000 samples a second.
std::string SilentWave(std::chrono::milliseconds length) {
    const auto le = [](std::uint32_t value, int bytes) {
        std::string text;
        for (int i = 0; i < bytes; ++i) {
            text += static_cast<char>((value >> (8 * i)) & 0xFF);
        }
        return text;
    };
    const auto dataSize = static_cast<std::uint32_t>(16 * length.count());
    return "RIFF" + le(36 + dataSize, 4) + "WAVEfmt " + le(16, 4) + le(1, 2) + le(1, 2) +
           le(8000, 4) + le(16000, 4) + le(2, 2) + le(16, 2) + "data" + le(dataSize, 4) +
           std::string(dataSize, '\0');
}

std::chrono::milliseconds TimeOf(const std::function<void()>& action) {
    QElapsedTimer clock;
    clock.start();
    action();
    return std::chrono::milliseconds(clock.elapsed());
}

// Scheduling slack for a loaded machine, on top of what the player itself allows.
constexpr auto slack = 150ms;

TEST(QtSoundPlayer, UnplayableFilesAreSilentAtOnce) {
    TempDir folder;
    const std::string longWave = SilentWave(3000ms);
    const struct {
        const char* what;
        std::filesystem::path file;
    } cases[] = {
        {"missing file", folder.path() / "missing.wav"},
        {"missing folder", folder.path() / "appdata/audio/gun.wav"},
        {"not a wave", folder.file("text.wav", "just some words\n")},
        {"empty", folder.file("empty.wav")},
        {"header cut short", folder.file("cut.wav", longWave.substr(0, 30))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QtSoundPlayer player(TESSALY_SOUND_MODULE);
        EXPECT_LT(TimeOf([&] { player.play(c.file, Wait::UntilEnd); }), slack);
        EXPECT_LT(TimeOf([&] { player.play(c.file, Wait::No); }), slack);
    }
}

TEST(QtSoundPlayer, WaitingEndsByTheWavesOwnLength) {
    // Without an audio device the sound never reports its end; the header bounds the wait.
    TempDir folder;
    const auto length = 300ms;
    const auto wave = folder.file("cue.wav", SilentWave(length));
    QtSoundPlayer player(TESSALY_SOUND_MODULE);

    EXPECT_LE(TimeOf([&] { player.play(wave, Wait::UntilEnd); }),
              length + QtSoundPlayer::margin + slack);
}

TEST(QtSoundPlayer, NotWaitingReturnsAtOnceEvenForALongCue) {
    TempDir folder;
    const auto wave = folder.file("long.wav", SilentWave(5000ms));
    QtSoundPlayer player(TESSALY_SOUND_MODULE);

    EXPECT_LT(TimeOf([&] { player.play(wave, Wait::No); }), slack);
    // The cue starts from the event loop; a waited-for one after it still ends in time.
    QTest::qWait(20);
    const auto shortWave = folder.file("short.wav", SilentWave(100ms));
    EXPECT_LE(TimeOf([&] { player.play(shortWave, Wait::UntilEnd); }),
              100ms + QtSoundPlayer::margin + slack);
}

TEST(QtSoundPlayer, WithoutTheSoundModuleEveryCueIsSilentAtOnce) {
    TempDir folder;
    const auto wave = folder.file("long.wav", SilentWave(2000ms));
    QtSoundPlayer player(folder.path() / "no-such-module.so");
    EXPECT_LT(TimeOf([&] { player.play(wave, Wait::UntilEnd); }), slack);
    EXPECT_LT(TimeOf([&] {
                  player.play(wave, Wait::No);
                  QTest::qWait(20);
              }),
              slack + 20ms);
}

} // namespace

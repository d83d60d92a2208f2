#include "platform/WaveDuration.h"

#include "support/TempDir.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <optional>
#include <string>

using namespace std::chrono_literals;
using std::chrono::milliseconds;

namespace {

std::string Le32(std::uint32_t value) {
    std::string bytes;
    for (int i = 0; i < 4; ++i) {
        bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
    return bytes;
}

// A chunk as a well-made file has it: its size, its body, a pad byte after an odd body.
std::string Chunk(const std::string& id, const std::string& body) {
    return id + Le32(static_cast<std::uint32_t>(body.size())) + body +
           (body.size() % 2 ? std::string(1, '\0') : "");
}

// PCM format chunk; only the byte rate matters for the duration.
std::string Format(std::uint32_t byteRate) {
    const std::string mono16bit = std::string("\x01\x00\x01\x00", 4);
    return Chunk("fmt ", mono16bit + Le32(byteRate / 2) + Le32(byteRate) +
                             std::string("\x02\x00\x10\x00", 4));
}

std::string Data(std::size_t bytes) {
    return Chunk("data", std::string(bytes, '\0'));
}

std::string Riff(const std::string& chunks) {
    return "RIFF" + Le32(static_cast<std::uint32_t>(4 + chunks.size())) + "WAVE" + chunks;
}

struct WaveCase {
    const char* what;
    std::string bytes;
    std::optional<milliseconds> expected;
};

void PrintTo(const WaveCase& c, std::ostream* out) {
    *out << c.what;
}

class WaveDurationTest : public testing::TestWithParam<WaveCase> {};

TEST_P(WaveDurationTest, ReadsTheHeader) {
    TempDir folder;
    EXPECT_EQ(platform::WaveDuration(folder.file("cue.wav", GetParam().bytes)),
              GetParam().expected);
}

const std::string good = Riff(Format(16000) + Data(4000));

INSTANTIATE_TEST_SUITE_P(
    WaveDuration, WaveDurationTest,
    testing::Values(
        WaveCase{"plain", good, 250ms}, WaveCase{"rounds_up", Riff(Format(16000) + Data(2)), 1ms},
        WaveCase{"odd_chunk_before_format", Riff(Chunk("LIST", "abc") + Format(16000) + Data(1600)),
                 100ms},
        WaveCase{"odd_chunk_between", Riff(Format(16000) + Chunk("junk", "x") + Data(1600)), 100ms},
        WaveCase{"data_before_format", Riff(Data(1600) + Format(16000)), 100ms},
        WaveCase{"data_cut_short_counts_what_is_there", good.substr(0, good.size() - 2400), 100ms},
        WaveCase{"empty_data", Riff(Format(16000) + Data(0)), 0ms},
        WaveCase{"cut_in_riff_header", good.substr(0, 10), std::nullopt},
        WaveCase{"cut_in_format", good.substr(0, 12 + 8 + 10), std::nullopt},
        WaveCase{"cut_before_data", good.substr(0, 12 + 24 + 4), std::nullopt},
        WaveCase{"no_data", Riff(Format(16000)), std::nullopt},
        WaveCase{"no_format", Riff(Data(1600)), std::nullopt},
        WaveCase{"zero_byte_rate", Riff(Format(0) + Data(1600)), std::nullopt},
        WaveCase{"format_too_short", Riff(Chunk("fmt ", std::string(14, '\1')) + Data(16)),
                 std::nullopt},
        WaveCase{"chunk_larger_than_file",
                 Riff(Format(16000) + "LIST" + Le32(0xFFFFFFFF) + Data(1600)), std::nullopt},
        WaveCase{"not_riff", "RIFX" + good.substr(4), std::nullopt},
        WaveCase{"riff_but_not_wave", good.substr(0, 8) + "AVI " + good.substr(12), std::nullopt},
        WaveCase{"text_file", "Not a sound at all.\n", std::nullopt},
        WaveCase{"empty_file", "", std::nullopt}),
    [](const testing::TestParamInfo<WaveCase>& info) { return info.param.what; });

TEST(WaveDuration, MissingFileHasNone) {
    EXPECT_EQ(platform::WaveDuration("/no/such/folder/cue.wav"), std::nullopt);
}

TEST(WaveDuration, FolderHasNone) {
    TempDir folder;
    EXPECT_EQ(platform::WaveDuration(folder.path()), std::nullopt);
}

} // namespace

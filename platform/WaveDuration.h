#pragma once

#include <chrono>
#include <filesystem>
#include <optional>

namespace platform {

// How long a RIFF wave file plays, from its header alone: the data chunk's size over the fmt
// chunk's byte rate, rounded up to whole milliseconds. A data chunk that runs past the end of
// the file counts only the bytes that are there. nullopt when the file cannot be read, is no
// RIFF wave, or lacks either chunk.
std::optional<std::chrono::milliseconds> WaveDuration(const std::filesystem::path& wave);

} // namespace platform

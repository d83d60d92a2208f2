#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The game reads no more armpatches than this.
inline constexpr int16_t MaxArmpatches = 20;

enum class AddOutcome {
    Insert,        // the path goes into the list
    ListFull,      // the list already holds MaxArmpatches entries
    NothingChosen, // no file was selected
    AlreadyListed, // an entry has exactly these bytes
};

// What a request to add `path` to the installation list comes to. The count is checked
// before the path is even looked at, so a full list refuses a listed path as full, not as a
// duplicate. Paths compare byte for byte: letter case makes two entries different.
AddOutcome CheckAdd(int16_t count, const std::string& path,
                    const std::vector<std::string>& entries);

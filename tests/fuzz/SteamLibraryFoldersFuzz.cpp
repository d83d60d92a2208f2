#include "tessaly/startup/LauncherRecords.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

// Called by libFuzzer, or by FuzzDriver.cpp, with each input.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    SteamLibraryFolders(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}

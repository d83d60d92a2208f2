#include "FuzzTarget.h"
#include "tessaly/startup/LauncherRecords.h"

#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    SteamLibraryFolders(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}

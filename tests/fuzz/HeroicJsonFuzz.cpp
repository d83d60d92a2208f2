#include "tessaly/startup/LauncherRecords.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

// Called by libFuzzer, or by FuzzDriver.cpp, with each input.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    JsonTextsUnder(std::string_view(reinterpret_cast<const char*>(data), size), "install_path");
    return 0;
}

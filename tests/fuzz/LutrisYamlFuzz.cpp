#include "FuzzTarget.h"
#include "tessaly/startup/LauncherRecords.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    LutrisGameFromYaml(std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}

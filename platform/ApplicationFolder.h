#pragma once

#include "ProgramFolder.h"

#include <filesystem>

namespace platform {

// The folder of the running executable and the kit's layout around it, taken once when this
// object is made. `kitMarker` is a file that every kit of this program holds.
class ApplicationFolder : public ProgramFolder {
public:
    explicit ApplicationFolder(const std::filesystem::path& kitMarker);
    std::string path() const override { return folder_; }
    std::string kitFolder() const override { return kit_; }
    std::string settingsFolder() const override;
    // Where the program's loadable modules lie.
    std::string moduleFolder() const { return module_; }

private:
    std::string folder_;
    std::string kit_;
    std::string module_;
    std::string settings_;
};

} // namespace platform

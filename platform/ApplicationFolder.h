#pragma once

#include "ProgramFolder.h"

namespace platform {

// The folder of the running executable, taken once when this object is made.
class ApplicationFolder : public ProgramFolder {
public:
    ApplicationFolder();
    std::string path() const override { return folder_; }

private:
    std::string folder_;
};

} // namespace platform

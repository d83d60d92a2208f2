#pragma once

#include "ProgramFolder.h"

namespace platform {

// The folder of the running executable.
class ApplicationFolder : public ProgramFolder {
public:
    std::string path() const override;
};

} // namespace platform

#pragma once

#include <string>

namespace platform {

class ProgramFolder {
public:
    virtual ~ProgramFolder() = default;
    // The folder of the running program, where the kit's own files lie.
    virtual std::string path() const = 0;
};

} // namespace platform

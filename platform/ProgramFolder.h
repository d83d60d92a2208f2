#pragma once

#include <string>

namespace platform {

class ProgramFolder {
public:
    virtual ~ProgramFolder() = default;
    // The folder of the running program.
    virtual std::string path() const = 0;
    // Where the kit's own read-only files lie. A portable kit keeps them beside the program.
    virtual std::string kitFolder() const { return path(); }
    // Where the settings file lies, made if need be. A portable kit keeps it beside the program.
    virtual std::string settingsFolder() const { return path(); }
};

} // namespace platform

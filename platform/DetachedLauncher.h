#pragma once

#include "Launcher.h"

namespace platform {

// Starts programs as detached processes, in a session of their own: no shell, so arguments
// need no quoting, and program and arguments reach the program byte for byte.
class DetachedLauncher : public Launcher {
public:
    bool startDetached(const std::string& program,
                       const std::vector<std::string>& arguments) override;
};

} // namespace platform

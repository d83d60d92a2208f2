#pragma once

#include "Launcher.h"

namespace platform {

// Starts programs as detached processes: no shell, so arguments need no quoting.
class DetachedLauncher : public Launcher {
public:
    bool startDetached(const std::string& program,
                       const std::vector<std::string>& arguments) override;
};

} // namespace platform

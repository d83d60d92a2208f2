#pragma once

#include "Launcher.h"

namespace platform {

// Starts programs as detached processes, in a session of their own: no shell, so arguments
// need no quoting, and program and arguments reach the program byte for byte. The program is
// watched through a descriptor of its process from the event loop, without a thread or a wait;
// after the watch a thread of its own collects its end.
class DetachedLauncher : public Launcher {
public:
    void startDetached(const std::string& program, const std::vector<std::string>& arguments,
                       std::chrono::milliseconds watch, QObject& context,
                       std::function<void(Watched)> outcome) override;
};

} // namespace platform

#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <vector>

class QObject;

namespace platform {

// What became of a started program while it was watched.
enum class Watched {
    NotStarted,   // it could not be started: missing, not a program, no rights
    Failed,       // it ended with a status other than 0, or by a signal
    EndedWell,    // it ended with status 0
    StillRunning, // it ran on past the watch, and is left to itself
};

class Launcher {
public:
    virtual ~Launcher() = default;
    // Starts a program without waiting for it, and watches it for at most `watch`. `outcome` is
    // called once, from the event loop, never from within this call: when the program ends
    // within the watch, when the watch is over, or when it could not be started. Nothing is
    // called once `context` is destroyed; the program runs on all the same.
    virtual void startDetached(const std::string& program,
                               const std::vector<std::string>& arguments,
                               std::chrono::milliseconds watch, QObject& context,
                               std::function<void(Watched)> outcome) = 0;
};

} // namespace platform

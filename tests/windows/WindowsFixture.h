#pragma once

#include "selection/MainWindowFixture.h"
#include "tessaly/windows/Credits.h"

#include <vector>

// The main window of the selection tests, with what the commands of its right-hand column need:
// the credits windows that are loaded, and the paths of the cues.
class CommandsTest : public MainWindowTest {
protected:
    // No credits window outlives its test.
    ~CommandsTest() override;

    // Every loaded credits window, a closed one only until the event loop has destroyed it.
    static std::vector<Credits*> LoadedCredits();
    // Lets the event loop destroy the windows that have closed.
    static void DestroyClosed();
    std::string cue(const char* name) const;
};

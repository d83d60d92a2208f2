#pragma once

#include "ItemPickPrinter.h"
#include "platform/Services.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// Message boxes that answer from a script and remember every box in order.
class ScriptedBoxes : public platform::MessageBoxes {
public:
    platform::BoxAnswer show(const platform::BoxRequest& request) override;

    std::deque<platform::BoxAnswer> answers; // OK or Yes once the script runs out
    std::vector<platform::BoxRequest> shown;
};

class RecordingSound : public platform::SoundPlayer {
public:
    void play(const std::filesystem::path& wave, platform::Wait wait) override {
        played.emplace_back(wave.string(), wait);
        if (whilePlaying)
            whilePlaying();
    }
    std::vector<std::pair<std::string, platform::Wait>> played;
    // Runs while each cue plays, to look at the windows at that moment.
    std::function<void()> whilePlaying;
};

// The drives of `list`, given in the order the real ones come in, with "/" among them.
class FakeDrives : public platform::DriveRoots {
public:
    std::vector<platform::Drive> drives() const override { return platform::InDriveOrder(list); }
    std::vector<platform::Drive> list;
};

// Picks what the script says, a cancel once it runs out, and remembers each prompt.
class ScriptedChooser : public platform::ItemChooser {
public:
    platform::ItemPick chooseItem(const std::string& prompt,
                                  const std::string& nameFilter) override;
    platform::ItemPick chooseFolder(const std::string& prompt) override;

    std::deque<platform::ItemPick> picks;
    std::vector<std::string> prompts;
    std::vector<std::string> nameFilters; // of the file-or-folder dialogs
};

// Records each start. Like the real launcher it fails for a program that cannot be found on
// the search path or is no executable file, unless the test scripts the result.
class RecordingLauncher : public platform::Launcher {
public:
    bool startDetached(const std::string& program,
                       const std::vector<std::string>& arguments) override;

    std::optional<bool> starts;
    std::vector<std::pair<std::string, std::vector<std::string>>> started;
};

class FixedProgramFolder : public platform::ProgramFolder {
public:
    std::string path() const override { return folder; }
    std::string folder;
};

// One of each, ready to hand to a window.
struct FakeServices {
    ScriptedBoxes boxes;
    RecordingSound sound;
    FakeDrives drives;
    ScriptedChooser chooser;
    RecordingLauncher launcher;
    FixedProgramFolder programFolder;

    platform::Services services() {
        return {boxes, sound, drives, chooser, launcher, programFolder};
    }
};

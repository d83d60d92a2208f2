#pragma once

#include "ItemPickPrinter.h"
#include "platform/Services.h"

#include <QPointer>
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

// Records every cue with its mode; a cue played with a follow-up is recorded as waited for, and
// plays until the test ends it.
class RecordingSound : public platform::SoundPlayer {
public:
    void play(const std::filesystem::path& wave, platform::Wait wait) override {
        played.emplace_back(wave.string(), wait);
        if (whilePlaying)
            whilePlaying();
    }
    void playThen(const std::filesystem::path& wave, QObject& context,
                  std::function<void()> ended) override;
    // Ends the oldest cue still playing with a follow-up, which then runs unless its context
    // is gone; false when none is playing.
    bool endCue();

    std::vector<std::pair<std::string, platform::Wait>> played;
    // Runs while each cue played by play() plays, to look at the windows at that moment.
    std::function<void()> whilePlaying;

private:
    std::deque<std::pair<QPointer<QObject>, std::function<void()>>> playing_;
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

// Records each start. Like the real launcher it reports a program that cannot be found on the
// search path or is no executable file as not started, unless the test scripts the result. A
// program that starts runs until the test ends its watch.
class RecordingLauncher : public platform::Launcher {
public:
    void startDetached(const std::string& program, const std::vector<std::string>& arguments,
                       std::chrono::milliseconds watch, QObject& context,
                       std::function<void(platform::Watched)> outcome) override;
    // Ends the watch of the program started last, which reports `what` unless its context is
    // gone; false when no watch is open.
    bool endWatch(platform::Watched what);

    std::optional<bool> starts;
    std::vector<std::pair<std::string, std::vector<std::string>>> started;

private:
    QPointer<QObject> context_;
    std::function<void(platform::Watched)> outcome_;
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

#pragma once

#include "support/FakeServices.h"
#include "support/TempDir.h"
#include "tallyfold/Rename.h"

#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

// The pointer as the window sets it, change by change.
class RecordingPointer : public tallyfold::Pointer {
public:
    void setBusy(QWidget&, bool busy) override {
        busyNow = busy;
        changes.push_back(busy);
    }
    bool busyNow = false;
    std::vector<bool> changes;
};

// Scripted boxes that also note whether the pointer was busy at each box, and can act while a
// box is open, as the user or another program could.
class WatchingBoxes : public ScriptedBoxes {
public:
    explicit WatchingBoxes(const RecordingPointer& pointer) : pointer_(pointer) {}
    platform::BoxAnswer show(const platform::BoxRequest& request) override;

    std::vector<bool> busyAtBox;
    std::function<void(const platform::BoxRequest&)> whileShown;

private:
    const RecordingPointer& pointer_;
};

// Tallyfold's window on fakes, loaded, with its own kit, a temporary folder to rename in and a
// journal of its own. Every test ends with the normal pointer.
class RenameWindow : public testing::Test {
protected:
    RenameWindow();
    ~RenameWindow() override;
    void TearDown() override;

    // Works in a fresh sub-folder of the temporary folder from now on, for a table of cases.
    void startCase(const std::string& name);
    // A file for each name, holding its name; a name ending in "/" is a sub-folder.
    void makeFiles(const std::vector<std::string>& names) const;
    // The folder's contents: name to bytes ("" for a sub-folder, named with a "/").
    std::map<std::string, std::string> contents() const;
    std::string at(const std::string& name) const { return (folder / name).native(); }
    // The folder as the dialog gives it, chosen with "Browse".
    void chooseFolder(const std::string& chosen);
    // Chooses the folder, answers the boxes with `answers` and clicks "Rename Files".
    void renameWith(const std::vector<platform::BoxAnswer>& answers);
    // The texts of the boxes shown, in order.
    std::vector<std::string> texts() const;

    TempDir stateHome;
    std::string stateHomeBefore;
    TempDir dir;
    std::filesystem::path folder = dir.path(); // where the files to rename lie
    RecordingPointer pointer;
    WatchingBoxes boxes{pointer};
    ScriptedChooser chooser;
    FixedProgramFolder programFolder;
    Rename window;
};

#include "RenameWindow.h"

#include "support/FolderContents.h"

#include <cstdlib>
#include <fstream>

platform::BoxAnswer WatchingBoxes::show(const platform::BoxRequest& request) {
    busyAtBox.push_back(pointer_.busyNow);
    if (whileShown)
        whileShown(request);
    return ScriptedBoxes::show(request);
}

namespace {

FixedProgramFolder& KitFolder(FixedProgramFolder& folder) {
    folder.folder = TALLYFOLD_KIT_DIR;
    return folder;
}

} // namespace

RenameWindow::RenameWindow()
    : stateHomeBefore(std::getenv("XDG_STATE_HOME")),
      window({boxes, chooser, pointer, KitFolder(programFolder)}) {
    setenv("XDG_STATE_HOME", stateHome.str().c_str(), 1);
    window.Form_Load();
}

RenameWindow::~RenameWindow() {
    setenv("XDG_STATE_HOME", stateHomeBefore.c_str(), 1);
}

void RenameWindow::TearDown() {
    EXPECT_FALSE(pointer.busyNow) << "the pointer stays busy";
}

void RenameWindow::startCase(const std::string& name) {
    folder = dir.folder(name);
    boxes.shown.clear();
    boxes.busyAtBox.clear();
}

void RenameWindow::makeFiles(const std::vector<std::string>& names) const {
    for (const std::string& name : names) {
        if (name.ends_with('/'))
            std::filesystem::create_directory(folder / name);
        else
            std::ofstream(folder / name, std::ios::binary) << name;
    }
}

std::map<std::string, std::string> RenameWindow::contents() const {
    return FolderContents(folder);
}

void RenameWindow::chooseFolder(const std::string& chosen) {
    chooser.picks.push_back(platform::ItemPick::chosen(chosen));
    window.cmdBrowse_Click();
}

void RenameWindow::renameWith(const std::vector<platform::BoxAnswer>& answers) {
    chooseFolder(folder.native());
    boxes.answers.assign(answers.begin(), answers.end());
    window.cmdRename_Click();
}

std::vector<std::string> RenameWindow::texts() const {
    std::vector<std::string> texts;
    for (const platform::BoxRequest& box : boxes.shown)
        texts.push_back(box.text);
    return texts;
}

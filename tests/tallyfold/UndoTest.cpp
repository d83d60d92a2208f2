#include "RenameWindow.h"
#include "support/TempDir.h"
#include "tallyfold/UndoBatch.h"

#include <QLineEdit>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using platform::BoxAnswer;
using platform::BoxButtons;
using platform::BoxIcon;
using platform::BoxRequest;
using tallyfold::Batch;
using Contents = std::map<std::string, std::string>;
using Names = NameSet;
using Renamings = std::vector<Renaming>;

// The batch renames in order, so the names its folder holds tell how far it got, even when each
// rename takes the name the one before it left.
TEST(RenamesToTakeBack, TakeBackWhatTheBatchDidAsFarAsItGot) {
    const Batch abc{"/photos", {{"a", "p1"}, {"b", "p2"}, {"c", "p3"}}};
    const Batch shift{"/photos", {{"f2", "f1"}, {"f3", "f2"}, {"f4", "f3"}}};
    const struct {
        const char* what;
        const Batch& batch;
        Names names;
        Renamings back;
    } cases[] = {
        {"a run killed after its first rename", abc, {"p1", "b", "c"}, {{"p1", "a"}}},
        {"the last old name taken since",
         abc,
         {"p1", "p2", "p3", "c", "x"},
         {{"p3", "c"}, {"p2", "b"}, {"p1", "a"}}},
        {"a renamed file gone since", abc, {"p1", "p3"}, {{"p3", "c"}, {"p1", "a"}}},
        {"a whole shift", shift, {"f1", "f2", "f3"}, {{"f3", "f4"}, {"f2", "f3"}, {"f1", "f2"}}},
        {"a shift killed after one rename", shift, {"f1", "f3", "f4"}, {{"f1", "f2"}}},
        {"a shift killed before any", shift, {"f2", "f3", "f4"}, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(tallyfold::RenamesToTakeBack(c.batch, c.names), c.back) << c.what;
}

std::size_t FilesIn(const fs::path& folder) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), {}));
}

TEST(Journal, KeepsTheNewestBatchesWithTheirNamesByteForByte) {
    using namespace std::string_literals;
    const TempDir dir;
    const fs::path& journal = dir.path();
    std::vector<Batch> batches;
    for (std::size_t n = 0; n <= tallyfold::KeptBatches; ++n) {
        batches.push_back({"/photos", {{"a" + std::to_string(n), "two\nlines \xff"}}});
        tallyfold::RecordBatch(journal, batches.back());
    }
    tallyfold::RecordBatch(journal, {"/elsewhere", {{"a", "b"}}});
    std::ofstream(journal / "0000000099-1.batch") << "Tallyfold batch 1\n/photos\0../x\0y\0"s;

    std::vector<Batch> kept;
    for (const tallyfold::RecordedBatch& recorded : tallyfold::RecordedBatches(journal, "/photos"))
        kept.push_back(recorded.batch);
    EXPECT_EQ(kept, std::vector<Batch>(batches.rbegin(), batches.rend() - 2));
    EXPECT_EQ(FilesIn(journal), tallyfold::KeptBatches + 1);
}

// Tallyfold's window on a folder renamed with the label "file".
class UndoWindow : public RenameWindow {
protected:
    // Makes `files`, notes what the folder holds in `original` and renames them.
    void renameOnce(const std::vector<std::string>& files) {
        makeFiles(files);
        original = contents();
        renameAgain();
    }
    void renameAgain() {
        renameWith({BoxAnswer::Yes});
        boxes.shown.clear();
        boxes.busyAtBox.clear();
    }
    // Clicks "Undo", answering `answers`.
    void undoWith(const std::vector<BoxAnswer>& answers) {
        boxes.answers.assign(answers.begin(), answers.end());
        window.cmdUndo_Click();
    }
    BoxRequest question(std::size_t files) const {
        return {"Tallyfold",
                "Undo the renaming of " + std::to_string(files) + " files in " + folder.native() +
                    "?",
                BoxIcon::None, BoxButtons::YesNo};
    }
    BoxRequest told(const std::string& text, BoxIcon icon, const std::string& details = {}) const {
        return {"Tallyfold", text, icon, BoxButtons::Ok, details};
    }

    Contents original;
};

// No leaves the batch for later; Yes takes it back, and the next Undo the batch before it.
TEST_F(UndoWindow, TakesBackTheLastBatchOfTheFolderThenTheOneBefore) {
    renameOnce({"b.txt", "a.jpg", "notes", ".hidden", "sub/"});
    const Contents once = contents();
    window.txtName->setText("x");
    renameAgain();

    undoWith({BoxAnswer::No});
    undoWith({BoxAnswer::Yes});
    EXPECT_EQ(contents(), once);
    window.cmdUndo_Click();
    EXPECT_EQ(contents(), original);
    window.cmdUndo_Click();
    const std::string back = "The 3 files in " + folder.native() + " have their old names again.";
    EXPECT_EQ(boxes.shown,
              (std::vector{question(3), question(3), told(back, BoxIcon::Information), question(3),
                           told(back, BoxIcon::Information),
                           told("There is no renaming to undo in " + folder.native() + ".",
                                BoxIcon::Information)}));
    EXPECT_EQ(boxes.busyAtBox, std::vector<bool>(6, false));
    EXPECT_EQ(FilesIn(tallyfold::JournalFolder()), 0U);
}

TEST_F(UndoWindow, AnOldNameTakenSinceKeepsItsFileUnderTheNewName) {
    renameOnce({"a.jpg", "b.jpg", "c.jpg"});
    std::ofstream(at("b.jpg")) << "someone else's";
    undoWith({BoxAnswer::Yes});
    EXPECT_EQ(contents(), (Contents{{"a.jpg", "a.jpg"},
                                    {"b.jpg", "someone else's"},
                                    {"c.jpg", "c.jpg"},
                                    {"file2.jpg", "b.jpg"}}));
    EXPECT_EQ(boxes.shown,
              (std::vector{question(3),
                           told("2 of the 3 files in " + folder.native() +
                                    " have their old names again. The other 1 keep their new "
                                    "names, as their old names are taken now.",
                                BoxIcon::Warning, "file2.jpg -> b.jpg")}));
}

TEST_F(UndoWindow, WithoutAFolderOrWithOneGoneItSaysSoAndTouchesNothing) {
    undoWith({});
    EXPECT_EQ(boxes.shown, std::vector{told("Please select the directory whose renaming is to be "
                                            "undone.",
                                            BoxIcon::Warning)});
    startCase("gone");
    chooseFolder(folder.native());
    fs::remove(folder);
    undoWith({});
    ASSERT_EQ(boxes.shown.size(), 1U);
    EXPECT_EQ(boxes.shown[0].icon, BoxIcon::Critical);
    EXPECT_NE(boxes.shown[0].text.find(folder.native()), std::string::npos);
    EXPECT_EQ(pointer.changes, (std::vector{true, false}));
}

// Without a journal there is no undo, so nothing is renamed.
TEST_F(UndoWindow, AJournalThatCannotBeKeptStopsTheRenamingBeforeAnyFile) {
    makeFiles({"a.jpg"});
    const std::string state = std::getenv("XDG_STATE_HOME");
    setenv("XDG_STATE_HOME", stateHome.file("not-a-folder").c_str(), 1);
    renameWith({BoxAnswer::Yes});
    setenv("XDG_STATE_HOME", state.c_str(), 1);
    ASSERT_EQ(boxes.shown.size(), 2U);
    EXPECT_EQ(boxes.shown[1].title, "Tallyfold");
    EXPECT_EQ(boxes.shown[1].icon, BoxIcon::Critical);
    EXPECT_TRUE(boxes.shown[1].text.starts_with(
        "Tallyfold renamed nothing: it could not record the renaming in its journal, and without "
        "that the renaming could not be undone.\n\n"))
        << boxes.shown[1].text;
    EXPECT_EQ(contents(), (Contents{{"a.jpg", "a.jpg"}}));
}

// The command line asks nothing; it prints what the window would tell and exits with 0 only
// when every file came back.
TEST_F(UndoWindow, TheCommandLineTellsTheSameAndExitsWithWhetherAllCameBack) {
    const auto undo = [this](int status) {
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(tallyfold::UndoOnCommandLine(folder.native(), out, err), status);
        EXPECT_EQ(err.str(), "");
        return out.str();
    };
    const std::string in = " files in " + folder.native();
    renameOnce({"a.jpg", "b.jpg"});
    EXPECT_EQ(undo(0), "The 2" + in + " have their old names again.\n");
    renameAgain();
    std::ofstream(at("a.jpg")) << "taken";
    EXPECT_EQ(undo(1), "1 of the 2" + in +
                           " have their old names again. The other 1 keep their new names, as "
                           "their old names are taken now.\nfile1.jpg -> a.jpg\n");
    EXPECT_EQ(undo(1), "There is no renaming to undo in " + folder.native() + ".\n");
}

} // namespace

#include "RenameWindow.h"
#include "tallyfold/RenamePreview.h"

#include <QLineEdit>
#include <QRadioButton>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using platform::BoxAnswer;
using platform::BoxButtons;
using platform::BoxIcon;
using platform::BoxRequest;
using Contents = std::map<std::string, std::string>;

constexpr BoxAnswer Yes = BoxAnswer::Yes;
constexpr BoxAnswer No = BoxAnswer::No;

BoxRequest Tallyfold(const std::string& text, BoxIcon icon) {
    return {"Tallyfold", text, icon, BoxButtons::Ok};
}

BoxRequest Question(const std::string& folder) {
    return {"Tallyfold", "Rename all files in " + folder + " ?", BoxIcon::None, BoxButtons::YesNo};
}

BoxRequest Collision(const std::string& text) {
    return {"Rename files", text, BoxIcon::Question, BoxButtons::YesNo};
}

// The boxes without their details, for where the preview is not what a test looks at.
std::vector<BoxRequest> WithoutDetails(std::vector<BoxRequest> boxes) {
    for (BoxRequest& box : boxes)
        box.details.clear();
    return boxes;
}

constexpr const char* TrySuffix =
    "Try renaming all files with suffix or leave suffix field blank...";

TEST_F(RenameWindow, WithoutAFolderItAsksForOneAndTouchesNothing) {
    window.cmdRename_Click();
    EXPECT_EQ(boxes.shown,
              std::vector{Tallyfold("Please select directory containing the files to be renamed.",
                                    BoxIcon::Warning)});
    EXPECT_EQ(pointer.changes, std::vector<bool>());
}

TEST_F(RenameWindow, DecliningTheQuestionCancelsAndTouchesNothing) {
    makeFiles({"a.jpg", "b.txt"});
    renameWith({No});
    EXPECT_EQ(WithoutDetails(boxes.shown),
              (std::vector{Question(folder.native()),
                           Tallyfold("Renaming files cancelled.", BoxIcon::Warning)}));
    EXPECT_EQ(contents(), (Contents{{"a.jpg", "a.jpg"}, {"b.txt", "b.txt"}}));
}

// The question shows what Yes will do, and Yes does just that.
TEST_F(RenameWindow, TheQuestionPreviewsTheRenamesThatYesThenMakes) {
    makeFiles({"b.txt", "a.jpg", "file3.gif"});
    renameWith({Yes, Yes});
    ASSERT_FALSE(boxes.shown.empty());
    EXPECT_EQ(boxes.shown[0].details,
              std::string("3 files, 1 marked (already exists)\na.jpg -> file1.jpg\nb.txt -> "
                          "file2.txt\nfile3.gif -> file3.gif") +
                  TakenMark);
    EXPECT_EQ(
        contents(),
        (Contents{{"file1.jpg", "a.jpg"}, {"file2.txt", "b.txt"}, {"file3.gif", "file3.gif"}}));
}

TEST_F(RenameWindow, RenamesEveryPlainFileInListingOrderAndSaysHowMany) {
    const struct {
        std::vector<std::string> files;
        const char* label;
        bool suffix;
        Contents after;
    } cases[] = {
        {{"b.txt", "a.jpg", "sub/", ".hidden.jpg"},
         "pic",
         false,
         {{"pic1.jpg", "a.jpg"},
          {"pic2.txt", "b.txt"},
          {"sub/", ""},
          {".hidden.jpg", ".hidden.jpg"}}},
        {{"b.txt", "a.jpg"}, "pic", true, {{"1pic.jpg", "a.jpg"}, {"2pic.txt", "b.txt"}}},
        {{"b.txt", "a.jpg"}, "", false, {{"1.jpg", "a.jpg"}, {"2.txt", "b.txt"}}},
        {{"b.txt", "a.jpg"}, "", true, {{"1.jpg", "a.jpg"}, {"2.txt", "b.txt"}}},
        {{"b.txt", "a.jpg"}, "  pic ", false, {{"pic1.jpg", "a.jpg"}, {"pic2.txt", "b.txt"}}},
        {{"archive.tar.gz", "notes"},
         "x",
         false,
         {{"x1.tar.gz", "archive.tar.gz"}, {"x2", "notes"}}},
        {{"\xff.jpg", "two\nlines.txt", "caf\xe9.\xe9t\xe9"},
         "file",
         false,
         {{"file1.\xe9t\xe9", "caf\xe9.\xe9t\xe9"},
          {"file2.txt", "two\nlines.txt"},
          {"file3.jpg", "\xff.jpg"}}},
    };
    int number = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("label '") + c.label + (c.suffix ? "', suffix" : "', prefix"));
        startCase("case" + std::to_string(++number));
        makeFiles(c.files);
        window.txtName->setText(QString::fromUtf8(c.label));
        c.suffix ? window.optSuffix_Click() : window.optPrefix_Click();
        renameWith({Yes});
        EXPECT_EQ(contents(), c.after);
        const std::size_t renamed = std::count_if(c.after.begin(), c.after.end(), [](auto& entry) {
            return !entry.first.starts_with('.') && !entry.first.ends_with('/');
        });
        EXPECT_EQ(WithoutDetails(boxes.shown),
                  (std::vector{Question(folder.native()),
                               Tallyfold("Successfully renamed the " + std::to_string(renamed) +
                                             " files in " + folder.native() + ".",
                                         BoxIcon::None)}));
        EXPECT_EQ(boxes.busyAtBox, (std::vector{false, false}));
    }
}

// The folder already holds the name that the second file is to take.
TEST_F(RenameWindow, ATakenNameIsAskedAboutAndYesGoesOnLeavingAGap) {
    makeFiles({"b.jpg", "a.jpg", "file2.jpg"});
    renameWith({Yes, Yes});
    EXPECT_EQ(WithoutDetails(boxes.shown),
              (std::vector{Question(folder.native()),
                           Collision("There was an error renaming " + at("b.jpg") + " to " +
                                     at("file2.jpg") + " file already exists\r\rProceed?"),
                           Tallyfold(TrySuffix, BoxIcon::Information)}));
    EXPECT_EQ(contents(),
              (Contents{{"file1.jpg", "a.jpg"}, {"b.jpg", "b.jpg"}, {"file3.jpg", "file2.jpg"}}));
    EXPECT_EQ(boxes.busyAtBox, (std::vector{false, true, false}));
    EXPECT_EQ(pointer.changes, (std::vector{true, false, true, false}));
}

TEST_F(RenameWindow, NoToATakenNameStopsAtOnceWithTheHint) {
    makeFiles({"b.jpg", "a.jpg", "c.jpg", "file2.jpg"});
    renameWith({Yes, No});
    EXPECT_EQ(texts().size(), 3u);
    EXPECT_EQ(boxes.shown.back(), Tallyfold(TrySuffix, BoxIcon::Information));
    EXPECT_EQ(boxes.busyAtBox, (std::vector{false, true, true}));
    EXPECT_EQ(contents(), (Contents{{"file1.jpg", "a.jpg"},
                                    {"b.jpg", "b.jpg"},
                                    {"c.jpg", "c.jpg"},
                                    {"file2.jpg", "file2.jpg"}}));
}

TEST_F(RenameWindow, InSuffixModeTheQuestionKeepsABlankBeforeTheLineBreaks) {
    makeFiles({"a.jpg", "1file.jpg"});
    window.optSuffix_Click();
    renameWith({Yes, Yes});
    ASSERT_EQ(texts().size(), 3u);
    EXPECT_EQ(texts()[1], "There was an error renaming " + at("1file.jpg") + " to " +
                              at("1file.jpg") + " file already exists \r\rProceed?");
}

// The hint depends on the mode and on the label as typed, before its blanks are trimmed; it is
// the same whether the user went on from a failure or stopped at it.
TEST_F(RenameWindow, TheHintFollowsTheModeAndTheLabelAsTyped) {
    const struct {
        bool suffix;
        const char* label;
        const char* hint;
    } cases[] = {
        {false, "file", TrySuffix},
        {false, "", "Try renaming all files with suffix..."},
        {false, "   ", TrySuffix},
        {true, "file", "Try renaming all files with prefix or leave prefix field blank..."},
        {true, "", "Try renaming all files with prefix..."},
    };
    int number = 0;
    for (const auto& c : cases) {
        for (const BoxAnswer answer : {Yes, No}) {
            SCOPED_TRACE(std::string("label '") + c.label + "', answer " +
                         (answer == Yes ? "Yes" : "No"));
            startCase("case" + std::to_string(++number));
            makeFiles({"a.jpg"});
            // The file goes while the question is open, so its rename fails.
            boxes.whileShown = [&](const BoxRequest&) { fs::remove(at("a.jpg")); };
            window.txtName->setText(c.label);
            c.suffix ? window.optSuffix_Click() : window.optPrefix_Click();
            renameWith({Yes, answer});
            ASSERT_EQ(boxes.shown.size(), 3u);
            EXPECT_EQ(boxes.shown[2], Tallyfold(c.hint, BoxIcon::Information));
        }
    }
}

TEST_F(RenameWindow, AFileAlreadyNamedAsItsTargetIsAskedAboutAndKept) {
    makeFiles({"file1.jpg"});
    renameWith({Yes, Yes});
    EXPECT_EQ(texts(),
              (std::vector<std::string>{"Rename all files in " + folder.native() + " ?",
                                        "There was an error renaming " + at("file1.jpg") + " to " +
                                            at("file1.jpg") + " file already exists\r\rProceed?",
                                        TrySuffix}));
    EXPECT_EQ(contents(), (Contents{{"file1.jpg", "file1.jpg"}}));
}

TEST_F(RenameWindow, AFileThatVanishesAfterTheListingIsAskedAboutAndLeavesAGap) {
    makeFiles({"a.jpg", "b.jpg", "c.jpg"});
    boxes.whileShown = [&](const BoxRequest& box) {
        if (box.buttons == BoxButtons::YesNo && box.title == "Tallyfold")
            fs::remove(at("b.jpg"));
    };
    renameWith({Yes, Yes});
    ASSERT_EQ(texts().size(), 3u);
    EXPECT_EQ(texts()[1], "There was an error renaming " + at("b.jpg") + " to " + at("file2.jpg") +
                              " file already exists\r\rProceed?");
    EXPECT_EQ(contents(), (Contents{{"file1.jpg", "a.jpg"}, {"file3.jpg", "c.jpg"}}));
}

TEST_F(RenameWindow, ANewNameTooLongForTheFileSystemIsAskedAboutAndTheFileKeepsItsName) {
    const std::string name = "n." + std::string(250, 'e');
    makeFiles({name});
    renameWith({Yes, Yes});
    ASSERT_EQ(texts().size(), 3u);
    EXPECT_EQ(boxes.shown[1],
              Collision("There was an error renaming " + at(name) + " to " +
                        at("file1." + std::string(250, 'e')) + " file already exists\r\rProceed?"));
    EXPECT_EQ(contents(), (Contents{{name, name}}));
}

TEST_F(RenameWindow, AnEmptyFolderSaysSoWithTheCaptionAsChosen) {
    makeFiles({"sub/", ".hidden"});
    const std::string chosen = folder.native() + "  ";
    chooseFolder(chosen);
    boxes.answers = {Yes};
    window.cmdRename_Click();
    EXPECT_EQ(boxes.shown,
              (std::vector{Question(folder.native()),
                           Tallyfold("No files in " + chosen +
                                         " to be deleted, please select a directory containing "
                                         "Files.",
                                     BoxIcon::Warning)}));
    EXPECT_EQ(boxes.busyAtBox, (std::vector{false, true}));
}

TEST_F(RenameWindow, AFolderThatCannotBeListedEndsInTheErrorBox) {
    startCase("gone");
    chooseFolder(folder.native());
    fs::remove(folder);
    boxes.answers = {Yes};
    window.cmdRename_Click();
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[0], Question(folder.native()));
    EXPECT_EQ(boxes.shown[1].title, "Tallyfold");
    EXPECT_EQ(boxes.shown[1].icon, BoxIcon::Critical);
    EXPECT_NE(boxes.shown[1].text.find(std::strerror(ENOENT)), std::string::npos)
        << boxes.shown[1].text;
    EXPECT_EQ(boxes.busyAtBox, (std::vector{false, true}));
}

// The count of files is a 16-bit integer: one file more overflows it before any rename.
TEST_F(RenameWindow, MoreFilesThanTheCountHoldsEndInTheErrorBoxBeforeAnyRename) {
    for (int n = 0; n <= 32767; ++n)
        std::ofstream(folder / ("f" + std::to_string(n)));
    renameWith({Yes});
    EXPECT_EQ(WithoutDetails(boxes.shown),
              (std::vector{Question(folder.native()), Tallyfold("Overflow", BoxIcon::Critical)}));
    EXPECT_TRUE(fs::exists(folder / "f0"));
    EXPECT_FALSE(fs::exists(folder / "file1"));
}

// A label that would move the files out of the folder, put control characters into their
// names or hide them is refused before anything else; one that does none of these is taken.
TEST_F(RenameWindow, ALabelThatCouldHurtIsRefusedBeforeAnything) {
    const std::string outside = "The label cannot hold \"/\" or a NUL character, since the new "
                                "names would not stay in the folder. Please choose another label.";
    const std::string controls =
        "The label cannot hold control characters, such as a line break, a tab or an escape: in "
        "a file name they break the lines of a listing, and some can drive the terminal that "
        "shows it. Please choose another label.";
    const std::string hidden =
        "The label cannot begin with \".\" before the number: a name that begins with \".\" "
        "is hidden, so the renamed files would vanish from view. Please choose another label, or "
        "put it after the number.";
    const struct {
        QString label;
        bool suffix;
        std::string refusal; // "" for a label that is taken
        const char* renamed = "";
    } cases[] = {
        {"sub/x", false, outside},
        {QString("nul") + QChar(0) + "x", false, outside},
        {"two\nlines", false, controls},
        {"del\x7f", true, controls},
        {QString("csi") + QChar(0x9b), false, controls},
        {".", false, hidden},
        {"  .pic", false, hidden},
        {".pic", true, "", "1.pic.jpg"},
        {"a.b", false, "", "a.b1.jpg"},
    };
    int number = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label.toStdString() + (c.suffix ? ", suffix" : ", prefix"));
        startCase("case" + std::to_string(++number));
        makeFiles({"a.jpg", "sub/"});
        window.txtName->setText(c.label);
        c.suffix ? window.optSuffix_Click() : window.optPrefix_Click();
        pointer.changes.clear();
        renameWith({Yes});
        if (c.refusal.empty()) {
            EXPECT_EQ(contents(), (Contents{{c.renamed, "a.jpg"}, {"sub/", ""}}));
            continue;
        }
        EXPECT_EQ(boxes.shown, std::vector{Tallyfold(c.refusal, BoxIcon::Warning)});
        EXPECT_EQ(contents(), (Contents{{"a.jpg", "a.jpg"}, {"sub/", ""}}));
        EXPECT_EQ(pointer.changes, std::vector<bool>());
    }
}

} // namespace

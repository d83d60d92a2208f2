#include "tallyfold/Arguments.h"

#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

namespace fs = std::filesystem;

namespace {

struct Outcome {
    tallyfold::Start start;
    std::string err;
};

Outcome Read(const platform::Arguments& arguments) {
    std::ostringstream out;
    std::ostringstream err;
    auto start = tallyfold::ReadArguments(arguments, out, err);
    return {start, err.str()};
}

TEST(TallyfoldArguments, ChooseOrUndoInTheNamedFolderByItsFullPathOrRefuseWhatIsNoFolder) {
    const TempDir root;
    root.file("photos/a.jpg");
    root.file("caf\xE9/b.jpg");
    const fs::path photos = root.path() / "photos";
    const fs::path notUtf8 = root.path() / "caf\xE9";
    const fs::path cwd = fs::current_path();
    fs::current_path(root.path());
    struct Case {
        platform::Arguments arguments;
        std::optional<int> status;
        std::string folder;
        bool undo = false;
    };
    const Case cases[] = {
        {{"tallyfold"}, std::nullopt, ""},
        {{"tallyfold", photos.native()}, std::nullopt, photos.native()},
        {{"tallyfold", notUtf8.native()}, std::nullopt, notUtf8.native()},
        {{"tallyfold", "caf\xE9"}, std::nullopt, notUtf8.native()},
        {{"tallyfold", "photos"}, std::nullopt, photos.native()},
        {{"tallyfold", "./photos/"}, std::nullopt, photos.native() + "/"},
        {{"tallyfold", "photos/a.jpg"}, 2, ""},
        {{"tallyfold", "missing"}, 2, ""},
        {{"tallyfold", "--version"}, 0, ""},
        {{"tallyfold", "--undo"}, std::nullopt, root.path().native(), true},
        {{"tallyfold", "--undo", "photos"}, std::nullopt, photos.native(), true},
        {{"tallyfold", "missing", "--undo"}, 2, ""},
    };
    for (const Case& c : cases) {
        const Outcome outcome = Read(c.arguments);
        const std::string line = c.arguments.back();
        EXPECT_EQ(outcome.start.exitStatus, c.status) << line;
        EXPECT_EQ(outcome.start.folder, c.folder) << line;
        EXPECT_EQ(outcome.start.undo, c.undo) << line;
        EXPECT_EQ(outcome.err.empty(), c.status != 2) << line;
    }
    fs::current_path(cwd);
}

} // namespace

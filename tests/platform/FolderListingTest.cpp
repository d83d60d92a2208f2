#include "platform/FolderListing.h"

#include "platform/NaturalOrder.h"
#include "support/TempDir.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

namespace {

// ---- Patterns -------------------------------------------------------------------------------

struct PatternCase {
    const char* what;
    std::string patterns;
    Names expected;
};

// Keeps the test list readable: a case is named by what it checks, not dumped as bytes.
void PrintTo(const PatternCase& c, std::ostream* out) {
    *out << c.what;
}

class PatternTest : public testing::TestWithParam<PatternCase> {
protected:
    static void SetUpTestSuite() {
        folder = new TempDir;
        for (const char* name : {"EAGLE.IVB", "eagle2.ivb", "a.b.ivb", "x.ivbx", "photo.gif",
                                 "ab.jpg", "noext", "caf\xC3\xA9.ivb", "trail."}) {
            folder->file(name);
        }
    }
    static void TearDownTestSuite() {
        delete folder;
        folder = nullptr;
    }
    static inline TempDir* folder = nullptr;
};

TEST_P(PatternTest, ListsMatchingFilesInOrder) {
    EXPECT_EQ(platform::ListFiles(folder->str(), GetParam().patterns), GetParam().expected);
}

const Names all = {"a.b.ivb", "ab.jpg",    "caf\xC3\xA9.ivb", "EAGLE.IVB", "eagle2.ivb",
                   "noext",   "photo.gif", "trail.",          "x.ivbx"};

INSTANTIATE_TEST_SUITE_P(
    FolderListing, PatternTest,
    testing::Values(PatternCase{"lower pattern, upper name",
                                "*.ivb",
                                {"a.b.ivb", "caf\xC3\xA9.ivb", "EAGLE.IVB", "eagle2.ivb"}},
                    PatternCase{"upper pattern, lower name",
                                "*.IVB",
                                {"a.b.ivb", "caf\xC3\xA9.ivb", "EAGLE.IVB", "eagle2.ivb"}},
                    PatternCase{"several patterns", "*.gif;*.jpg", {"ab.jpg", "photo.gif"}},
                    PatternCase{"a name matching two patterns is listed once",
                                "*.ivb;e*",
                                {"a.b.ivb", "caf\xC3\xA9.ivb", "EAGLE.IVB", "eagle2.ivb"}},
                    PatternCase{"empty parts are ignored", ";*.gif;;", {"photo.gif"}},
                    PatternCase{"star dot star takes names without a dot", "*.*", all},
                    PatternCase{"star alone", "*", all},
                    PatternCase{"name dot star takes the bare name", "noext.*", {"noext"}},
                    PatternCase{"trailing dot is literal", "*.", {"trail."}},
                    PatternCase{"question mark is one character", "?????.ivb", {"EAGLE.IVB"}},
                    PatternCase{
                        "question mark is one UTF-8 character", "caf?.ivb", {"caf\xC3\xA9.ivb"}},
                    PatternCase{"extension must end the name", "*.ivbx", {"x.ivbx"}},
                    PatternCase{"star backtracks past an earlier match", "*b.ivb", {"a.b.ivb"}},
                    PatternCase{"no pattern, no files", "", {}}),
    [](const testing::TestParamInfo<PatternCase>& info) {
        std::string name = info.param.what;
        std::replace_if(
            name.begin(), name.end(), [](unsigned char c) { return !std::isalnum(c); }, '_');
        return name;
    });

// ---- What counts as a file or a folder ------------------------------------------------------

TEST(FolderListing, LeavesOutHiddenNames) {
    TempDir folder;
    folder.file(".hidden.ivb");
    folder.file("shown.ivb");
    folder.folder(".git");
    folder.folder("pictures");

    EXPECT_EQ(platform::ListFiles(folder.str(), "*.*"), Names{"shown.ivb"});
    EXPECT_EQ(platform::ListFolders(folder.str()), Names{"pictures"});
}

TEST(FolderListing, KeepsFilesAndFoldersApart) {
    TempDir folder;
    folder.file("file.ivb");
    folder.folder("folder.ivb");

    EXPECT_EQ(platform::ListFiles(folder.str(), "*.ivb"), Names{"file.ivb"});
    EXPECT_EQ(platform::ListFolders(folder.str()), Names{"folder.ivb"});
}

TEST(FolderListing, LinksCountAsWhatTheyPointTo) {
    TempDir folder;
    const fs::path file = folder.file("real.ivb");
    const fs::path sub = folder.folder("real");
    fs::create_symlink(file, folder.path() / "to-file.ivb");
    fs::create_symlink(sub, folder.path() / "to-folder");
    fs::create_symlink(folder.path() / "gone.ivb", folder.path() / "dangling.ivb");

    EXPECT_EQ(platform::ListFiles(folder.str(), "*.*"), (Names{"real.ivb", "to-file.ivb"}));
    EXPECT_EQ(platform::ListFolders(folder.str()), (Names{"real", "to-folder"}));
}

// What could block a rename: everything in the folder.
TEST(FolderListing, ListsTheNamesOfEverythingElseBesideTheFilesInNaturalOrder) {
    TempDir folder;
    for (const char* name : {"b10", "B2", "a.jpg", ".hidden"}) {
        folder.file(name);
    }
    folder.folder("pic1.jpg");
    fs::create_symlink("nowhere", folder.path() / "dangling");
    platform::FolderNames names = platform::ListNames(folder.str(), platform::Order::Natural);
    std::sort(names.others.begin(), names.others.end());
    EXPECT_EQ(names.files, (Names{"a.jpg", "B2", "b10"}));
    EXPECT_EQ(names.others, (Names{".hidden", "dangling", "pic1.jpg"}));
}

TEST(FolderListing, KeepsNamesThatAreNotUtf8ByteForByte) {
    TempDir folder;
    const std::string name = "bad\xFF\xFEname.ivb";
    folder.file(name);

    EXPECT_EQ(platform::ListFiles(folder.str(), "*.ivb"), Names{name});
}

// ---- Order ----------------------------------------------------------------------------------

TEST(FolderListing, SortsByUpperCasedNameThenRawBytes) {
    TempDir folder;
    for (const char* name : {"b", "_x", "a_", "Z", "ab", "B", "a", "A", "a1", "[1]"}) {
        folder.file(name);
    }
    // Upper-cased byte order puts "_" after the letters and "[" between "Z" and "_"; names
    // that differ only in case keep a fixed order (raw bytes: upper case first).
    const Names expected = {"A", "a", "a1", "ab", "a_", "B", "b", "Z", "[1]", "_x"};

    EXPECT_EQ(platform::ListFiles(folder.str(), "*"), expected);
}

TEST(FolderListing, SortsNamesWithALongCommonStart) {
    TempDir folder;
    for (const char* name : {"Armpatch2.ivb", "ARMPATCH10.ivb", "armpatch1.ivb", "armpatch1.IVB"}) {
        folder.file(name);
    }
    const Names expected = {"armpatch1.IVB", "armpatch1.ivb", "ARMPATCH10.ivb", "Armpatch2.ivb"};

    EXPECT_EQ(platform::ListFiles(folder.str(), "*.ivb"), expected);
}

TEST(FolderListing, SortsFoldersTheSameWay) {
    TempDir folder;
    for (const char* name : {"zeta", "Alpha", "_private", "beta"}) {
        folder.folder(name);
    }
    EXPECT_EQ(platform::ListFolders(folder.str()), (Names{"Alpha", "beta", "zeta", "_private"}));
}

// Each row in the order a file manager shows it.
TEST(NaturalOrder, DigitsByValueThenTextWithoutCaseThenBytes) {
    const std::vector<Names> rows = {
        {"IMG_2.jpg", "IMG_10.jpg", "img_11.jpg"},
        {"a", "B", "c", "D"},
        {"File", "file", "FILE2"},
        {"x001", "x01", "x1", "x2", "x010"},
        {"a 2", "a.jpg", "a1.jpg", "a_b", "ab"},
        {"n9", "n18446744073709551616", "n99999999999999999999999"},
        {"CAF\xc3\x89", "caf\xc3\xa9", "\xc3\x89t\xc3\xa9 2", "\xc3\xa9t\xc3\xa9 10"},
        {"caf\xe9 2", "caf\xe9 10", "caf\xe9 10b"},
        {"Zed", "\xc3\xa9", "\xfe", "\xff"},
    };
    for (const Names& row : rows) {
        Names names(row.rbegin(), row.rend());
        platform::SortNaturally(names);
        EXPECT_EQ(names, row);
    }
}

// ---- Failures -------------------------------------------------------------------------------

TEST(FolderListing, FailsOnWhatIsNoReadableFolder) {
    TempDir folder;
    const std::string missing = (folder.path() / "missing").string();
    const std::string file = folder.file("plain.txt").string();

    for (const std::string& path : {missing, file}) {
        SCOPED_TRACE(path);
        EXPECT_THROW(platform::ListFiles(path, "*.*"), std::runtime_error);
        EXPECT_THROW(platform::ListFolders(path), std::runtime_error);
    }
}

TEST(FolderListing, FailureNamesTheFolderAndTheCause) {
    const std::string missing = "/no/such/folder/here";
    try {
        platform::ListFiles(missing, "*.*");
        FAIL() << "listed a missing folder";
    } catch (const std::runtime_error& error) {
        const std::string text = error.what();
        EXPECT_NE(text.find(missing), std::string::npos) << text;
        EXPECT_NE(text.find("No such file"), std::string::npos) << text;
    }
}

} // namespace

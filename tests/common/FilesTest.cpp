#include "tessaly/common/Files.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

TEST(FileExists, OnlyExistingFilesCount) {
    TempDir dir;
    const auto file = dir.file("eagle.ivb", "x");
    fs::create_symlink(file, dir.path() / "link.ivb");
    fs::create_symlink(dir.path() / "gone", dir.path() / "dangling.ivb");

    EXPECT_TRUE(FileExists(file.string()));
    EXPECT_TRUE(FileExists((dir.path() / "link.ivb").string()));
    EXPECT_FALSE(FileExists((dir.path() / "dangling.ivb").string()));
    EXPECT_FALSE(FileExists(dir.str()));
    EXPECT_FALSE(FileExists(""));
    EXPECT_FALSE(FileExists((dir.path() / "missing.ivb").string()));
    EXPECT_FALSE(FileExists((file / "below-a-file").string()));
}

TEST(WriteTextFile, CreatesOrEmptiesTheFile) {
    TempDir dir;
    const auto fresh = dir.path() / "Tessaly.ini";
    EXPECT_TRUE(WriteTextFile(fresh.string(), ""));
    EXPECT_TRUE(fs::exists(fresh));
    EXPECT_EQ(fs::file_size(fresh), 0u);

    const auto existing = dir.file("old.ini", "[Ironvale]\nDirectory=/games\n");
    EXPECT_TRUE(WriteTextFile(existing.string(), ""));
    EXPECT_EQ(ReadBytes(existing), "");

    EXPECT_TRUE(WriteTextFile(fresh.string(), "exact\nbytes"));
    EXPECT_EQ(ReadBytes(fresh), "exact\nbytes");
}

TEST(WriteTextFile, MissingFolderFailsAndCreatesNothing) {
    TempDir dir;
    const auto inMissing = dir.path() / "no-such-folder" / "Tessaly.ini";
    EXPECT_FALSE(WriteTextFile(inMissing.string(), ""));
    EXPECT_FALSE(fs::exists(inMissing.parent_path()));
    EXPECT_FALSE(WriteTextFile(dir.str(), "")); // a folder is no file
}

#include "platform/AtomicFile.h"

#include "support/TempDir.h"
#include "support/ThreadConditions.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using namespace std::string_literals;

namespace {

std::vector<std::string> NamesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::ranges::sort(names);
    return names;
}

TEST(ReadWholeFile, ReadsRegularFilesOnlyAndNeverWaits) {
    const TempDir folder;
    const std::string big = std::string(200'000, 'b') + "\0end"s;
    const fs::path fifo = folder.path() / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(platform::ReadWholeFile(folder.file("big", big)), big);
    EXPECT_EQ(platform::ReadWholeFile(folder.file("empty")), "");
    for (const fs::path& refused :
         {folder.path() / "missing", folder.path(), fifo, fs::path("/dev/zero")})
        EXPECT_EQ(platform::ReadWholeFile(refused), std::nullopt) << refused;
}

class WriteNewFile : public testing::TestWithParam<UnnamedFiles> {
protected:
    // The new file, on a thread under the parameter's file system, replacing whatever bears the
    // name.
    bool replace(const fs::path& file, const platform::FileWriter& write) {
        bool replaced = false;
        std::thread([&] {
            if (Use(GetParam()))
                replaced =
                    platform::WriteNewFile(file, write, [](const fs::path&) { return true; });
            else
                ADD_FAILURE() << "cannot filter system calls here";
        }).join();
        return replaced;
    }

    TempDir folder;
};

INSTANTIATE_TEST_SUITE_P(FileSystems, WriteNewFile,
                         testing::Values(UnnamedFiles::Offered, UnnamedFiles::Refused),
                         UnnamedFilesName);

// A picture copied in chunks: until the copy ends, its name shows the old picture whole.
TEST_P(WriteNewFile, StreamedFileAppearsOnlyWhenComplete) {
    const fs::path picture = folder.file("armpatch1.ivb", "old picture");
    const std::string chunk(65536, 'p');
    constexpr int kChunks = 256;
    const auto copy = [&](int fd) {
        for (int i = 0; i < kChunks; ++i) {
            if (::write(fd, chunk.data(), chunk.size()) != static_cast<ssize_t>(chunk.size()))
                return false;
            if (i == kChunks / 2) {
                EXPECT_EQ(platform::ReadWholeFile(picture), "old picture");
            }
        }
        return true;
    };
    EXPECT_TRUE(replace(picture, copy));
    const std::optional<std::string> copied = platform::ReadWholeFile(picture);
    ASSERT_TRUE(copied);
    EXPECT_EQ(copied->size(), chunk.size() * kChunks);
    EXPECT_EQ(copied->find_first_not_of('p'), std::string::npos);
    EXPECT_EQ(NamesIn(folder.path()), std::vector<std::string>{"armpatch1.ivb"});
}

TEST_P(WriteNewFile, FailedWriteLeavesTheNameAsItWas) {
    const auto halfThenFail = [](int fd) {
        EXPECT_EQ(::write(fd, "half", 4), 4);
        return false;
    };
    const fs::path existing = folder.file("kept.ivb", "old");
    EXPECT_FALSE(replace(existing, halfThenFail));
    EXPECT_FALSE(replace(folder.path() / "new.ivb", halfThenFail));
    EXPECT_EQ(platform::ReadWholeFile(existing), "old");
    EXPECT_EQ(NamesIn(folder.path()), std::vector<std::string>{"kept.ivb"});
}

// The name is replaced, a symbolic link too, and a name of the longest length still finds room
// for its temporary file.
TEST_P(WriteNewFile, ReplacesWhateverBoreTheName) {
    const fs::path other = folder.file("other", "other");
    const fs::path link = folder.path() / "link.ivb";
    fs::create_symlink("other", link);
    const fs::path names[] = {folder.path() / "new.ivb", folder.file("old.ivb", "old"), link,
                              folder.path() / (std::string(251, 'n') + ".ivb")};
    for (const fs::path& name : names) {
        EXPECT_TRUE(replace(name, [](int fd) { return ::write(fd, "new", 3) == 3; })) << name;
        EXPECT_FALSE(fs::is_symlink(name)) << name;
        EXPECT_EQ(platform::ReadWholeFile(name), "new") << name;
    }
    EXPECT_EQ(platform::ReadWholeFile(other), "other");
    EXPECT_EQ(NamesIn(folder.path()).size(), std::size(names) + 1);
}

} // namespace

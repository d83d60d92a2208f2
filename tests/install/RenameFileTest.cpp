#include "tessaly/install/RenameFile.h"

#include "support/FolderContents.h"
#include "support/TempDir.h"
#include "support/ThreadConditions.h"

#include <cerrno>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <string>
#include <sys/syscall.h>
#include <thread>
#include <vector>

namespace fs = std::filesystem;
using namespace std::string_literals;

namespace {

// Every case runs three ways: where the kernel and file system can refuse to replace a name,
// and through the hard-link fallback, on a kernel without that call and on a file system that
// cannot promise it.
enum class Way { NoReplace, KernelWithoutIt, FileSystemWithoutIt };

const char* NameOf(Way way) {
    switch (way) {
    case Way::NoReplace:
        return "NoReplace";
    case Way::KernelWithoutIt:
        return "KernelWithoutIt";
    case Way::FileSystemWithoutIt:
        return "FileSystemWithoutIt";
    }
    return "";
}

void PrintTo(Way way, std::ostream* out) {
    *out << NameOf(way);
}

std::string WayName(const testing::TestParamInfo<Way>& info) {
    return NameOf(info.param);
}

const auto kEveryWay =
    testing::Values(Way::NoReplace, Way::KernelWithoutIt, Way::FileSystemWithoutIt);

bool Under(Way way) {
    switch (way) {
    case Way::NoReplace:
        return true;
    case Way::KernelWithoutIt:
        return RefuseSystemCall(SYS_renameat2, ENOSYS);
    case Way::FileSystemWithoutIt:
        return RefuseSystemCall(SYS_renameat2, EINVAL);
    }
    return false;
}

enum class Who { Root, Nobody };

// RenameFile on a thread of its own; nothing when the thread cannot be put under `way` as `who`.
std::optional<bool> RenameUnder(Way way, Who who, const std::string& from, const std::string& to) {
    std::optional<bool> renamed;
    std::thread([&] {
        if (Under(way) && (who == Who::Root || ActAsNobody()))
            renamed = RenameFile(from, to);
    }).join();
    return renamed;
}

class RenameFileTest : public testing::TestWithParam<Way> {
protected:
    bool rename(const std::string& from, const std::string& to) {
        const auto renamed = RenameUnder(GetParam(), Who::Root, from, to);
        if (!renamed)
            ADD_FAILURE() << "cannot filter system calls here";
        return renamed.value_or(false);
    }

    std::string at(const std::string& name) const { return (dir.path() / name).native(); }

    TempDir dir;
};

INSTANTIATE_TEST_SUITE_P(Ways, RenameFileTest, kEveryWay, WayName);

struct Move {
    std::string from;
    std::string to;
};

TEST_P(RenameFileTest, MovesTheFileWithItsBytes) {
    const std::vector<Move> moves = {
        {"x.ivb", "file1.ivb"},
        {"\xff\xfe.ivb", "plain.ivb"},
        {"plain2.ivb", "caf\xe9.\xe9t\xe9"},
        {"two\nlines.ivb", "one line.ivb"},
        {"into-a-folder.ivb", "sub/into-a-folder.ivb"},
    };
    dir.folder("sub");
    for (const Move& move : moves) {
        const std::string bytes = "bytes of " + move.from + "\0\xff"s;
        dir.file(move.from, bytes);
        EXPECT_TRUE(rename(at(move.from), at(move.to))) << move.from;
        EXPECT_FALSE(fs::exists(at(move.from))) << move.from;
        EXPECT_EQ(ReadBytes(at(move.to)), bytes) << move.from;
    }
}

TEST_P(RenameFileTest, NeverReplacesAnExistingName) {
    const auto file = dir.file("b.ivb", "the file");
    const auto other = dir.path() / "file1.ivb";
    const struct {
        const char* taken;
        std::function<fs::path()> make;
    } targets[] = {
        {"another file", [&] { return dir.file("file1.ivb", "another file"); }},
        {"the file's own name", [&] { return file; }},
        {"a second link of the same file",
         [&] {
             fs::create_hard_link(file, other);
             return other;
         }},
        {"a dangling symbolic link",
         [&] {
             fs::create_symlink("gone", other);
             return other;
         }},
        {"an empty folder", [&] { return dir.folder("file1.ivb"); }},
    };
    for (const auto& target : targets) {
        const fs::path to = target.make();
        const auto before = FolderContents(dir.path());
        EXPECT_FALSE(rename(file.native(), to.native())) << target.taken;
        EXPECT_EQ(FolderContents(dir.path()), before) << target.taken;
        fs::remove(other);
    }
}

TEST_P(RenameFileTest, FailsWithoutTouchingAnything) {
    dir.file("x.ivb", "x");
    dir.file("y.ivb", "y");
    const std::vector<Move> failures = {
        {"missing.ivb", "file1.ivb"},
        {"x.ivb", "no-such-folder/file1.ivb"},
        {"x.ivb\0.junk"s, "file1.ivb"}, // the name "x.ivb" must not be what moves
        {"y.ivb", "file1.ivb\0.junk"s},
        {"", "file1.ivb"},
        {"x.ivb", ""},
    };
    const auto before = FolderContents(dir.path());
    for (const Move& move : failures) {
        const auto from = move.from.empty() ? "" : at(move.from);
        const auto to = move.to.empty() ? "" : at(move.to);
        EXPECT_FALSE(rename(from, to)) << move.from << " -> " << move.to;
        EXPECT_EQ(FolderContents(dir.path()), before) << move.from << " -> " << move.to;
    }
}

// A user's rights, not root's, decide these; the temporary folder is opened up for "nobody".
class RenameFileAsUserTest : public RenameFileTest {
protected:
    RenameFileAsUserTest() {
        fs::permissions(dir.path(), fs::perms::others_exec, fs::perm_options::add);
    }

    std::optional<bool> renameAsNobody(const fs::path& from, const fs::path& to) {
        return RenameUnder(GetParam(), Who::Nobody, from.native(), to.native());
    }
};

INSTANTIATE_TEST_SUITE_P(Ways, RenameFileAsUserTest, kEveryWay, WayName);

TEST_P(RenameFileAsUserTest, ReadOnlyFolderKeepsItsFiles) {
    const auto file = dir.file("read-only/x.ivb", "x");
    fs::permissions(file.parent_path(),
                    fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
    const auto renamed = renameAsNobody(file, file.parent_path() / "file1.ivb");
    if (!renamed)
        GTEST_SKIP() << "cannot rename as an unprivileged user here";
    EXPECT_FALSE(*renamed);
    EXPECT_EQ(FolderContents(file.parent_path()),
              (std::map<std::string, std::string>{{"x.ivb", "x"}}));
}

// A shared folder where only a file's owner may take its name away, with a file everyone may
// read and write: a user can give it a second name elsewhere but cannot drop its old one.
TEST_P(RenameFileAsUserTest, AnOldNameThatWillNotGoLeavesTheFileUnderThatNameAlone) {
    const auto shared = dir.folder("shared");
    const auto file = dir.file("shared/x.ivb", "x");
    const auto open = dir.folder("open");
    fs::permissions(shared, fs::perms::all | fs::perms::sticky_bit);
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                              fs::perms::group_write | fs::perms::others_read |
                              fs::perms::others_write);
    fs::permissions(open, fs::perms::all);
    const auto before = FolderContents(dir.path());

    const auto renamed = renameAsNobody(file, open / "file1.ivb");
    if (!renamed)
        GTEST_SKIP() << "cannot rename as an unprivileged user here";
    EXPECT_FALSE(*renamed);
    EXPECT_EQ(FolderContents(dir.path()), before);
}

} // namespace

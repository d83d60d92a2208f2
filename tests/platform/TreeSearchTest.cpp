#include "platform/TreeSearch.h"

#include "support/TempDir.h"
#include "support/ThreadConditions.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <csignal>
#include <cstddef>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <linux/close_range.h>
#include <optional>
#include <set>
#include <string>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

// ---- Conditions a test thread puts itself under (more in support/ThreadConditions.h) --------

// A descriptor table of the thread's own that holds the standard streams alone, so that a limit
// on descriptors counts the search's and not those the test program happens to hold.
bool OwnDescriptorTable() {
    return close_range(STDERR_FILENO + 1, ~0u, CLOSE_RANGE_UNSHARE) == 0;
}

bool MakeFile(const fs::path& path) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    return fd >= 0 && close(fd) == 0;
}

// ---- The walker under test, once with openat2 and once with the device-number fallback ------

enum class Kernel { WithOpenat2, WithoutOpenat2 };

const char* NameOf(Kernel kernel) {
    return kernel == Kernel::WithOpenat2 ? "WithOpenat2" : "WithoutOpenat2";
}

void PrintTo(Kernel kernel, std::ostream* out) {
    *out << NameOf(kernel);
}

std::string KernelName(const testing::TestParamInfo<Kernel>& info) {
    return NameOf(info.param);
}

using Outcome = std::optional<std::string>;
const std::optional<Outcome> kRanAndFoundNothing{std::in_place};

// Runs `setup`, then the search, on a thread of their own. Returns nothing when the setup could
// not be had here.
std::optional<Outcome> SearchUnder(Kernel kernel, const std::function<bool()>& setup,
                                   const std::string& root,
                                   const std::string& name = "Ironvale.exe",
                                   int depth = platform::kDefaultTreeSearchDepth) {
    std::optional<Outcome> outcome;
    std::thread([&] {
        if ((kernel == Kernel::WithOpenat2 || RefuseSystemCall(SYS_openat2, ENOSYS)) && setup())
            outcome = platform::SearchTreeForFile(root, name, depth);
    }).join();
    return outcome;
}

class TreeSearchTest : public testing::TestWithParam<Kernel> {
protected:
    Outcome search(const std::string& root, const std::string& name = "Ironvale.exe",
                   int depth = platform::kDefaultTreeSearchDepth) {
        const auto outcome = SearchUnder(
            GetParam(), [] { return true; }, root, name, depth);
        if (!outcome)
            ADD_FAILURE() << "cannot filter system calls here";
        return outcome.value_or(std::nullopt);
    }

    TempDir tree;
};

INSTANTIATE_TEST_SUITE_P(Kernels, TreeSearchTest,
                         testing::Values(Kernel::WithOpenat2, Kernel::WithoutOpenat2), KernelName);

// Fills `folder` with `count` files of long names, so that it takes many listing calls, and
// returns the one that the folder lists last.
fs::path FillAndNameTheLastListed(const fs::path& folder, int count) {
    const std::string padding(200, 'x');
    for (int i = 0; i < count; ++i)
        MakeFile(folder / (padding + std::to_string(i)));
    fs::path last;
    for (const auto& entry : fs::directory_iterator(folder))
        last = entry.path();
    return last;
}

std::string Chain(int levels) {
    std::string path;
    for (int level = 1; level <= levels; ++level)
        path += "level" + std::to_string(level) + "/";
    return path;
}

// ---- Names ------------------------------------------------------------------------------------

TEST_P(TreeSearchTest, MatchesTheWholeNameInAnyCaseAndReportsItAsOnDisk) {
    struct Case {
        const char* onDisk;
        bool found;
    };
    const Case cases[] = {
        {"Ironvale.exe", true},      {"IRONVALE.EXE", true},    {"iRoNvAlE.ExE", true},
        {"Ironvale.exe.bak", false}, {"MyIronvale.exe", false}, {"Ironvale.ex", false},
        {"Ironvale_exe", false},     {"Ironvale.exe ", false},  {"Ir\xC3\xB6nvale.exe", false},
    };
    for (const Case& c : cases) {
        TempDir drive;
        const auto file = drive.file(std::string("Games/IronVale/") + c.onDisk);
        const auto found = search(drive.str());
        if (c.found)
            EXPECT_EQ(found, file.string()) << c.onDisk;
        else
            EXPECT_EQ(found, std::nullopt) << c.onDisk;
    }
}

TEST_P(TreeSearchTest, OnlyARegularFileCounts) {
    tree.folder("a/Ironvale.exe");
    TempDir elsewhere;
    fs::create_symlink(elsewhere.file("Ironvale.exe"), tree.folder("b") / "Ironvale.exe");
    ASSERT_EQ(mkfifo((tree.path() / "Ironvale.exe").c_str(), 0644), 0);
    EXPECT_EQ(search(tree.str()), std::nullopt);
}

TEST_P(TreeSearchTest, FindsNothingWhereThereIsNoTree) {
    const auto file = tree.file("Ironvale.exe");
    EXPECT_EQ(search((tree.path() / "missing").string()), std::nullopt);
    EXPECT_EQ(search(file.string()), std::nullopt);
    EXPECT_EQ(search(""), std::nullopt);
    EXPECT_EQ(search(tree.str(), ""), std::nullopt);
}

TEST_P(TreeSearchTest, JoinsTheRootAndThePathWithOneSlash) {
    const auto file = tree.file("Ironvale.exe");
    EXPECT_EQ(search(tree.str()), file.string());
    EXPECT_EQ(search(tree.str() + "/"), file.string());
}

TEST_P(TreeSearchTest, ReadsAFolderTooBigForOneListingCallToTheEnd) {
    const auto last = FillAndNameTheLastListed(tree.folder("big"), 600);
    EXPECT_EQ(search(tree.str(), last.filename()), last.string());
}

// ---- Order and depth ----------------------------------------------------------------------------

// Several copies: the shallowest outside every trash wins, ties by the path's bytes, on every
// run however the threads meet the folders.
TEST_P(TreeSearchTest, TakesTheShallowestCopyOutsideTheTrashFirstInByteOrder) {
    struct Case {
        std::vector<std::string> copies;
        std::string expected; // "" for none
    };
    const Case cases[] = {
        {{"a/" + Chain(12) + "Ironvale.exe", "z/Ironvale.exe"}, "z/Ironvale.exe"},
        {{"b/x/IRONVALE.EXE", "a/y/ironvale.exe", "B/z/Ironvale.exe"}, "B/z/Ironvale.exe"},
        {{"q/IRONVALE.EXE", "q/Ironvale.exe"}, "q/IRONVALE.EXE"},
        {{".Trash-1000/files/Ironvale.exe", ".Trash/Ironvale.exe", "deep/er/Ironvale.exe"},
         "deep/er/Ironvale.exe"},
        {{"home/me/.local/share/Trash/files/Ironvale/Ironvale.exe"}, ""},
        {{"moved-data/Trash/files/Ironvale.exe"}, ""},
        {{"games/Trash/Ironvale.exe"}, "games/Trash/Ironvale.exe"},
    };
    const std::string dataHome = std::getenv("XDG_DATA_HOME");
    for (const Case& c : cases) {
        TempDir drive;
        for (const std::string& copy : c.copies)
            drive.file(copy);
        setenv("XDG_DATA_HOME", (drive.path() / "moved-data").c_str(), 1);
        const Outcome expected =
            c.expected.empty() ? Outcome{} : Outcome{(drive.path() / c.expected).string()};
        for (int run = 0; run < 10; ++run)
            EXPECT_EQ(search(drive.str()), expected) << c.copies.front() << ", run " << run;
    }
    setenv("XDG_DATA_HOME", dataHome.c_str(), 1);
}

TEST_P(TreeSearchTest, DescendsAsManyFolderLevelsAsAllowedAndNoMore) {
    struct Case {
        int fileLevel; // folders between the root and the file
        int maxDepth;
        bool found;
    };
    constexpr int kDefault = platform::kDefaultTreeSearchDepth;
    const Case cases[] = {
        {32, kDefault, true}, {33, kDefault, false}, {0, 0, true},   {1, 0, false},
        {5, 5, true},         {6, 5, false},         {0, -1, false},
    };
    for (const Case& c : cases) {
        TempDir drive;
        drive.folder(Chain(40));
        drive.file(Chain(c.fileLevel) + "Ironvale.exe");
        EXPECT_EQ(search(drive.str(), "Ironvale.exe", c.maxDepth).has_value(), c.found)
            << "file " << c.fileLevel << " levels down, limit " << c.maxDepth;
    }
}

// ---- What the walk must bear --------------------------------------------------------------------

std::atomic<long> signalsCaught{0};

void CountSignal(int) {
    signalsCaught.fetch_add(1, std::memory_order_relaxed);
}

std::set<pid_t> ThreadIds() {
    std::set<pid_t> ids;
    for (const auto& entry : fs::directory_iterator("/proc/self/task"))
        ids.insert(std::stoi(entry.path().filename()));
    return ids;
}

// Signals every thread started after it, over and over, for as long as it lives: the search's
// threads and the one that runs them. Its handler is installed without SA_RESTART, so a call
// that a signal catches returns early or fails with EINTR, as it does in a program that handles
// signals that way. The test program's own threads are left alone.
class SignalStorm {
public:
    SignalStorm() : before_(ThreadIds()), caughtBefore_(signalsCaught.load()) {
        struct sigaction action {};
        action.sa_handler = CountSignal;
        sigemptyset(&action.sa_mask);
        sigaction(kSignal, &action, &previous_);
        signaller_ = std::jthread([this](const std::stop_token& stop) {
            const pid_t self = gettid();
            while (!stop.stop_requested()) {
                for (pid_t id : ThreadIds())
                    if (id != self && !before_.contains(id))
                        tgkill(getpid(), id, kSignal);
                std::this_thread::sleep_for(kPause);
            }
        });
    }
    ~SignalStorm() {
        signaller_.request_stop();
        signaller_.join();
        sigaction(kSignal, &previous_, nullptr);
    }
    SignalStorm(const SignalStorm&) = delete;
    SignalStorm& operator=(const SignalStorm&) = delete;

    long caught() const { return signalsCaught.load() - caughtBefore_; }

private:
    // Ignored by default, so one still on its way when the old action is back does no harm.
    static constexpr int kSignal = SIGURG;
    // Often enough to catch most searches mid-way, and leaves the other core of a small
    // machine mostly to the search.
    static constexpr std::chrono::microseconds kPause{200};
    const std::set<pid_t> before_;
    const long caughtBefore_;
    struct sigaction previous_ {};
    std::jthread signaller_;
};

// A chain of folders named with NAME_MAX bytes each below `root`, and the game at its bottom.
// It is made and removed one level at a time through descriptors, since its whole path may be
// longer than any call that takes a path accepts.
class LongChain {
public:
    LongChain(const fs::path& root, int levels) : root_(root), levels_(levels) {
        int folder = open(root_.c_str(), kFolder);
        for (int level = 1; level <= levels_ && folder >= 0; ++level) {
            const int parent = folder;
            folder = mkdirat(parent, kName.c_str(), 0755) == 0
                         ? openat(parent, kName.c_str(), kFolder)
                         : -1;
            close(parent);
        }
        const int game = openat(folder, kGame, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (folder < 0 || game < 0)
            ADD_FAILURE() << "cannot make a chain of " << levels_ << " long names";
        close(game);
        close(folder);
    }
    ~LongChain() {
        std::vector<int> folders{open(root_.c_str(), kFolder)};
        for (int level = 1; level <= levels_ && folders.back() >= 0; ++level)
            folders.push_back(openat(folders.back(), kName.c_str(), kFolder));
        unlinkat(folders.back(), kGame, 0);
        for (; folders.size() > 1; folders.pop_back()) {
            close(folders.back());
            unlinkat(folders[folders.size() - 2], kName.c_str(), AT_REMOVEDIR);
        }
        close(folders.front());
    }
    LongChain(const LongChain&) = delete;
    LongChain& operator=(const LongChain&) = delete;

    std::string game() const {
        std::string path = root_.string();
        for (int level = 1; level <= levels_; ++level)
            path += "/" + kName;
        return path + "/" + kGame;
    }

private:
    static constexpr int kFolder = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
    static constexpr const char* kGame = "Ironvale.exe";
    inline static const std::string kName = std::string(NAME_MAX, 'n');
    const fs::path root_;
    const int levels_;
};

// Lowers the limit on open descriptors for as long as it lives, so that a thread whose table
// holds the standard streams alone may open `count` more.
class DescriptorLimit {
public:
    explicit DescriptorLimit(int count) {
        getrlimit(RLIMIT_NOFILE, &previous_);
        rlimit lowered = previous_;
        lowered.rlim_cur = static_cast<rlim_t>(STDERR_FILENO + 1 + count);
        setrlimit(RLIMIT_NOFILE, &lowered);
    }
    ~DescriptorLimit() { setrlimit(RLIMIT_NOFILE, &previous_); }
    DescriptorLimit(const DescriptorLimit&) = delete;
    DescriptorLimit& operator=(const DescriptorLimit&) = delete;

private:
    rlimit previous_{};
};

// A signal cuts a listing call short, which must not be taken for the end of the folder.
TEST_P(TreeSearchTest, FindsTheFileWhileSignalsKeepArriving) {
    const auto last = FillAndNameTheLastListed(tree.folder("big"), 3000);
    constexpr int kSearches = 50;
    int missed = 0;
    const SignalStorm storm;
    for (int i = 0; i < kSearches; ++i)
        missed += search(tree.str(), last.filename()) == last.string() ? 0 : 1;
    EXPECT_EQ(missed, 0) << "of " << kSearches << " searches";
    EXPECT_GT(storm.caught(), kSearches) << "the signals must reach the search";
}

// With names of NAME_MAX bytes a folder 16 levels down lies PATH_MAX - 1 bytes below the root,
// as far as one path call reaches; 32 levels lie twice as far.
TEST_P(TreeSearchTest, ReachesFoldersWhosePathIsLongerThanAPathCallTakes) {
    struct Case {
        int levels;
        bool found;
    };
    const Case cases[] = {{16, true}, {17, true}, {32, true}, {33, false}};
    for (const Case& c : cases) {
        TempDir drive;
        const LongChain chain(drive.path(), c.levels);
        const auto found = search(drive.str());
        EXPECT_EQ(found.has_value(), c.found) << c.levels << " levels of long names";
        EXPECT_TRUE(!found || *found == chain.game()) << "the path comes whole, as on disk";
    }
}

// Many folders wait to be read at once on a big drive; one descriptor held for each would run
// out long before the walk ends.
TEST_P(TreeSearchTest, HoldsFewFoldersOpenHoweverManyWait) {
    for (int i = 0; i < 100; ++i)
        tree.folder("wide" + std::to_string(i) + "/below");
    const LongChain chain(tree.path(), 20);
    const DescriptorLimit limit(1 + 8); // the root and eight more
    const auto found = SearchUnder(GetParam(), OwnDescriptorTable, tree.str());
    EXPECT_TRUE(found == std::optional<Outcome>(chain.game()));
}

// ---- What the walk must not enter ---------------------------------------------------------------

TEST_P(TreeSearchTest, ALinkLoopEndsTheWalkWithoutRepeats) {
    tree.folder("a/b");
    fs::create_directory_symlink("..", tree.path() / "a" / "b" / "up");
    fs::create_directory_symlink(tree.path(), tree.path() / "a" / "root");
    fs::create_symlink("self", tree.path() / "self");
    EXPECT_EQ(search(tree.str()), std::nullopt);
    const auto file = tree.file("a/b/c/Ironvale.exe");
    EXPECT_EQ(search(tree.str()), file.string());
}

TEST_P(TreeSearchTest, DoesNotFollowALinkToAFolderHoldingTheFile) {
    TempDir elsewhere;
    elsewhere.file("Game/Ironvale.exe");
    fs::create_directory_symlink(elsewhere.path() / "Game", tree.path() / "Game");
    EXPECT_EQ(search(tree.str()), std::nullopt);
}

TEST_P(TreeSearchTest, SkipsFoldersItMayNotRead) {
    // Read as "nobody", who must reach everything but the locked folder.
    fs::permissions(tree.path(),
                    fs::perms::group_read | fs::perms::group_exec | fs::perms::others_read |
                        fs::perms::others_exec,
                    fs::perm_options::add);
    tree.file("a-locked/Ironvale.exe");
    fs::permissions(tree.path() / "a-locked", fs::perms::none);
    const auto readable = tree.file("b/deeper/Ironvale.exe");
    const auto asNobody = [&] {
        return ActAsNobody() &&
               faccessat(AT_FDCWD, tree.path().c_str(), R_OK | X_OK, AT_EACCESS) == 0;
    };

    const auto found = SearchUnder(GetParam(), asNobody, tree.str());
    if (!found)
        GTEST_SKIP() << "cannot search as an unprivileged user here";
    EXPECT_EQ(*found, readable.string());

    fs::remove(readable);
    EXPECT_EQ(SearchUnder(GetParam(), asNobody, tree.str()), kRanAndFoundNothing)
        << "the locked folder must really be unreadable";
}

TEST_P(TreeSearchTest, StaysOnTheRootsFileSystem) {
    const auto drive = tree.folder("drive");
    const auto other = tree.folder("drive/other-fs");
    const auto mountOther = [&] {
        return OwnMountTable() && mount("tessaly-test", other.c_str(), "tmpfs", 0, nullptr) == 0 &&
               MakeFile(other / "Ironvale.exe");
    };
    const auto found = SearchUnder(GetParam(), mountOther, drive.string());
    if (!found)
        GTEST_SKIP() << "cannot mount a file system here";
    EXPECT_EQ(*found, std::nullopt);
    EXPECT_EQ(SearchUnder(GetParam(), mountOther, other.string()),
              std::optional<Outcome>((other / "Ironvale.exe").string()))
        << "the mounted file system itself is searched";
}

// Device numbers cannot tell a bind mount of the root's own file system; only openat2 can.
TEST(TreeSearchBindMount, StaysOutOfABindMountOfTheSameFileSystem) {
    TempDir tree;
    const auto drive = tree.folder("drive");
    const auto bound = tree.folder("drive/bound");
    tree.file("elsewhere/Ironvale.exe");
    const auto bind = [&] {
        return OwnMountTable() && mount((tree.path() / "elsewhere").c_str(), bound.c_str(), nullptr,
                                        MS_BIND, nullptr) == 0;
    };
    const auto found = SearchUnder(Kernel::WithOpenat2, bind, drive.string());
    if (!found)
        GTEST_SKIP() << "cannot bind-mount here";
    EXPECT_EQ(*found, std::nullopt);
}

} // namespace

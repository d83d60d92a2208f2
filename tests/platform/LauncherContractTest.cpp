#include "Contract.h"
#include "platform/DetachedLauncher.h"
#include "support/FakeServices.h"
#include "support/TempDir.h"

#include <QElapsedTimer>
#include <QTest>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The started program writes its arguments down beside itself, each ended by a NUL.
constexpr const char* RecordArguments = "printf '%s\\0' \"$@\" > \"$0.part\"\n"
                                        "mv \"$0.part\" \"$0.arguments\"\n";

std::vector<std::string> SplitAtNuls(const std::string& text) {
    std::vector<std::string> items;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find('\0', start);
        items.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return items;
}

fs::path Executable(const TempDir& folder, const std::string& name, const std::string& body) {
    const fs::path file = folder.file(name, "#!/bin/sh\n" + body);
    fs::permissions(file, fs::perms::owner_all);
    return file;
}

// Long enough for the program's own end to decide the outcome.
constexpr std::chrono::minutes LongWatch{10};

// Starts `program` and returns what the launcher reports, once it has reported.
template <class Subject>
std::optional<platform::Watched> OutcomeOf(Subject& subject, const std::string& program,
                                           const std::vector<std::string>& arguments,
                                           std::chrono::milliseconds watch = LongWatch) {
    QObject context;
    std::optional<platform::Watched> outcome;
    subject.service.startDetached(program, arguments, watch, context,
                                  [&outcome](platform::Watched what) { outcome = what; });
    EXPECT_FALSE(outcome) << "reported from within the call";
    subject.endWatch();
    EXPECT_TRUE(QTest::qWaitFor([&outcome] { return outcome.has_value(); }, 10'000));
    return outcome;
}

struct RealLauncher {
    static constexpr const char* name = "Real";
    platform::DetachedLauncher service;

    void endWatch() {} // the program's own end does

    std::optional<std::vector<std::string>> argumentsSeen(const fs::path& program) const {
        const fs::path written = program.string() + ".arguments";
        QElapsedTimer clock;
        clock.start();
        while (!fs::exists(written) && clock.elapsed() < 10'000)
            QTest::qWait(10);
        if (!fs::exists(written))
            return std::nullopt;
        return SplitAtNuls(ReadBytes(written));
    }
};

struct FakeLauncher {
    static constexpr const char* name = "Fake";
    RecordingLauncher service;

    void endWatch() { service.endWatch(platform::Watched::EndedWell); }

    std::optional<std::vector<std::string>> argumentsSeen(const fs::path& program) const {
        for (const auto& [started, arguments] : service.started)
            if (started == program.string())
                return arguments;
        return std::nullopt;
    }
};

template <class Subject> class LauncherContract : public testing::Test {
protected:
    bool starts(const std::string& program, const std::vector<std::string>& arguments) {
        return OutcomeOf(subject, program, arguments) != platform::Watched::NotStarted;
    }

    TempDir folder;
    Subject subject;
};

using Launchers = testing::Types<RealLauncher, FakeLauncher>;
TYPED_TEST_SUITE(LauncherContract, Launchers, SubjectName);

TYPED_TEST(LauncherContract, HandsTheArgumentsOverByteForByte) {
    const fs::path program = Executable(this->folder, "record", RecordArguments);
    const std::vector<std::string> arguments = {"caf\xE9", "two words", "", "'it' \"is\" $HOME;"};

    ASSERT_TRUE(this->starts(program.string(), arguments));

    EXPECT_EQ(this->subject.argumentsSeen(program), arguments);
}

TYPED_TEST(LauncherContract, FindsAProgramNamedWithoutAFolderOnTheSearchPath) {
    EXPECT_TRUE(this->starts("true", {}));
}

TYPED_TEST(LauncherContract, ReturnsWithoutWaitingForTheProgramToEnd) {
    const fs::path program = Executable(this->folder, "slow", "sleep 5\n");
    QObject context;
    QElapsedTimer clock;
    clock.start();
    this->subject.service.startDetached(program.string(), {}, LongWatch, context,
                                        [](platform::Watched) {});
    EXPECT_LT(clock.elapsed(), 2000);
}

TYPED_TEST(LauncherContract, ToldWhatCannotBeStarted) {
    const struct {
        const char* what;
        std::string program;
    } cases[] = {
        {"missing file", (this->folder.path() / "missing").string()},
        {"name not on the search path", "tessaly-no-such-program"},
        {"file that may not be run", this->folder.file("plain.txt", "words\n").string()},
        {"folder", this->folder.folder("folder").string()},
        {"empty name", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(this->starts(c.program, {"argument"}));
    }
}

// The last program waits on a pipe that only the test opens, so it cannot end within the watch.
TEST(DetachedLauncher, ToldHowAProgramEndedOrThatItOutlastedTheWatch) {
    const TempDir folder;
    const fs::path gate = folder.path() / "gate";
    ASSERT_EQ(::mkfifo(gate.c_str(), 0600), 0);
    const struct {
        const char* body;
        std::chrono::milliseconds watch;
        platform::Watched outcome;
    } cases[] = {
        {"exit 0\n", LongWatch, platform::Watched::EndedWell},
        {"exit 4\n", LongWatch, platform::Watched::Failed}, // as xdg-open finding no viewer
        {"kill -KILL $$\n", LongWatch, platform::Watched::Failed},
        {"read line < \"$1\"\ntouch \"$1.passed\"\n", {}, platform::Watched::StillRunning},
    };
    RealLauncher launcher;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.body);
        const fs::path program = Executable(folder, std::to_string(&c - cases), c.body);
        EXPECT_EQ(OutcomeOf(launcher, program.string(), {gate.string()}, c.watch), c.outcome);
    }
    // Let through, it runs to its end, though no one watches it any more.
    std::ofstream(gate) << "go\n";
    EXPECT_TRUE(QTest::qWaitFor([&] { return fs::exists(gate.string() + ".passed"); }, 10'000));
}

} // namespace

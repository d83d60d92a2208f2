#include "Contract.h"
#include "platform/DetachedLauncher.h"
#include "support/FakeServices.h"
#include "support/TempDir.h"

#include <QElapsedTimer>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The started program writes its arguments down beside itself, each ended by a NUL.
constexpr const char* RecordArguments = "#!/bin/sh\n"
                                        "printf '%s\\0' \"$@\" > \"$0.part\"\n"
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

struct RealLauncher {
    static constexpr const char* name = "Real";
    platform::DetachedLauncher service;

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

    std::optional<std::vector<std::string>> argumentsSeen(const fs::path& program) const {
        for (const auto& [started, arguments] : service.started)
            if (started == program.string())
                return arguments;
        return std::nullopt;
    }
};

template <class Subject> class LauncherContract : public testing::Test {
protected:
    fs::path executable(const std::string& name, const std::string& script) const {
        const fs::path file = folder.file(name, script);
        fs::permissions(file, fs::perms::owner_all);
        return file;
    }

    TempDir folder;
    Subject subject;
};

using Launchers = testing::Types<RealLauncher, FakeLauncher>;
TYPED_TEST_SUITE(LauncherContract, Launchers, SubjectName);

TYPED_TEST(LauncherContract, HandsTheArgumentsOverByteForByte) {
    const fs::path program = this->executable("record", RecordArguments);
    const std::vector<std::string> arguments = {"caf\xE9", "two words", "", "'it' \"is\" $HOME;"};

    ASSERT_TRUE(this->subject.service.startDetached(program.string(), arguments));

    EXPECT_EQ(this->subject.argumentsSeen(program), arguments);
}

TYPED_TEST(LauncherContract, FindsAProgramNamedWithoutAFolderOnTheSearchPath) {
    EXPECT_TRUE(this->subject.service.startDetached("true", {}));
}

TYPED_TEST(LauncherContract, ReturnsWithoutWaitingForTheProgramToEnd) {
    const fs::path program = this->executable("slow", "#!/bin/sh\nsleep 5\n");
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(this->subject.service.startDetached(program.string(), {}));
    EXPECT_LT(clock.elapsed(), 2000);
}

TYPED_TEST(LauncherContract, FailsForWhatCannotBeStarted) {
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
        EXPECT_FALSE(this->subject.service.startDetached(c.program, {"argument"}));
    }
}

} // namespace

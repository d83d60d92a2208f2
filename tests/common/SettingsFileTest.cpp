#include "tessaly/common/SettingsFile.h"

#include "support/ThreadConditions.h"

#include <algorithm>
#include <csignal>
#include <fstream>
#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <iterator>
#include <stdlib.h>
#include <string>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using namespace std::string_literals;

namespace {

// ---- Parsing and editing the text -----------------------------------------------------------

// A file text, the section and key asked for, and the value read or the text written.
struct TextCase {
    const char* what;
    std::string text;
    const char* section;
    const char* key;
    std::string expected;
};

TEST(SettingsText, ReadsValues) {
    const TextCase cases[] = {
        {"blanks around value", "[Ironvale]\nDirectory = \t/games/iv \t\n", "Ironvale", "Directory",
         "/games/iv"},
        {"names ignore case and blanks", "[ Browse For File ]\n defaultdrive\t=c:\n",
         "browse for FILE", " DefaultDrive ", "c:"},
        {"one pair of double quotes", "[s]\nk=\"'v'\"\n", "s", "k", "'v'"},
        {"single quotes", "[s]\nk= 'a b' \n", "s", "k", "a b"},
        {"mismatched quotes kept", "[s]\nk=\"v'\n", "s", "k", "\"v'"},
        {"lone quote kept", "[s]\nk=\"\n", "s", "k", "\""},
        {"inner quotes kept", "[s]\nk=a \"b\"\n", "s", "k", "a \"b\""},
        {"crlf", "[s]\r\nk=v\r\n", "s", "k", "v"},
        {"byte-order mark", "\xEF\xBB\xBF[s]\nk=v\n", "s", "k", "v"},
        {"key before any section", "k=early\n[s]\nx=1\n", "s", "k", ""},
        {"first duplicate key", "[s]\nk=1\nk=2\n", "s", "k", "1"},
        {"first duplicate section", "[s]\nk=1\n[s]\nk=2\n", "s", "k", "1"},
        {"key of a later duplicate section", "[s]\na=1\n[t]\nk=0\n[S]\nk=2\n", "s", "k", "2"},
        {"semicolon comment is no key", "[s]\n;k=1\n", "s", ";k", ""},
        {"hash comment is no key", "[s]\n#k=1\n", "s", "#k", ""},
        {"line without equals", "[s]\nk\nk=v\n", "s", "k", "v"},
        {"nul byte in value", "[s]\nk=a\0b\n"s, "s", "k", "a\0b"s},
        {"invalid utf-8", "[s]\nk=\xFF\xC3/x\n", "s", "k", "\xFF\xC3/x"},
        {"no trailing newline", "[s]\nk=v", "s", "k", "v"},
        {"cr of cr cr lf", "[s]\r\nk=v\r\r\nj=w\r\n", "s", "k", "v"},
        {"lone cr ending the last line", "[s]\r\nk=v\r", "s", "k", "v"},
        {"form feed, vertical tab, ^Z around value", "[s]\nk=\f\v v\x1A\r\n", "s", "k", "v"},
        {"the same around names", "\f[s\x1A]\r\r\n\vk\r= v\n", "s", "k", "v"},
        {"missing section", "[t]\nk=v\n", "s", "k", ""},
        {"missing key", "[s]\nj=v\n", "s", "k", ""},
    };
    for (const TextCase& c : cases) {
        EXPECT_EQ(settings::readValue(c.text, c.section, c.key), c.expected) << c.what;
    }
}

TEST(SettingsText, WritesValueAndKeepsEveryOtherByte) {
    const TextCase cases[] = {
        {"replace in place", "; top\n[s]\n  a = 1\nk = old\nz=9\n", "S", "k",
         "; top\n[s]\n  a = 1\nk=new\nz=9\n"},
        {"new key before blank separator", "[s]\nx=1\n\n[t]\ny=2\n", "s", "k",
         "[s]\nx=1\nk=new\n\n[t]\ny=2\n"},
        {"new key in empty section", "[s]\n\n\n[t]\n", "s", "k", "[s]\nk=new\n\n\n[t]\n"},
        {"new key after unterminated line", "[s]\nx=1", "s", "k", "[s]\nx=1\nk=new\n"},
        {"new section after unterminated line", "[t]\nx=1", "s", "k", "[t]\nx=1\n[s]\nk=new\n"},
        {"new section in empty file", "", "s", "k", "[s]\nk=new\n"},
        {"crlf new key", "; c\r\n[s]\r\nx=1\r\n", "s", "k", "; c\r\n[s]\r\nx=1\r\nk=new\r\n"},
        {"crlf new section", "[t]\r\nx=1", "s", "k", "[t]\r\nx=1\r\n[s]\r\nk=new\r\n"},
        {"crlf replace", "[s]\r\nk=1\r\n", "s", "k", "[s]\r\nk=new\r\n"},
        {"byte-order mark kept", "\xEF\xBB\xBF[s]\nk=1\n", "s", "k", "\xEF\xBB\xBF[s]\nk=new\n"},
        {"byte-order mark alone", "\xEF\xBB\xBF", "s", "k", "\xEF\xBB\xBF[s]\nk=new\n"},
        {"first duplicate key replaced", "[s]\nk=1\nk=2\n[s]\nk=3\n", "s", "k",
         "[s]\nk=new\nk=2\n[s]\nk=3\n"},
        {"new key into first duplicate section", "[s]\nx=1\n[t]\n[s]\ny=2\n", "s", "k",
         "[s]\nx=1\nk=new\n[t]\n[s]\ny=2\n"},
        {"key before any section untouched", "k=0\n[s]\n", "s", "k", "k=0\n[s]\nk=new\n"},
        {"unknown lines kept", "[s]\n\0junk\n;k=1\nnoequals\n  odd = spacing  \n"s, "s", "k",
         "[s]\n\0junk\n;k=1\nnoequals\n  odd = spacing  \nk=new\n"s},
    };
    for (const TextCase& c : cases) {
        EXPECT_EQ(settings::withValue(c.text, c.section, c.key, "new"), c.expected) << c.what;
    }
}

// Values that a read would trim or unquote if they were stored bare.
const std::string kExposedValues[] = {
    "pics ", " pics", "\tx", "x\f", "\v", "\x1A", " ",   "'q'", "\"q\"",
    "\"\"",  "''",    "' '", "\"'", "\"", "'",    "a\"", "\"a", "\" x \"",
};

TEST(SettingsText, EveryValueReadsBackAsWritten) {
    for (const std::string& value : kExposedValues) {
        for (const std::string_view before : {"", "[s]\nk=old\nj=1\n"}) {
            const std::optional<std::string> text = settings::withValue(before, "s", "k", value);
            ASSERT_TRUE(text) << value;
            EXPECT_EQ(settings::readValue(*text, "s", "k"), value) << before;
            EXPECT_EQ(settings::readValue(*text, "s", "j"), before.empty() ? "" : "1");
        }
    }
    EXPECT_EQ(settings::withValue("", "s", "k", "pics "), "[s]\nk=\"pics \"\n");
    EXPECT_EQ(settings::withValue("", "s", "k", "a \"b\""), "[s]\nk=a \"b\"\n");
}

// A read hands back at most 254 characters, counted as UTF-8 with each stray byte as one.
TEST(SettingsText, CapCountsCharactersNotBytes) {
    const auto times = [](std::size_t count, const std::string& piece) {
        std::string text;
        for (std::size_t i = 0; i < count; ++i)
            text += piece;
        return text;
    };
    const std::string a253 = times(253, "a");
    const struct {
        const char* what;
        std::string value;
        std::string read;
    } cases[] = {
        {"two-byte characters", times(300, "\xC3\xA9"), times(254, "\xC3\xA9")},
        {"four-byte character at the cap", a253 + "\xF0\x9F\x98\x80" + "b",
         a253 + "\xF0\x9F\x98\x80"},
        {"stray bytes", times(300, "\xFF"), times(254, "\xFF")},
        {"cut sequence counts byte by byte", a253 + "\xE2\x82" + "x", a253 + "\xE2"},
        {"overlong form counts byte by byte", a253 + "\xC0\x80", a253 + "\xC0"},
        {"surrogate counts byte by byte", a253 + "\xED\xA0\x80", a253 + "\xED"},
        {"exactly the cap", times(254, "\xE2\x82\xAC"), times(254, "\xE2\x82\xAC")},
    };
    for (const auto& c : cases) {
        const std::string text = "[s]\nk=" + c.value + "\n";
        EXPECT_EQ(settings::readValue(text, "s", "k"), c.read) << c.what;
        EXPECT_EQ(settings::readsBack(c.value), c.read == c.value) << c.what;
    }
    EXPECT_FALSE(settings::readsBack("/pictures\nx"));
}

struct Refused {
    std::string section;
    std::string key;
    std::string value;
};

// Texts that would inject lines or could never be read back.
const Refused kRefused[] = {
    {"s\n[x]", "k", "v"}, {"s", "k\r", "v"}, {"s", "k", "v\nx=1"}, {"s", "k", "a\0b"s},
    {"s\0"s, "k", "v"},   {"", "k", "v"},    {" \t", "k", "v"},    {"s", "", "v"},
    {"s]x", "k", "v"},    {"s", "a=b", "v"}, {"s", "[t]", "v"},    {"s", ";k", "v"},
};

TEST(SettingsText, RefusesTextsThatBreakLines) {
    for (const Refused& r : kRefused) {
        EXPECT_EQ(settings::withValue("[s]\nk=1\n", r.section, r.key, r.value), std::nullopt)
            << r.section << "/" << r.key << "/" << r.value;
    }
}

// ---- The file on disk -----------------------------------------------------------------------

std::string readBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
}

std::vector<std::string> namesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::ranges::sort(names);
    return names;
}

fs::perms permsOf(const fs::path& file) {
    return fs::status(file).permissions();
}

class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "tessaly-settings-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder = pattern;
        ini = folder / "Tessaly.ini";
    }
    void TearDown() override { fs::remove_all(folder); }

    // Every write must leave the settings file alone in its folder: no temp file behind.
    void expectOnlySettingsFile() const {
        EXPECT_EQ(namesIn(folder), std::vector<std::string>{"Tessaly.ini"});
    }

    fs::path folder;
    fs::path ini;
};

TEST_F(SettingsFile, MissingFileReadsEmptyAndFirstWriteCreatesIt) {
    EXPECT_EQ(ReadINI("Ironvale", "Directory", ini), "");
    WriteINI("Ironvale", "Directory", "/games/iv", ini);
    EXPECT_EQ(readBytes(ini), "[Ironvale]\nDirectory=/games/iv\n");
    expectOnlySettingsFile();
}

TEST_F(SettingsFile, SecondWriteReplacesTheLine) {
    WriteINI("Browse For File", "DefaultDirectory", "/home/a", ini);
    WriteINI("Browse For File", "DefaultDirectory", "/home/b", ini);
    EXPECT_EQ(readBytes(ini), "[Browse For File]\nDefaultDirectory=/home/b\n");
    EXPECT_EQ(ReadINI("browse for file", "defaultdirectory", ini), "/home/b");
}

TEST_F(SettingsFile, ShorterInstallationKeepsOlderHigherPositions) {
    for (int i = 0; i < 5; ++i) {
        WriteINI("Armpatch", "file" + std::to_string(i), "/old/" + std::to_string(i), ini);
    }
    for (int i = 0; i < 3; ++i) {
        WriteINI("Armpatch", "file" + std::to_string(i), "/new/" + std::to_string(i), ini);
    }
    EXPECT_EQ(readBytes(ini), "[Armpatch]\nfile0=/new/0\nfile1=/new/1\nfile2=/new/2\n"
                              "file3=/old/3\nfile4=/old/4\n");
    expectOnlySettingsFile();
}

TEST_F(SettingsFile, LongValuesReadBackCapped) {
    const std::string directory(300, 'd');
    const std::string megabyte(1 << 20, 'm');
    WriteINI("Ironvale", "Directory", directory, ini);
    WriteINI("Ironvale", "Huge", megabyte, ini);
    WriteINI("Ironvale", "After", "x", ini);
    EXPECT_EQ(ReadINI("Ironvale", "Directory", ini), directory.substr(0, 254));
    EXPECT_EQ(ReadINI("Ironvale", "Huge", ini), megabyte.substr(0, 254));
    EXPECT_EQ(ReadINI("Ironvale", "After", ini), "x");
    EXPECT_NE(readBytes(ini).find("Huge=" + megabyte + "\n"), std::string::npos);
}

TEST_F(SettingsFile, HandEditedFileKeepsItsBytes) {
    const std::string before = "\xEF\xBB\xBF; kept\r\n[Ironvale]\r\n  Directory = \"/old\" \r\n"
                               "no equals\r\nodd\0byte\r\n\r\n[Other]\r\nk=v"s;
    writeBytes(ini, before);
    WriteINI("IRONVALE", "directory", "/new", ini);
    WriteINI("Ironvale", "Extra", "1", ini);
    WriteINI("Armpatch", "file0", "/p", ini);
    EXPECT_EQ(readBytes(ini), "\xEF\xBB\xBF; kept\r\n[Ironvale]\r\ndirectory=/new\r\n"
                              "no equals\r\nodd\0byte\r\nExtra=1\r\n\r\n[Other]\r\nk=v\r\n"
                              "[Armpatch]\r\nfile0=/p\r\n"s);
}

TEST_F(SettingsFile, RefusedWriteTouchesNothing) {
    for (const Refused& r : kRefused) {
        WriteINI(r.section, r.key, r.value, ini);
    }
    EXPECT_FALSE(fs::exists(ini));
    const std::string before = "[s]\nk=1\n";
    writeBytes(ini, before);
    for (const Refused& r : kRefused) {
        WriteINI(r.section, r.key, r.value, ini);
    }
    EXPECT_EQ(readBytes(ini), before);
    expectOnlySettingsFile();
}

TEST_F(SettingsFile, MissingFolderCreatesNothing) {
    const fs::path missing = folder / "gone";
    WriteINI("s", "k", "v", missing / "Tessaly.ini");
    EXPECT_FALSE(fs::exists(missing));
    EXPECT_TRUE(namesIn(folder).empty());
}

TEST_F(SettingsFile, ReadOnlyFileIsNotReplaced) {
    writeBytes(ini, "[s]\nk=1\n");
    fs::permissions(ini, fs::perms::owner_read | fs::perms::group_read);
    WriteINI("s", "k", "2", ini);
    WriteINI("s", "j", "3", ini);
    EXPECT_EQ(readBytes(ini), "[s]\nk=1\n");
    EXPECT_EQ(permsOf(ini), fs::perms::owner_read | fs::perms::group_read);
    expectOnlySettingsFile();
}

TEST_F(SettingsFile, PermissionBitsSurviveTheRewrite) {
    writeBytes(ini, "[s]\nk=1\n");
    // Group write is a bit that a usual umask would strip from a newly created file.
    const fs::perms bits = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                           fs::perms::group_write;
    fs::permissions(ini, bits);
    WriteINI("s", "k", "2", ini);
    EXPECT_EQ(ReadINI("s", "k", ini), "2");
    EXPECT_EQ(permsOf(ini), bits);
}

TEST_F(SettingsFile, WriteThroughSymlinkKeepsTheLink) {
    fs::create_directory(folder / "real");
    writeBytes(folder / "real" / "Tessaly.ini", "[s]\nk=1\n");
    fs::create_symlink("real/Tessaly.ini", ini);
    WriteINI("s", "k", "2", ini);
    ASSERT_TRUE(fs::is_symlink(ini));
    EXPECT_EQ(fs::read_symlink(ini), "real/Tessaly.ini");
    EXPECT_EQ(readBytes(folder / "real" / "Tessaly.ini"), "[s]\nk=2\n");
    EXPECT_EQ(namesIn(folder / "real"), std::vector<std::string>{"Tessaly.ini"});
}

// The browser stores the same browse position after every add; that must not cost a rewrite.
TEST_F(SettingsFile, UnchangedValueLeavesTheFileInPlace) {
    WriteINI("Browse For File", "DefaultDrive", "c:", ini);
    struct stat before {};
    ASSERT_EQ(::stat(ini.c_str(), &before), 0);
    WriteINI("browse for file", "DefaultDrive", "c:", ini);
    struct stat after {};
    ASSERT_EQ(::stat(ini.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
}

TEST_F(SettingsFile, EveryReadSeesTheFileAsItIsNow) {
    WriteINI("s", "k", "1", ini);
    EXPECT_EQ(ReadINI("s", "k", ini), "1");
    writeBytes(ini, "[s]\nk=edited\n");
    EXPECT_EQ(ReadINI("s", "k", ini), "edited");
}

TEST_F(SettingsFile, StrayCarriageReturnNeverReachesAValue) {
    for (const std::string before : {"[s]\r\nk=v\r", "[s]\r\nk=v\r\r\n; note\r\r\n"}) {
        writeBytes(ini, before);
        EXPECT_EQ(ReadINI("s", "k", ini), "v");
        WriteINI("s", "other", "1", ini);
        EXPECT_EQ(ReadINI("s", "k", ini), "v");
        EXPECT_EQ(readBytes(ini).substr(0, before.size()), before);
    }
}

// ---- Files shared with other users and processes --------------------------------------------

constexpr uid_t kNobody = 65534;

enum class User { Root, Nobody };

// Runs write on a thread of its own, as that user.
void WriteAs(User user, const std::function<void()>& write) {
    std::thread([&] {
        if (user == User::Root || ActAsNobody())
            write();
        else
            ADD_FAILURE() << "cannot act as nobody here";
    }).join();
}

struct stat StatusOf(const fs::path& file) {
    struct stat status {};
    EXPECT_EQ(::stat(file.c_str(), &status), 0) << file;
    return status;
}

// A shared install: the folder is the administrator's, the settings file open to its users.
TEST_F(SettingsFile, ReadOnlyFolderStillTakesWritesToAWritableFile) {
    writeBytes(ini, "[s]\nk=1\n");
    fs::permissions(ini, static_cast<fs::perms>(0666));
    fs::permissions(folder, static_cast<fs::perms>(0555));
    WriteAs(User::Nobody, [&] { WriteINI("s", "k", "2", ini); });
    fs::permissions(folder, fs::perms::owner_all);
    EXPECT_EQ(readBytes(ini), "[s]\nk=2\n");
    expectOnlySettingsFile();
}

TEST_F(SettingsFile, WriteKeepsOwnerGroupModeAndLinks) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can hand files to other users";
    const struct {
        const char* what;
        uid_t owner;
        User writer;
        bool secondLink;
    } cases[] = {
        {"root writes a user's file", kNobody, User::Root, false},
        {"a user writes root's file open to all", 0, User::Nobody, false},
        {"a file with a second link", kNobody, User::Root, true},
    };
    fs::permissions(folder, fs::perms::all);
    const fs::path link = folder / "link.ini";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        writeBytes(ini, "[s]\nk=1\n");
        ASSERT_EQ(::chown(ini.c_str(), c.owner, c.owner), 0);
        ASSERT_EQ(::chmod(ini.c_str(), 0666), 0);
        if (c.secondLink)
            fs::create_hard_link(ini, link);
        const struct stat before = StatusOf(ini);
        WriteAs(c.writer, [&] { WriteINI("s", "k", "2", ini); });
        const struct stat after = StatusOf(ini);
        EXPECT_EQ(readBytes(ini), "[s]\nk=2\n");
        EXPECT_EQ(after.st_uid, before.st_uid);
        EXPECT_EQ(after.st_gid, before.st_gid);
        EXPECT_EQ(after.st_mode, before.st_mode);
        EXPECT_EQ(after.st_nlink, before.st_nlink);
        if (c.secondLink) {
            EXPECT_EQ(readBytes(link), "[s]\nk=2\n");
        }
        fs::remove(link);
        fs::remove(ini);
    }
}

class SettingsFileAcrossProcesses : public SettingsFile,
                                    public testing::WithParamInterface<UnnamedFiles> {
protected:
    // Starts body in a child process under the parameter's file system, which exits when body
    // returns.
    pid_t startChild(const std::function<void()>& body) {
        const pid_t child = ::fork();
        if (child == 0) {
            if (!Use(GetParam()))
                ::_exit(2);
            body();
            ::_exit(0);
        }
        return child;
    }
};

INSTANTIATE_TEST_SUITE_P(FileSystems, SettingsFileAcrossProcesses,
                         testing::Values(UnnamedFiles::Offered, UnnamedFiles::Refused),
                         UnnamedFilesName);

// The exit status of a child, or minus the signal that ended it.
int EndOf(pid_t child) {
    int status = 0;
    EXPECT_EQ(::waitpid(child, &status, 0), child);
    return WIFSIGNALED(status) ? -WTERMSIG(status) : WEXITSTATUS(status);
}

TEST_P(SettingsFileAcrossProcesses, KilledWritesLeaveAtMostOneTemporaryFile) {
    const std::string before = "[s]\nk=old\n";
    writeBytes(ini, before);
    // Writing the temporary file, syncing it, and renaming it over the settings file.
    const std::vector<long> moments[] = {
        {SYS_write}, {SYS_fsync}, {SYS_rename, SYS_renameat, SYS_renameat2}};
    for (const std::vector<long>& moment : moments) {
        for (int kill = 0; kill < 2; ++kill) {
            const pid_t child = startChild([&] {
                if (DieAtSystemCall(moment))
                    WriteINI("s", "k", "new", ini);
            });
            EXPECT_EQ(EndOf(child), -SIGSYS) << moment.front();
            EXPECT_EQ(readBytes(ini), before);
            EXPECT_THAT(namesIn(folder),
                        testing::IsSubsetOf({"Tessaly.ini"s, ".Tessaly.ini.tmp"s}));
        }
    }
    WriteINI("s", "k", "new", ini);
    EXPECT_EQ(readBytes(ini), "[s]\nk=new\n");
    expectOnlySettingsFile();
}

TEST_P(SettingsFileAcrossProcesses, TwoProcessesWritingAtOnceLoseNoKey) {
    constexpr int kKeysEach = 150;
    int start[2];
    ASSERT_EQ(::pipe(start), 0);
    const auto writer = [&](const std::string& prefix) {
        return startChild([&] {
            char go = 0;
            ::close(start[1]);
            (void)!::read(start[0], &go, 1);
            for (int i = 0; i < kKeysEach; ++i)
                WriteINI("s", prefix + std::to_string(i), std::to_string(i), ini);
        });
    };
    const pid_t first = writer("a");
    const pid_t second = writer("b");
    ::close(start[0]);
    ::close(start[1]); // both start at once
    EXPECT_EQ(EndOf(first), 0);
    EXPECT_EQ(EndOf(second), 0);
    int lost = 0;
    for (int i = 0; i < kKeysEach; ++i)
        for (const char* prefix : {"a", "b"})
            lost += ReadINI("s", prefix + std::to_string(i), ini) != std::to_string(i);
    EXPECT_EQ(lost, 0) << "of " << 2 * kKeysEach;
    expectOnlySettingsFile();
}

} // namespace

#include "Contract.h"
#include "platform/ApplicationFolder.h"
#include "support/FakeServices.h"
#include "support/TempDir.h"

#include <QCoreApplication>
#include <QFile>
#include <array>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

namespace fs = std::filesystem;

namespace {

struct RealProgramFolder {
    static constexpr const char* name = "Real";
    platform::ApplicationFolder service{"any"};
};

struct FakeProgramFolder {
    static constexpr const char* name = "Fake";
    FakeProgramFolder() { service.folder = kit.str(); }
    TempDir kit;
    FixedProgramFolder service;
};

template <class Subject> class ProgramFolderContract : public testing::Test {
protected:
    Subject subject;
};

using ProgramFolders = testing::Types<RealProgramFolder, FakeProgramFolder>;
TYPED_TEST_SUITE(ProgramFolderContract, ProgramFolders, SubjectName);

TYPED_TEST(ProgramFolderContract, NamesTheSameExistingFolderByItsFullPathEachTime) {
    const std::string folder = this->subject.service.path();
    EXPECT_TRUE(fs::path(folder).is_absolute()) << folder;
    EXPECT_TRUE(fs::is_directory(folder)) << folder;
    EXPECT_EQ(this->subject.service.path(), folder);
}

TEST(ApplicationFolder, IsTheFolderOfTheRunningProgram) {
    // The build folder's name is plain ASCII, so Qt's own answer can stand as the reference.
    EXPECT_EQ(platform::ApplicationFolder("any").path(),
              QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString());
}

// What a program writes to its standard output, run without arguments.
std::string OutputOf(const fs::path& program) {
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> pipe(
        ::popen(("'" + program.string() + "'").c_str(), "r"), &::pclose);
    std::string output;
    std::array<char, 256> buffer{};
    while (pipe && !std::feof(pipe.get()))
        output.append(buffer.data(), std::fread(buffer.data(), 1, buffer.size(), pipe.get()));
    return output;
}

TEST(ApplicationFolder, KeepsTheBytesOfAFolderNameThatIsNotUtf8) {
    const TempDir root;
    const fs::path folder = root.folder("caf\xE9");
    const fs::path copy = folder / "print_program_folder";
    fs::copy_file(PRINT_PROGRAM_FOLDER, copy);

    EXPECT_EQ(OutputOf(copy), folder.string());
}

} // namespace

#include "Contract.h"
#include "platform/MountDrives.h"
#include "support/FakeServices.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using platform::DriveKind;

namespace {

struct RealDrives {
    static constexpr const char* name = "Real";
    platform::MountDrives service;
};

// Set up as tests set it up: out of order, and without "/".
struct FakeDrivesSubject {
    static constexpr const char* name = "Fake";
    FakeDrivesSubject() {
        service.list = {{"/media/usb", DriveKind::Removable},
                        {"/home", DriveKind::Fixed},
                        {"/media", DriveKind::Unknown}};
    }
    FakeDrives service;
};

template <class Subject> class DriveRootsContract : public testing::Test {
protected:
    Subject subject;
};

using DriveRootsSubjects = testing::Types<RealDrives, FakeDrivesSubject>;
TYPED_TEST_SUITE(DriveRootsContract, DriveRootsSubjects, SubjectName);

TYPED_TEST(DriveRootsContract, ListsTheRootFirst) {
    const auto drives = this->subject.service.drives();
    ASSERT_FALSE(drives.empty());
    EXPECT_EQ(drives.front().root, "/");
}

TYPED_TEST(DriveRootsContract, ListsTheOthersOnceEachByFullPathInPathOrder) {
    const auto drives = this->subject.service.drives();
    for (std::size_t i = 1; i < drives.size(); ++i) {
        SCOPED_TRACE(drives[i].root);
        EXPECT_TRUE(fs::path(drives[i].root).is_absolute());
        EXPECT_LT(fs::path(drives[i - 1].root), fs::path(drives[i].root));
    }
}

} // namespace

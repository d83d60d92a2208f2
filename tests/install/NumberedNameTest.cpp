#include "tessaly/install/NumberedName.h"

#include <gtest/gtest.h>

TEST(FileExtension, RunsFromTheFirstDot) {
    const struct {
        const char* name;
        const char* extension;
    } cases[] = {
        {"photo.jpg", ".jpg"},
        {"my.logo.ivb", ".logo.ivb"},
        {"backup.tar.gz", ".tar.gz"},
        {"README", ""},
        {"trailing.", "."},
        {"two\nlines.ivb", ".ivb"},
        {"\xff\xfe.\xe9t\xe9", ".\xe9t\xe9"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FileExtension(c.name), c.extension) << c.name;
}

TEST(NumberedName, LabelBeforeOrAfterThePlainNumberThenTheExtension) {
    const struct {
        const char* oldName;
        const char* label;
        std::int16_t number;
        Placement placement;
        const char* newName;
    } cases[] = {
        {"photo.jpg", "file", 3, Placement::Prefix, "file3.jpg"},
        {"photo.jpg", "file", 3, Placement::Suffix, "3file.jpg"},
        {"photo.jpg", "", 3, Placement::Prefix, "3.jpg"},
        {"photo.jpg", "", 3, Placement::Suffix, "3.jpg"},
        {"archive.tar.gz", "x", 4, Placement::Prefix, "x4.tar.gz"},
        {"notes", "x", 4, Placement::Prefix, "x4"},
        {"notes", "x", 4, Placement::Suffix, "4x"},
        {"file1.logo.ivb", "armpatch", 10, Placement::Prefix, "armpatch10.logo.ivb"},
        {"\xff.ivb", "armpatch", 32767, Placement::Prefix, "armpatch32767.ivb"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NumberedName(c.oldName, c.label, c.number, c.placement), c.newName)
            << c.oldName << " " << c.label << " " << c.number;
}

#include "tessaly/common/Strings.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

TEST(StripItem, TakesNulEndedItemsOffTheFrontOneByOne) {
    std::string roots = "/\0/media/usb\0"s;
    EXPECT_EQ(StripItem(roots), "/");
    EXPECT_EQ(roots, "/media/usb\0"s);
    EXPECT_EQ(StripItem(roots), "/media/usb");
    EXPECT_EQ(roots, "");
}

TEST(StripItem, TextWithoutNulYieldsNothingAndStaysWhole) {
    std::string text = "no end marker";
    EXPECT_EQ(StripItem(text), "");
    EXPECT_EQ(text, "no end marker");
}

TEST(StripItem, LeadingNulYieldsEmptyItemAndDropsOnlyThatCharacter) {
    std::string text = "\0rest\0"s;
    EXPECT_EQ(StripItem(text), "");
    EXPECT_EQ(text, "rest\0"s);
}

TEST(TrimNull, CutsAtTheFirstNul) {
    EXPECT_EQ(TrimNull("/games/ironvale\0   "s), "/games/ironvale");
    EXPECT_EQ(TrimNull("\0after"s), "");
    EXPECT_EQ(TrimNull("whole text"), "whole text");
}

TEST(AddBackslash, AddsOneSeparatorOnlyWhenMissing) {
    EXPECT_EQ(AddBackslash("/games"), "/games/");
    EXPECT_EQ(AddBackslash("/games/"), "/games/");
    EXPECT_EQ(AddBackslash("/"), "/");
    EXPECT_EQ(AddBackslash(""), "/");
    EXPECT_EQ(AddBackslash("/games//"), "/games//");
}

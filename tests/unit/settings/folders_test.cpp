#include "settings/folders.h"

#include <gtest/gtest.h>

TEST(IncludeBackslash, AddsOneOnlyWhenMissing) {
    EXPECT_EQ(IncludeBackslash("C:\\Masq"), "C:\\Masq\\");
    EXPECT_EQ(IncludeBackslash("C:\\Masq\\"), "C:\\Masq\\");
    EXPECT_EQ(IncludeBackslash(""), "\\");
}

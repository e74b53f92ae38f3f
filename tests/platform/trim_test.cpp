#include "platform/trim.h"

#include <gtest/gtest.h>

TEST(Trim, OnlyTheSpaceCharacterIsRemoved)
{
    EXPECT_EQ(TrimLeading("  a b  "), "a b  ");
    EXPECT_EQ(TrimTrailing("  a b  "), "  a b");
    EXPECT_EQ(TrimBoth("  a b  "), "a b");
    EXPECT_EQ(TrimBoth("\ta\t"), "\ta\t");
    EXPECT_EQ(TrimBoth("    "), "");
    EXPECT_EQ(TrimLeading(""), "");
}

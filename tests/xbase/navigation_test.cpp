// Moving through a table under the filter and the delete switch.
#include "test_tables.h"

#include "xbase/sx.h"

#include <gtest/gtest.h>

namespace {

class NavigationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string path = dir_.file("nav.dbf");
        ASSERT_TRUE(xbtest::createTable(path, {"NAME:C:10", "ISDEL:L:1"}));
        ASSERT_NE(sx_Use(path.c_str(), "", SX_EXCLUSIVE, SX_DRIVER_CDX), 0);
    }
    void TearDown() override
    {
        sx_CloseAll();
        sx_SetDeleted(false);
    }
    // Records a..f; b and e carry the delete mark.
    void fill()
    {
        for (const char* n : {"a", "b", "c", "d", "e", "f"}) {
            sx_AppendBlank();
            sx_Replace("NAME", SX_EVAL_CHAR, n);
            if (*n == 'b' || *n == 'e')
                sx_Delete();
        }
        sx_Commit();
    }
    std::string visit()
    {
        std::string out;
        for (sx_GoTop(); !sx_Eof(); sx_Skip(1))
            out += sx_GetTrimString("NAME");
        return out;
    }
    xbtest::TempDir dir_;
};

TEST_F(NavigationTest, EmptyTableStandsOnThePhantomRecord)
{
    sx_GoTop();
    EXPECT_TRUE(sx_Eof());
    EXPECT_TRUE(sx_Bof());
    EXPECT_EQ(sx_RecNo(), sx_RecCount() + 1);
    sx_GoBottom();
    EXPECT_TRUE(sx_Eof());
    EXPECT_EQ(sx_GetString("NAME"), std::string(10, ' '));
    sx_Skip(1);
    EXPECT_EQ(sx_RecNo(), 1);
    EXPECT_EQ(sx_Query("NAME = \"a\""), 0);
}

TEST_F(NavigationTest, EndsOfTheTable)
{
    fill();
    sx_GoBottom();
    EXPECT_EQ(sx_RecNo(), 6);
    sx_Skip(1);
    EXPECT_TRUE(sx_Eof());
    EXPECT_EQ(sx_RecNo(), 7);
    sx_Skip(1);
    EXPECT_TRUE(sx_Eof());
    sx_Skip(-1);
    EXPECT_FALSE(sx_Eof());
    EXPECT_EQ(sx_RecNo(), 6);
    sx_GoTop();
    sx_Skip(-1);
    EXPECT_TRUE(sx_Bof());
    EXPECT_EQ(sx_RecNo(), 1); // stays on the first record
    sx_Skip(3);
    EXPECT_FALSE(sx_Bof());
    EXPECT_EQ(sx_RecNo(), 4);
    sx_Skip(-10);
    EXPECT_TRUE(sx_Bof());
    EXPECT_EQ(sx_RecNo(), 1);
    sx_Go(99);
    EXPECT_TRUE(sx_Eof());
    EXPECT_EQ(sx_RecNo(), 7);
}

TEST_F(NavigationTest, DeleteSwitchAndFilterHideRecords)
{
    fill();
    EXPECT_EQ(visit(), "abcdef");
    EXPECT_FALSE(sx_SetDeleted(true));
    EXPECT_EQ(visit(), "acdf");
    EXPECT_EQ(sx_RecCount(), 6);
    EXPECT_EQ(sx_QueryRecCount(), 4);
    EXPECT_EQ(sx_Query("NAME >= \"c\""), 3);
    EXPECT_EQ(visit(), "cdf");
    sx_GoBottom();
    EXPECT_EQ(sx_GetTrimString("NAME"), "f");
    sx_Skip(-1);
    EXPECT_EQ(sx_GetTrimString("NAME"), "d");
    sx_Skip(-1);
    EXPECT_EQ(sx_GetTrimString("NAME"), "c");
    sx_Skip(-1);
    EXPECT_TRUE(sx_Bof());
    EXPECT_EQ(sx_GetTrimString("NAME"), "c");

    // Go reaches any record, hidden or not.
    sx_Go(2);
    EXPECT_EQ(sx_GetTrimString("NAME"), "b");
    EXPECT_TRUE(sx_Deleted());

    // A record that drops out of the filter after an edit is skipped next time.
    sx_Go(4);
    sx_Replace("NAME", SX_EVAL_CHAR, "a2");
    EXPECT_EQ(visit(), "cf");
    sx_SetDeleted(false);
    EXPECT_EQ(visit(), "cef");
}

TEST_F(NavigationTest, BadQueryKeepsThePreviousFilter)
{
    fill();
    ASSERT_EQ(sx_Query("NAME < \"c\""), 2);
    for (const char* bad : {"NAME <", "NOSUCH = 1", "UPPER(NAME)", "NAME = 1"}) {
        EXPECT_EQ(sx_Query(bad), -1) << bad;
        EXPECT_FALSE(sx_LastError().empty());
        EXPECT_EQ(sx_DBFilter(), "NAME < \"c\"");
        EXPECT_EQ(sx_QueryRecCount(), 2);
    }
    EXPECT_EQ(sx_QueryTest("NAME = \"a\""), SX_EVAL_LOGICAL);
    EXPECT_EQ(sx_QueryTest("NAME"), SX_EVAL_ERROR);
    EXPECT_EQ(sx_Query(""), 6);
    EXPECT_EQ(sx_DBFilter(), "");
    const std::string tooLong = "NAME = \"" + std::string(260, 'x') + "\"";
    EXPECT_EQ(sx_Query(tooLong.c_str()), -1);
}

TEST_F(NavigationTest, EvaluationOnTheCurrentRecord)
{
    fill();
    sx_Go(3);
    EXPECT_EQ(sx_EvalTest("NAME"), SX_EVAL_CHAR);
    EXPECT_EQ(sx_EvalTest("RECNO()"), SX_EVAL_NUMERIC);
    EXPECT_EQ(sx_EvalTest("ISDEL"), SX_EVAL_LOGICAL);
    EXPECT_EQ(sx_EvalTest("NAME +"), SX_EVAL_ERROR);
    EXPECT_EQ(sx_EvalString("UPPER(NAME)"), "C         ");
    EXPECT_EQ(sx_EvalNumeric("RECNO() * 2"), 6);
    EXPECT_TRUE(sx_EvalLogical("RECCOUNT() = 6"));
    EXPECT_FALSE(sx_EvalLogical("NAME"));
    // Pending changes of the buffer are what the expression sees.
    sx_Replace("NAME", SX_EVAL_CHAR, "zz");
    EXPECT_TRUE(sx_EvalLogical("NAME = \"zz\""));
}

} // namespace

// The records a filter lets through, found in one pass over the file, against the
// record-by-record walk: the same counts, ends and orders, with and without the delete
// switch, and after the area's own changes.
#include "test_tables.h"

#include "xbase/sx.h"
#include "xbase/visible_set.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <vector>

namespace {

// Record numbers in the current order, as moves visit them.
std::vector<long> walk()
{
    std::vector<long> out;
    for (sx_GoTop(); !sx_Eof(); sx_Skip(1))
        out.push_back(sx_RecNo());
    return out;
}

class VisibleSetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::copy_file(xbtest::fixture("bulk3k.dbf"), dir_.file("t.dbf"));
        std::filesystem::copy_file(xbtest::fixture("bulk3k.cdx"), dir_.file("t.cdx"));
    }
    void TearDown() override
    {
        sx_CloseAll();
        sx_SetDeleted(false);
    }
    // The filter's count, ends and walk in the given order with the table in exclusive use
    // (where the count's set answers the moves) and in shared use (where each move's
    // refresh sends them back to the records).
    void expectSameAnswers(const char* filter, int order)
    {
        std::vector<long> answers[2];
        const int modes[2] = {SX_EXCLUSIVE, SX_SHARED};
        for (int i = 0; i < 2; ++i) {
            ASSERT_NE(sx_Use(dir_.file("t.dbf").c_str(), "", modes[i], SX_DRIVER_CDX), 0);
            sx_SetOrder(order);
            answers[i] = {sx_Query(filter), sx_RecNo()};
            sx_GoBottom();
            answers[i].push_back(sx_RecNo());
            const std::vector<long> seen = walk();
            answers[i].insert(answers[i].end(), seen.begin(), seen.end());
            EXPECT_EQ(answers[i][0], long(seen.size())) << filter;
            EXPECT_EQ(answers[i][1], seen.front()) << filter;
            EXPECT_EQ(answers[i][2], seen.back()) << filter;
            sx_Close();
        }
        EXPECT_EQ(answers[0], answers[1]) << filter;
    }
    xbtest::TempDir dir_;
};

TEST_F(VisibleSetTest, CountsAndWalksAgreeWithTheRecordByRecordPath)
{
    for (bool hideDeleted : {false, true}) {
        sx_SetDeleted(hideDeleted);
        for (int order : {0, 1, 2})
            for (const char* filter : {"\"MIT\"$UPPER(LNAME)", "DELETED() .OR. RECNO() > 2900", "STATE = \"C\""})
                expectSameAnswers(filter, order);
    }
}

TEST_F(VisibleSetTest, FollowsTheAreasOwnChanges)
{
    const char* filter = "\"MIT\"$UPPER(LNAME)";
    sx_SetDeleted(true);
    ASSERT_NE(sx_Use(dir_.file("t.dbf").c_str(), "", SX_EXCLUSIVE, SX_DRIVER_CDX), 0);
    sx_SetOrder(0);
    const long before = sx_Query(filter);
    sx_Replace("LNAME", SX_EVAL_CHAR, "Jones"); // a match no more
    sx_Skip(1);
    sx_Delete(); // a match hidden
    sx_Go(1);
    sx_Replace("LNAME", SX_EVAL_CHAR, sx_EvalLogical(filter) ? "Goldsmith" : "Smithers");
    sx_Commit();
    const long after = sx_QueryRecCount();
    EXPECT_LT(after, before);
    const std::vector<long> seen = walk();
    EXPECT_EQ(after, long(seen.size()));
    sx_AppendBlank();
    sx_Replace("LNAME", SX_EVAL_CHAR, "Smith");
    sx_Commit();
    EXPECT_EQ(sx_QueryRecCount(), after + 1);
    sx_Close();
    ASSERT_NE(sx_Use(dir_.file("t.dbf").c_str(), "", SX_SHARED, SX_DRIVER_CDX), 0);
    sx_SetOrder(0);
    EXPECT_EQ(sx_Query(filter), after + 1);
    std::vector<long> again = walk();
    again.pop_back();
    EXPECT_EQ(again, seen);
}

TEST(VisibleSet, AnswersOnlyForTheStateItWasTakenIn)
{
    xbtest::TempDir dir;
    std::filesystem::copy_file(xbtest::fixture("bulk3k.dbf"), dir.file("t.dbf"));
    std::string error;
    auto table = xb::Table::open(dir.file("t.dbf"), xb::OpenMode::Exclusive, error);
    ASSERT_TRUE(table) << error;
    const xb::VisibleStamp stamp{table->changes(), table->recordCount(), true, false};
    xb::VisibleSet set;
    ASSERT_TRUE(set.take(*table, "RECNO() <= 100", stamp));
    long shown = 0;
    for (long r = 1; r <= 100; ++r)
        shown += table->record(r)[0] != '*';
    EXPECT_EQ(set.count(), shown);
    EXPECT_FALSE(set.contains(101));
    EXPECT_TRUE(set.current(stamp));
    EXPECT_FALSE(set.current({stamp.changes, stamp.records, false, false}));
    std::vector<char> rec(table->record(5), table->record(5) + table->recordLength());
    ASSERT_TRUE(table->writeRecord(5, rec.data(), error));
    EXPECT_NE(table->changes(), stamp.changes);
    EXPECT_FALSE(set.take(*table, "NOSUCHFIELD", stamp));
    EXPECT_FALSE(set.current(stamp));
}

} // namespace

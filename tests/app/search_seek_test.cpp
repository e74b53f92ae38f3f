#include "app/orderseek.h"

#include "table/opentablefile.h"
#include "table/tapollo.h"
#include "table/tapolloenv.h"
#include "table/tdatasource.h"
#include "table/ttable.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

// A copy of the independent engine's address file, open with deleted records hidden.
class SeekOnAddressFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : {"small.dbf", "small.cdx"})
            ASSERT_TRUE(QFile::copy(QStringLiteral(ADDRINA_FIXTURES_DIR "/xbase/") + name, dir.filePath(name)));
        env.SetDeleted(true);
        source.SetDataSet(&table);
        apollo.SetDataSource(&source);
        table.SetExclusive(true);
        ASSERT_TRUE(OpenTableFile(dir.filePath("small.dbf"), table));
    }

    QString Field(const char* name) const { return table.FieldByName(name).AsString(); }

    QTemporaryDir dir;
    TApolloEnv env;
    TTable table;
    TDataSource source;
    TApollo apollo;
};

}  // namespace

TEST_F(SeekOnAddressFile, LandsOnTheFirstKeyBeginningWithTheTypedText)
{
    ApplyOrderTag(apollo, "LNAME");
    EXPECT_TRUE(SeekStartingWith(apollo, env, "smi"));
    EXPECT_EQ(apollo.RecNo(), 9);
    EXPECT_EQ(Field("LNAME").toUpper(), "SMITH");

    ApplyOrderTag(apollo, "CITY");
    EXPECT_TRUE(SeekStartingWith(apollo, env, "B"));
    EXPECT_TRUE(Field("CITY").toUpper().startsWith('B'));
    // Nothing before it in City order begins with B.
    table.Prior();
    EXPECT_FALSE(!table.Bof() && Field("CITY").toUpper().startsWith('B'));
}

TEST_F(SeekOnAddressFile, AMissReturnsToTheNotedRecordAndLeavesSoftSeekOff)
{
    ApplyOrderTag(apollo, "LNAME");
    table.First();
    table.Next();
    table.Next();
    const long before = apollo.RecNo();
    EXPECT_FALSE(SeekStartingWith(apollo, env, "zzz"));
    EXPECT_EQ(apollo.RecNo(), before);
    EXPECT_FALSE(table.Eof());
    EXPECT_FALSE(env.SoftSeek());
    EXPECT_FALSE(env.Exact());
}

TEST_F(SeekOnAddressFile, SeekFollowsTheCurrentOrderOnly)
{
    // SMI is a last name, not a first name: in First Name order it finds nothing.
    ApplyOrderTag(apollo, "FNAME");
    table.First();
    const long first = apollo.RecNo();
    EXPECT_FALSE(SeekStartingWith(apollo, env, "smi"));
    EXPECT_EQ(apollo.RecNo(), first);
    EXPECT_TRUE(SeekStartingWith(apollo, env, "jane"));
    EXPECT_EQ(Field("FNAME").toUpper(), "JANE");
}

TEST_F(SeekOnAddressFile, AMissingTagGivesNaturalOrderQuietly)
{
    ApplyOrderTag(apollo, "LNAME");
    ASSERT_GT(apollo.IndexOrd(), 0);
    ApplyOrderTag(apollo, "NOSUCHTAG");
    EXPECT_EQ(apollo.IndexOrd(), 0);
    EXPECT_TRUE(table.IndexName().isEmpty());
    table.First();
    EXPECT_EQ(apollo.RecNo(), 1);
}

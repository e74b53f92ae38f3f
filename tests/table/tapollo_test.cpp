#include "table_test_support.h"

#include "table/opentablefile.h"
#include "table/tableerror.h"

#include <QFile>

TEST_F(TableTest, MissedSeekStandsAtTheEndWithEof)
{
    Trio t;
    ASSERT_TRUE(OpenTableFile(CopyFixture("small"), t.table));
    t.apollo.SetOrder(t.apollo.TagArea("lname"));
    EXPECT_EQ(t.table.IndexName(), "LNAME");

    ASSERT_TRUE(t.apollo.Seek("SMI"));
    EXPECT_FALSE(t.table.Eof());
    EXPECT_EQ(t.apollo.RecNo(), 9); // the first SMITH in LNAME order
    EXPECT_TRUE(t.table.FieldByName("LNAME").AsString().startsWith("Smith", Qt::CaseInsensitive));

    EXPECT_FALSE(t.apollo.Seek("SMIA"));
    EXPECT_TRUE(t.table.Eof());
    const long landed = t.apollo.RecNo();
    t.table.Last();
    EXPECT_EQ(t.apollo.RecNo(), landed); // the last record, not the nearest key
}

TEST_F(TableTest, QueryOnAClosedTableIsKeptAndAppliedOnOpen)
{
    Trio t;
    EXPECT_EQ(t.apollo.Query("!ISDEL"), 0);
    EXPECT_EQ(t.apollo.Filter(), "!ISDEL");
    ASSERT_TRUE(OpenTableFile(CopyFixture("small"), t.table));
    EXPECT_EQ(t.apollo.QueryRecCount(), 203);
    long visible = 0;
    for (t.table.First(); !t.table.Eof(); t.table.Next())
        ++visible;
    EXPECT_EQ(visible, 203);
    EXPECT_EQ(t.apollo.DBFilter(), "!ISDEL");
    EXPECT_THROW(t.apollo.Query(QString(256, 'X')), TableError);
}

TEST_F(TableTest, OrdersByNumberAndTagNamesIgnoreCase)
{
    Trio t;
    ASSERT_TRUE(OpenTableFile(CopyFixture("small"), t.table));
    EXPECT_EQ(t.apollo.IndexOrd(), 0);
    EXPECT_EQ(t.apollo.TagArea("lname"), 2);
    EXPECT_EQ(t.apollo.TagArea("NOSUCH"), 0);
    EXPECT_EQ(t.apollo.SetOrder(3), 0);
    EXPECT_EQ(t.table.IndexName(), "FNAME");
    EXPECT_EQ(t.apollo.SetOrder(27), 3); // beyond the 26 tags: nothing changes
    EXPECT_EQ(t.table.IndexName(), "FNAME");
    EXPECT_EQ(t.apollo.SetOrder(0), 3);
    EXPECT_EQ(t.table.IndexName(), "");
    t.table.First();
    EXPECT_EQ(t.apollo.RecNo(), 1);

    // Asking for a tag leaves a pending edit pending; changing the order posts it.
    t.table.Edit();
    t.table.FieldByName("CITY").SetAsString("Zurich");
    EXPECT_EQ(t.apollo.TagArea("CITY"), 8);
    EXPECT_EQ(t.table.State(), TDataSetState::Edit);
    t.apollo.SetOrder(8);
    EXPECT_EQ(t.table.State(), TDataSetState::Browse);
    EXPECT_EQ(t.table.FieldByName("CITY").AsString(), "Zurich");
    EXPECT_EQ(t.apollo.RecNo(), 1);
}

TEST_F(TableTest, GoAndQueryTestKeepTheTableOnTheEngineRecord)
{
    Trio t;
    ASSERT_TRUE(OpenTableFile(CopyFixture("small"), t.table));
    t.apollo.Go(42);
    EXPECT_EQ(t.apollo.RecNo(), 42);
    EXPECT_GT(t.apollo.QueryTest("UPPER(LNAME)=\"SMITH\""), 0);
    EXPECT_EQ(t.apollo.RecNo(), 42);
    EXPECT_EQ(t.apollo.RecSize(), 658);
}

TEST_F(TableTest, CreatingTagsAndPackingThroughTheCompanion)
{
    Trio t;
    env_.SetDeleted(true);
    t.table.SetExclusive(true); // packing needs the file to itself
    ASSERT_TRUE(OpenTableFile(MakePeople("p.dbf", {{"Cole", ""}, {"Ames", ""}, {"Bell", ""}}), t.table));
    EXPECT_EQ(t.apollo.IndexTag("", "LNAME", "", false, 0, "UPPER(LNAME)"), 1);
    EXPECT_EQ(t.table.IndexName(), "LNAME");
    EXPECT_FALSE(t.apollo.IndexFileName(1).isEmpty());
    t.table.First();
    EXPECT_EQ(t.table.FieldByName("LNAME").AsString(), "Ames");
    t.table.Delete();

    std::vector<int> reports;
    t.apollo.SetGaugeHook([&](int percent) { reports.push_back(percent); });
    t.apollo.Pack();
    t.apollo.SetGaugeHook({});
    EXPECT_EQ(t.apollo.RecCount(), 2);
    EXPECT_FALSE(reports.empty());
    t.table.First();
    EXPECT_EQ(t.table.FieldByName("LNAME").AsString(), "Bell");

    EXPECT_THROW(t.apollo.IndexTag("", "BAD", "", false, 0, "NOSUCHFIELD+1"), TableError);
}

TEST_F(TableTest, DateFormatsFollowTheEngineSetting)
{
    struct Row {
        TApolloDateFrmt format;
        const char* plain;
        const char* century;
    };
    const Row rows[] = {
        {dfAmerican, "mm/dd/yy", "mm/dd/yyyy"}, {dfAnsi, "yy.mm.dd", "yyyy.mm.dd"},
        {dfBritish, "dd/mm/yy", "dd/mm/yyyy"},  {dfFrench, "dd/mm/yy", "dd/mm/yyyy"},
        {dfGerman, "dd.mm.yy", "dd.mm.yyyy"},   {dfItalian, "dd-mm-yy", "dd-mm-yyyy"},
        {dfSpanish, "dd-mm-yy", "dd-mm-yyyy"},
    };
    TApolloEnv env;
    EXPECT_EQ(env.ShortDateFormat(), "mm/dd/yy");
    for (const Row& row : rows) {
        env.SetCentury(false);
        env.SetDateFormat(row.format);
        EXPECT_EQ(env.ShortDateFormat(), row.plain);
        env.SetCentury(true);
        EXPECT_EQ(env.ShortDateFormat(), row.century);
        env.SetDateFormat(row.format);
        EXPECT_EQ(env.ShortDateFormat(), row.century) << "the century form stays when the format is set again";
        EXPECT_EQ(env.DateSeparator(),
                  env.ShortDateFormat()[2] == 'y' ? env.ShortDateFormat()[4] : env.ShortDateFormat()[2]);
    }
    env.SetCentury(false);
    env.SetDateFormat(dfAmerican);
}

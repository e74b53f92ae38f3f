#include "table_test_support.h"
#include "support/fixture_copy.h"

#include "table/opentablefile.h"
#include "xbase/sx.h"

void TableTest::SetUp()
{
    ASSERT_TRUE(dir_.isValid());
    env_.SetDeleted(false);
    env_.SetExact(false);
    env_.SetSoftSeek(false);
}

QString TableTest::CopyFixture(const QString& name) const
{
    return CopyFixtureTable(name, dir_.path());
}

QString TableTest::MakeFile(const QString& fileName, const std::vector<FieldSpec>& fields) const
{
    const QString path = dir_.filePath(fileName);
    TApollo creator;
    EXPECT_TRUE(creator.CreateNew(path, SX_DRIVER_CDX, static_cast<int>(fields.size())));
    for (const FieldSpec& f : fields)
        creator.CreateField(f.name, f.type, 0, f.width);
    EXPECT_TRUE(creator.CreateExec());
    return path;
}

QString TableTest::MakePeople(const QString& fileName, const std::vector<std::pair<QString, QString>>& names) const
{
    const QString path = MakeFile(fileName, {{"LNAME", "C", 10}, {"FNAME", "C", 8}, {"ISDEL", "L", 1}});
    TTable table;
    EXPECT_TRUE(OpenTableFile(path, table));
    for (const auto& [last, first] : names) {
        table.Append();
        table.FieldByName("LNAME").SetAsString(last);
        table.FieldByName("FNAME").SetAsString(first);
        table.FieldByName("ISDEL").SetAsBoolean(false);
        table.Post();
    }
    table.Close();
    return path;
}

// A run of appends that reaches the file in groups: posts leave their records with the
// engine until Commit, which writes them or says the disk refused them.
#include "table_test_support.h"

#include "support/file_size_limit.h"
#include "table/opentablefile.h"
#include "table/tableerror.h"

#include <QFile>
#include <QtEndian>

namespace {

class AppendRunTest : public TableTest {
protected:
    long CountInHeader(const QString& path) const
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return -1;
        const QByteArray header = file.read(8);
        return header.size() == 8 ? qFromLittleEndian<quint32>(header.constData() + 4) : -1;
    }
};

TEST_F(AppendRunTest, PostsReachTheFileOnCommitAndARefusedCommitThrows)
{
    const QString path = MakeFile("run.dbf", {{"NAME", "C", 200}});
    Trio t;
    t.table.SetExclusive(true);
    ASSERT_TRUE(OpenTableFile(path, t.table));
    t.table.SetBatchInserts(true);
    for (const char* name : {"Ann", "Bob", "Cy"}) {
        t.table.Append();
        t.table.FieldByName("NAME").SetAsString(name);
        t.table.Post();
    }
    EXPECT_EQ(CountInHeader(path), 0);
    t.table.Commit();
    EXPECT_EQ(CountInHeader(path), 3);

    {
        FileSizeLimit limit(QFile(path).size() + 100);
        for (int i = 0; i < 3; ++i) {
            t.table.Append();
            t.table.FieldByName("NAME").SetAsString("Dee");
            t.table.Post();
        }
        EXPECT_THROW(t.table.Commit(), TableError);
    }
    EXPECT_EQ(CountInHeader(path), 3);
    t.table.SetBatchInserts(false);
    t.table.Append();
    t.table.FieldByName("NAME").SetAsString("Eve");
    t.table.Post();
    EXPECT_EQ(CountInHeader(path), 7);
}

TEST_F(AppendRunTest, AStoredValueIsTakenAsItStandsCutToTheNarrowerField)
{
    Trio wide;
    Trio narrow;
    wide.table.SetExclusive(true);
    narrow.table.SetExclusive(true);
    ASSERT_TRUE(OpenTableFile(MakeFile("wide.dbf", {{"NAME", "C", 12}, {"OK", "L", 1}}), wide.table));
    ASSERT_TRUE(OpenTableFile(MakeFile("narrow.dbf", {{"NAME", "C", 5}, {"OK", "C", 5}}), narrow.table));
    for (const char* name : {"Zoë Müller", "Al"}) {
        wide.table.Append();
        wide.table.FieldByName("NAME").SetAsString(QString::fromUtf8(name));
        wide.table.FieldByName("OK").SetAsBoolean(true);
        wide.table.Post();
    }
    QStringList copied;
    for (wide.table.First(); !wide.table.Eof(); wide.table.Next()) {
        narrow.table.Append();
        narrow.table.FieldByName("NAME").AssignStored(wide.table.FieldByName("NAME"));
        narrow.table.FieldByName("OK").AssignStored(wide.table.FieldByName("OK"));
        narrow.table.Post();
        copied << narrow.table.FieldByName("NAME").AsString() + u'|' + narrow.table.FieldByName("OK").AsString();
    }
    EXPECT_EQ(copied, QStringList({QStringLiteral("Zoë M|True"), "Al|True"}));
    narrow.table.First();
    EXPECT_THROW(narrow.table.FieldByName("NAME").AssignStored(wide.table.FieldByName("NAME")), TableError);
}

TEST_F(AppendRunTest, AStoredValueReplacesALongerOneAndTheSameValueChangesNothing)
{
    Trio from;
    Trio to;
    from.table.SetExclusive(true);
    to.table.SetExclusive(true);
    ASSERT_TRUE(OpenTableFile(MakeFile("from.dbf", {{"NAME", "C", 30}}), from.table));
    ASSERT_TRUE(OpenTableFile(MakeFile("to.dbf", {{"NAME", "C", 30}}), to.table));
    for (const char* name : {"Al", "Christopher Robinson Smith"}) {
        from.table.Append();
        from.table.FieldByName("NAME").SetAsString(QString::fromLatin1(name));
        from.table.Post();
    }
    to.table.Append();
    to.table.FieldByName("NAME").SetAsString(QStringLiteral("Maximilian Alexander Fitzroy"));
    to.table.Post();

    TField& name = to.table.FieldByName("NAME");
    QStringList seen;
    for (from.table.First(); !from.table.Eof(); from.table.Next()) {
        for (int pass = 0; pass < 2; ++pass) {
            to.table.Edit();
            name.AssignStored(from.table.FieldByName("NAME"));
            seen << name.AsString() + (to.table.Modified() ? u'*' : u'=');
            to.table.Post();
        }
    }
    EXPECT_EQ(seen, QStringList({"Al*", "Al=", "Christopher Robinson Smith*", "Christopher Robinson Smith="}));
    EXPECT_EQ(to.table.ReadRecord(1).bytes.substr(1), std::string("Christopher Robinson Smith    "));
}

TEST_F(AppendRunTest, AWholeRecordJoinsTheBatchAndOneOfAnotherSizeIsRefused)
{
    const QString path = MakeFile("whole.dbf", {{"NAME", "C", 6}, {"OK", "L", 1}});
    Trio t;
    t.table.SetExclusive(true);
    ASSERT_TRUE(OpenTableFile(path, t.table));
    t.table.SetBatchInserts(true);
    t.table.AppendRecord(" Ann   T");
    EXPECT_EQ(CountInHeader(path), 0);
    EXPECT_THROW(t.table.AppendRecord(" Bob T"), TableError);
    t.table.SetBatchInserts(false);
    EXPECT_EQ(CountInHeader(path), 1);
    EXPECT_EQ(t.table.FieldByName("NAME").AsString() + t.table.FieldByName("OK").AsString(), "AnnTrue");
}

} // namespace

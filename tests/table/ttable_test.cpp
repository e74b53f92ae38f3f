#include "table_test_support.h"

#include "support/file_size_limit.h"
#include "table/controlsscope.h"
#include "table/opentablefile.h"
#include "table/quietevents.h"
#include "table/tableerror.h"
#include "xbase/sx.h"

#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QStringList>

namespace {

QStringList LastNames(TTable& table)
{
    QStringList names;
    for (table.First(); !table.Eof(); table.Next()) {
        names << table.FieldByName("LNAME").AsString();
        if (names.size() > 1000)
            break;
    }
    return names;
}

} // namespace

TEST_F(TableTest, EmptyTableHasNoCurrentRecordAndRecNoIsRecCountPlusOne)
{
    Trio t;
    ASSERT_TRUE(OpenTableFile(MakePeople("empty.dbf", {}), t.table));
    EXPECT_TRUE(t.table.Bof());
    EXPECT_TRUE(t.table.Eof());
    EXPECT_EQ(t.apollo.RecCount(), 0);
    EXPECT_EQ(t.apollo.RecNo(), 1);
    EXPECT_THROW(t.table.Edit(), TableError);

    t.table.Insert();
    EXPECT_EQ(t.table.State(), TDataSetState::Insert);
    EXPECT_EQ(t.apollo.RecNo(), 1);
    t.table.FieldByName("LNAME").SetAsString("Ames");
    t.table.Post();
    EXPECT_EQ(t.apollo.RecNo(), 1);

    // While a record is being inserted there is still no current one.
    t.table.Insert();
    EXPECT_EQ(t.apollo.RecNo(), t.apollo.RecCount() + 1);
    t.table.Cancel();
    EXPECT_EQ(t.apollo.RecNo(), 1);
    EXPECT_EQ(t.table.FieldByName("LNAME").AsString(), "Ames");
}

TEST_F(TableTest, ValuesReadWithoutTrailingBlanksAndFieldNamesIgnoreCase)
{
    TTable table;
    ASSERT_TRUE(OpenTableFile(MakePeople("p.dbf", {{" Lead", ""}}), table));
    EXPECT_EQ(table.FieldByName("lname").AsString(), " Lead");
    EXPECT_EQ(table.FieldByName("Fname").AsString(), "");
    EXPECT_EQ(table.FieldByName("isdel").AsBoolean(), false);
    EXPECT_EQ(table.FindField("nosuch"), nullptr);
    EXPECT_THROW(table.FieldByName("nosuch"), TableError);

    // A text longer than the field is cut to its width.
    table.Edit();
    table.FieldByName("LNAME").SetAsString("Abcdefghijklmnop");
    table.FieldByName("ISDEL").SetAsBoolean(true);
    table.Post();
    EXPECT_EQ(table.FieldByName("LNAME").AsString(), "Abcdefghij");
    EXPECT_TRUE(table.FieldByName("ISDEL").AsBoolean());
}

TEST_F(TableTest, WritesOutsideEditAndUnstorableCharactersAreRefused)
{
    TTable table;
    ASSERT_TRUE(OpenTableFile(MakePeople("p.dbf", {{"Ames", "Al"}}), table));
    EXPECT_THROW(table.FieldByName("LNAME").SetAsString("X"), TableError);

    table.Edit();
    EXPECT_THROW(table.FieldByName("LNAME").SetAsString(QString::fromUtf16(u"\u0416uk")), TableError);
    EXPECT_EQ(table.FieldByName("LNAME").AsString(), "Ames");
    table.FieldByName("LNAME").SetAsString(QString::fromUtf16(u"M\u00fcller\u20ac"));
    table.Post();
    table.Close();

    // The file holds Windows-1252 bytes.
    TTable reread;
    ASSERT_TRUE(OpenTableFile(dir_.filePath("p.dbf"), reread));
    EXPECT_EQ(reread.FieldByName("LNAME").AsString(), QString::fromUtf16(u"M\u00fcller\u20ac"));
    sx_Select(reread.WorkArea());
    EXPECT_EQ(sx_GetTrimString("LNAME"), std::string("M\xfcller\x80"));
}

TEST_F(TableTest, EventsFireInLifeCycleOrderAndCalculatedFieldsFollowEdits)
{
    TTable table;
    TField& full = table.AddCalcField("FullName", TFieldType::String, 20);
    table.AddField("LNAME", 10);
    table.AddField("FNAME", 8);
    QStringList events;
    table.BeforeInsert = [&](TTable&) { events << "BeforeInsert"; };
    table.AfterInsert = [&](TTable&) { events << "AfterInsert"; };
    table.AfterEdit = [&](TTable&) { events << "AfterEdit"; };
    table.AfterPost = [&](TTable&) { events << "AfterPost"; };
    table.AfterCancel = [&](TTable&) { events << "AfterCancel"; };
    table.OnCalcFields = [](TTable& t) {
        t.FieldByName("FullName")
            .SetAsString(t.FieldByName("FNAME").AsString() + " " + t.FieldByName("LNAME").AsString());
    };
    ASSERT_TRUE(OpenTableFile(MakePeople("p.dbf", {{"Ames", "Al"}}), table));
    EXPECT_EQ(full.AsString(), "Al Ames");
    EXPECT_THROW(full.SetAsString("x"), TableError);

    table.Append();
    table.FieldByName("LNAME").SetAsString("Bo");
    EXPECT_EQ(full.AsString(), " Bo");
    table.Post();
    table.Edit();
    table.FieldByName("FNAME").SetAsString("Cy");
    EXPECT_TRUE(table.Modified());
    EXPECT_EQ(full.AsString(), "Cy Bo");
    table.Cancel();
    EXPECT_EQ(full.AsString(), " Bo");
    EXPECT_EQ(events, QStringList({"BeforeInsert", "AfterInsert", "AfterPost", "AfterEdit", "AfterCancel"}));
}

TEST_F(TableTest, NavigationStopsAtTheEndsAndMovingPostsAPendingEdit)
{
    TTable table;
    ASSERT_TRUE(OpenTableFile(MakePeople("p.dbf", {{"A", ""}, {"B", ""}, {"C", ""}}), table));
    table.Last();
    table.Next();
    EXPECT_TRUE(table.Eof());
    EXPECT_EQ(table.FieldByName("LNAME").AsString(), "C");
    table.First();
    EXPECT_TRUE(table.Bof());
    table.Prior();
    EXPECT_TRUE(table.Bof());
    EXPECT_EQ(table.FieldByName("LNAME").AsString(), "A");

    table.Edit();
    table.FieldByName("LNAME").SetAsString("A2");
    table.Next();
    EXPECT_EQ(table.State(), TDataSetState::Browse);
    EXPECT_EQ(LastNames(table), QStringList({"A2", "B", "C"}));
}

TEST_F(TableTest, DeletedRecordsDropOutWhileTheDeletedSwitchIsOn)
{
    TTable table;
    ASSERT_TRUE(OpenTableFile(MakePeople("p.dbf", {{"A", ""}, {"B", ""}, {"C", ""}}), table));
    table.Next();
    table.Delete();
    EXPECT_EQ(table.FieldByName("LNAME").AsString(), "C");
    EXPECT_EQ(LastNames(table), QStringList({"A", "B", "C"}));
    env_.SetDeleted(true);
    EXPECT_EQ(LastNames(table), QStringList({"A", "C"}));
    table.Last();
    table.Delete();
    EXPECT_EQ(table.FieldByName("LNAME").AsString(), "A");
    table.Delete();
    EXPECT_TRUE(table.IsEmpty());
    EXPECT_TRUE(table.Eof());
}

TEST_F(TableTest, DisabledControlsHearNothingUntilTheLastEnable)
{
    Trio t;
    int changes = 0;
    t.source.OnDataChange = [&](TField*) { ++changes; };
    ASSERT_TRUE(OpenTableFile(MakePeople("p.dbf", {{"A", ""}, {"B", ""}}), t.table));
    changes = 0;
    t.table.DisableControls();
    t.table.DisableControls();
    t.table.Next();
    t.table.EnableControls();
    t.table.First();
    EXPECT_EQ(changes, 0);
    t.table.EnableControls();
    EXPECT_EQ(changes, 1);
    t.table.Next();
    EXPECT_EQ(changes, 2);
}

TEST_F(TableTest, ControlsScopeEnablesOnEveryWayOutAndAnInactiveOneDoesNothing)
{
    Trio t;
    int changes = 0;
    t.source.OnDataChange = [&](TField*) { ++changes; };
    ASSERT_TRUE(OpenTableFile(MakePeople("p.dbf", {{"A", ""}, {"B", ""}}), t.table));
    changes = 0;
    try {
        ControlsScope quiet(t.table);
        t.table.Next();
        EXPECT_TRUE(t.table.ControlsDisabled());
        throw TableError(QStringLiteral("work failed"));
    } catch (const TableError&) {
    }
    EXPECT_FALSE(t.table.ControlsDisabled());
    EXPECT_EQ(changes, 1);
    {
        ControlsScope idle(t.table, false);
        EXPECT_FALSE(t.table.ControlsDisabled());
        t.table.First();
    }
    EXPECT_EQ(changes, 2);
}

TEST_F(TableTest, QuietEventsSilencesTheChosenHandlersAndPutsThemBackOnEveryWayOut)
{
    Trio t;
    QStringList events;
    t.table.AfterEdit = [&](TTable&) { events << "AfterEdit"; };
    t.table.AfterPost = [&](TTable&) { events << "AfterPost"; };
    ASSERT_TRUE(OpenTableFile(MakePeople("p.dbf", {{"A", ""}}), t.table));
    auto touch = [&] {
        t.table.Edit();
        t.table.FieldByName("FNAME").SetAsString("X");
        t.table.Post();
    };
    {
        QuietEvents quiet(t.table, {&TTable::AfterEdit});
        touch();
    }
    EXPECT_EQ(events, QStringList({"AfterPost"}));
    try {
        QuietEvents quiet(t.table, {&TTable::AfterEdit, &TTable::AfterPost});
        touch();
        throw TableError(QStringLiteral("work failed"));
    } catch (const TableError&) {
    }
    touch();
    EXPECT_EQ(events, QStringList({"AfterPost", "AfterEdit", "AfterPost"}));
}

TEST_F(TableTest, TwoTablesKeepToTheirOwnWorkAreas)
{
    TTable first;
    TTable second;
    ASSERT_TRUE(OpenTableFile(MakePeople("one.dbf", {{"A1", ""}, {"A2", ""}}), first));
    ASSERT_TRUE(OpenTableFile(MakePeople("two.dbf", {{"B1", ""}, {"B2", ""}, {"B3", ""}}), second));
    ASSERT_NE(first.WorkArea(), second.WorkArea());
    sx_Select(second.WorkArea());
    first.Next();
    second.Last();
    first.Edit();
    first.FieldByName("LNAME").SetAsString("A2x");
    first.Post();
    EXPECT_EQ(LastNames(first), QStringList({"A1", "A2x"}));
    EXPECT_EQ(LastNames(second), QStringList({"B1", "B2", "B3"}));
}

TEST_F(TableTest, ReadOnlyTablesRefuseChangesAndCopiesKeepTheStructure)
{
    Trio t;
    const QString path = MakePeople("p.dbf", {{"Ames", "Al"}});
    t.table.SetReadOnly(true);
    ASSERT_TRUE(OpenTableFile(path, t.table));
    EXPECT_THROW(t.table.Edit(), TableError);
    EXPECT_THROW(t.table.Append(), TableError);
    EXPECT_THROW(t.table.Delete(), TableError);
    EXPECT_EQ(t.table.State(), TDataSetState::Browse);

    const QString copy = dir_.filePath("copy.dbf");
    ASSERT_TRUE(t.apollo.CopyStructure(copy));
    TTable other;
    ASSERT_TRUE(OpenTableFile(copy, other));
    EXPECT_TRUE(other.IsEmpty());
    ASSERT_EQ(other.Fields().size(), 3u);
    EXPECT_EQ(other.Fields()[1]->FieldName(), "FNAME");
    EXPECT_EQ(other.Fields()[1]->Size(), 8);
}

namespace {

QString PostError(TTable& table)
{
    try {
        table.Post();
    } catch (const TableError& e) {
        return e.Message();
    }
    return {};
}

} // namespace

// A full disk: an exclusive table keeps the record for its next write and says
// so; a shared one adds nothing and stays in insert mode, so saving again adds
// the record once.
TEST_F(TableTest, RefusedWritesAreReportedAndSavingAgainAddsTheRecordOnce)
{
    const QString path = MakePeople("full.dbf", {{"Ames", "Al"}});
    {
        Trio t;
        t.table.SetExclusive(true);
        ASSERT_TRUE(OpenTableFile(path, t.table));
        FileSizeLimit full(QFileInfo(path).size());
        t.table.Insert();
        t.table.FieldByName("LNAME").SetAsString("Baker");
        const QString kept = PostError(t.table);
        EXPECT_TRUE(kept.startsWith("The change is kept, but ")) << qPrintable(kept);
        EXPECT_TRUE(kept.contains("File too large")) << qPrintable(kept);
        EXPECT_EQ(t.table.State(), TDataSetState::Browse);
        EXPECT_EQ(t.apollo.RecCount(), 2);

        // Deleting the record still waiting for the disk marks it in memory.
        try {
            t.table.Delete();
            ADD_FAILURE() << "the delete was not reported";
        } catch (const TableError& e) {
            EXPECT_TRUE(e.Message().startsWith("The change is kept, but ")) << qPrintable(e.Message());
        }
    }
    // Closing wrote the record with its delete mark.
    ASSERT_GT(sx_Use(QFile::encodeName(path).constData(), "", SX_READONLY, SX_DRIVER_CDX), 0) << sx_LastError();
    sx_Go(2);
    EXPECT_TRUE(sx_Deleted());
    sx_Close();

    Trio t;
    ASSERT_TRUE(OpenTableFile(path, t.table));
    EXPECT_EQ(LastNames(t.table), (QStringList{"Ames", "Baker"}));

    {
        FileSizeLimit full(QFileInfo(path).size());
        t.table.Insert();
        t.table.FieldByName("LNAME").SetAsString("Cole");
        const QString refused = PostError(t.table);
        EXPECT_TRUE(refused.startsWith("Cannot add the record to ")) << qPrintable(refused);
        EXPECT_EQ(t.table.State(), TDataSetState::Insert);
        EXPECT_EQ(t.apollo.RecCount(), 2);
    }
    EXPECT_EQ(PostError(t.table), QString());
    EXPECT_EQ(LastNames(t.table), (QStringList{"Ames", "Baker", "Cole"}));
}

TEST_F(TableTest, ClosingWhileTheDiskStillRefusesSaysWhatIsLost)
{
    const QString path = MakePeople("lost.dbf", {{"Ames", "Al"}});
    {
        Trio t;
        t.table.SetExclusive(true);
        ASSERT_TRUE(OpenTableFile(path, t.table));
        QSignalSpy failures(&t.table, &TTable::writeFailed);
        FileSizeLimit full(QFileInfo(path).size());
        t.table.Insert();
        t.table.FieldByName("LNAME").SetAsString("Baker");
        EXPECT_TRUE(PostError(t.table).startsWith("The change is kept, but "));
        t.table.Close();
        ASSERT_EQ(failures.size(), 1);
        const QString message = failures.front().front().toString();
        EXPECT_TRUE(message.contains("File too large")) << qPrintable(message);
        EXPECT_TRUE(message.endsWith("The changes not written before are lost.")) << qPrintable(message);
    }
    Trio t;
    QSignalSpy failures(&t.table, &TTable::writeFailed);
    ASSERT_TRUE(OpenTableFile(path, t.table));
    EXPECT_EQ(LastNames(t.table), QStringList{"Ames"});
    t.table.Close();
    EXPECT_TRUE(failures.isEmpty());
}

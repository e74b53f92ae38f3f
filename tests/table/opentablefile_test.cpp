#include "table_test_support.h"

#include "support/scripted_messages.h"
#include "table/opentablefile.h"
#include "table/tablefiles.h"
#include "xbase/sx.h"

#include <QDir>
#include <QFile>

TEST_F(TableTest, AFileWithWiderFieldsOpensWithItsOwnWidths)
{
    TTable table;
    TField& last = table.AddField("LNAME", 30);
    table.AddField("FNAME", 30);
    const QString path = CopyFixture("wide");
    ASSERT_TRUE(OpenTableFile(path, table));
    EXPECT_EQ(last.Size(), 40);
    const QString forty = QString("Vandenberghe-Oppenheimer-Castellanos-Abe");
    ASSERT_EQ(forty.size(), 40);
    table.Edit();
    last.SetAsString(forty + "xyz");
    table.Post();
    ASSERT_TRUE(OpenTableFile(path, table));
    EXPECT_EQ(last.AsString(), forty);
}

TEST_F(TableTest, AMissingDeclaredFieldOrFileFailsTheOpen)
{
    ScriptedMessages messages;
    TTable table;
    table.AddField("LNAME", 10);
    table.AddField("WEBPAGE", 80);
    EXPECT_FALSE(OpenTableFile(MakePeople("old.dbf", {{"A", ""}}), table));
    EXPECT_FALSE(table.Active());
    EXPECT_TRUE(messages.Boxes().isEmpty());

    const QString missing = dir_.filePath("gone.dbf");
    EXPECT_FALSE(OpenTableFile(missing, table));
    ASSERT_EQ(messages.Texts(), QStringList({"File " + missing + " not found"}));
}

TEST_F(TableTest, DatabaseNameAndTableNameDescribeTheOpenFile)
{
    TTable table;
    const QString path = MakePeople("people.dbf", {{"A", ""}});
    ASSERT_TRUE(OpenTableFile(path, table));
    EXPECT_TRUE(table.DatabaseName().endsWith('/'));
    EXPECT_EQ(table.TableName(), "people.dbf");
    EXPECT_EQ(table.FilePath(), path);
    EXPECT_EQ(table.IndexName(), "");
    // Without declarations every column of the file is a field.
    ASSERT_EQ(table.Fields().size(), 3u);
    EXPECT_EQ(table.Fields()[2]->DataType(), TFieldType::Boolean);
}

TEST_F(TableTest, AliasesAreMadeFromTheBaseNameAndNumberedWhileTaken)
{
    QStringList taken = {"MY_FILE_X", "LONGNAME_1"};
    const auto inUse = [&](const QString& alias) { return taken.contains(alias); };
    EXPECT_EQ(MakeAlias("a~b-c d", inUse), "a_b_c_d");
    EXPECT_EQ(MakeAlias("my file x", inUse), "my_file_x");
    EXPECT_EQ(MakeAlias("MY-FILE X", inUse), "MY_FILE__1");
    taken << "LONGNAMEXYZ";
    EXPECT_EQ(MakeAlias("LONGNAMEXYZ", inUse), "LONGNAME_2");
    // Two tables on files of the same name open side by side.
    TTable first;
    TTable second;
    QDir(dir_.path()).mkdir("sub");
    ASSERT_TRUE(OpenTableFile(MakePeople("same.dbf", {{"A", ""}}), first));
    ASSERT_TRUE(OpenTableFile(MakePeople("sub/same.dbf", {{"B", ""}}), second));
    EXPECT_EQ(second.FieldByName("LNAME").AsString(), "B");
    EXPECT_EQ(first.FieldByName("LNAME").AsString(), "A");
}

TEST_F(TableTest, TheDriverFollowsItsNameOrTheFilesFirstByte)
{
    const auto fileStarting = [&](const QString& name, char first) {
        QFile file(dir_.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.putChar(first);
        return file.fileName();
    };
    EXPECT_EQ(ChooseDriver("SXNTX", ""), SX_DRIVER_NTX);
    EXPECT_EQ(ChooseDriver("axfox", ""), SX_DRIVER_AXFOX);
    EXPECT_EQ(ChooseDriver("OTHER", ""), SX_DRIVER_CDX);
    EXPECT_EQ(ChooseDriver("", fileStarting("a.dbf", '\x83')), SX_DRIVER_NTX);
    EXPECT_EQ(ChooseDriver("", fileStarting("b.dbf", '\xE5')), SX_DRIVER_NSX);
    EXPECT_EQ(ChooseDriver("", fileStarting("c.dbf", '\xF5')), SX_DRIVER_CDX);
    const QString d = fileStarting("d.dbf", '\x03');
    EXPECT_EQ(ChooseDriver("", d), SX_DRIVER_CDX);
    fileStarting("D.nsx", 0); // letter case of the sibling does not matter
    EXPECT_EQ(ChooseDriver("", d), SX_DRIVER_NSX);
    fileStarting("d.CDX", 0);
    EXPECT_EQ(ChooseDriver("", d), SX_DRIVER_CDX);
}

#include "addressfile_test_support.h"

#include "addressfile/createaddressfile.h"
#include "addressfile/fieldlengths.h"
#include "table/opentablefile.h"
#include "xbase/sx.h"

#include <QDir>
#include <QFile>

namespace {

QStringList FirstNames(TTable& table)
{
    QStringList names;
    for (table.First(); !table.Eof(); table.Next())
        names << table.FieldByName("FNAME").AsString();
    return names;
}

} // namespace

TEST_F(AddressFileTest, ANewFileHasThe22FieldsWithTheChosenWidthsAndAll26Tags)
{
    CurrentNewFileWidths() = NewFileWidths();
    CurrentNewFileWidths().SetWidth("LNAME", 44);
    const QString path = programDir_.File("new.DBF");
    BookTrio maker(false);
    ASSERT_TRUE(CreateAddressFile(path, maker.table, maker.apollo));
    EXPECT_FALSE(maker.table.Active());
    EXPECT_TRUE(messages_.Boxes().isEmpty());

    ASSERT_TRUE(OpenTableFile(path, maker.table));
    const auto& fields = maker.table.Fields();
    ASSERT_EQ(fields.size(), 22u);
    int sum = 0;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        EXPECT_EQ(fields[i]->FieldName(), AddressFields()[i].name);
        sum += fields[i]->Size();
    }
    EXPECT_EQ(fields[0]->Size(), 44);
    EXPECT_EQ(maker.table.FieldByName("FAX").Size(), 40);
    EXPECT_EQ(maker.table.FieldByName("DATE").Size(), 15);
    EXPECT_EQ(maker.table.FieldByName("ISDEL").DataType(), TFieldType::Boolean);
    EXPECT_EQ(maker.apollo.RecSize(), sum + 1);
    for (const AddressTagDef& tag : AddressTags())
        EXPECT_GT(maker.apollo.TagArea(tag.name), 0) << qPrintable(tag.name);
    EXPECT_EQ(maker.apollo.TagName(26), "NOTISDEL");
}

TEST_F(AddressFileTest, ALongNameWithSpacesAndHyphensMakesAWholeFile)
{
    const QString name = QStringLiteral("Webmail Contacts - club-members_2024 and friends abroad 12345678");
    ASSERT_EQ(name.size(), 64);
    const QString path = programDir_.File(name + ".DBF");
    BookTrio book;
    ASSERT_TRUE(CreateAddressFile(path, book.table, book.apollo));
    EXPECT_TRUE(QFile::exists(programDir_.File(name + ".CDX")));
    ASSERT_TRUE(OpenTableFile(path, book.table));
    book.table.Append();
    book.table.FieldByName("LNAME").SetAsString("Zimmer");
    book.table.Post();
    book.table.Close();

    ASSERT_TRUE(OpenTableFile(path, book.table));
    for (const AddressTagDef& tag : AddressTags())
        EXPECT_GT(book.apollo.TagArea(tag.name), 0) << qPrintable(tag.name);
    book.apollo.SetOrder(book.apollo.TagArea("LNAME"));
    EXPECT_TRUE(book.apollo.Seek("ZIMMER"));
    EXPECT_EQ(book.apollo.RecCount(), 1);
}

TEST_F(AddressFileTest, NameAndLastNameOrdersDifferOnBlanksInsideTheLastName)
{
    const QString path = programDir_.File("order.DBF");
    BookTrio book;
    ASSERT_TRUE(CreateAddressFile(path, book.table, book.apollo));
    ASSERT_TRUE(OpenTableFile(path, book.table));
    for (const auto& [last, first] : {std::pair{"DE", "ZOE"}, std::pair{"DE LA CRUZ", "ANA"}}) {
        book.table.Append();
        book.table.FieldByName("LNAME").SetAsString(last);
        book.table.FieldByName("FNAME").SetAsString(first);
        book.table.Post();
    }
    book.apollo.SetOrder(book.apollo.TagArea("NAME"));
    EXPECT_EQ(FirstNames(book.table), QStringList({"ANA", "ZOE"}));
    book.apollo.SetOrder(book.apollo.TagArea("LNAME"));
    EXPECT_EQ(FirstNames(book.table), QStringList({"ZOE", "ANA"}));
}

TEST_F(AddressFileTest, RecreatingTheTagsDropsForeignOnes)
{
    BookTrio book;
    const QString path = CopyFixture("nowebpage");
    ASSERT_TRUE(OpenTableFile(path, book.table));
    EXPECT_EQ(book.apollo.TagArea("WEBPAGE"), 0);
    book.apollo.IndexTag("", "EXTRA", "", false, 0, "UPPER(CITY)");
    ASSERT_GT(book.apollo.TagArea("EXTRA"), 0);

    ASSERT_TRUE(CreateIndexTags(book.table, book.apollo));
    EXPECT_EQ(book.table.IndexName(), "NOTISDEL");
    EXPECT_EQ(book.apollo.TagArea("EXTRA"), 0);
    EXPECT_GT(book.apollo.TagArea("WEBPAGE"), 0);
    EXPECT_EQ(book.apollo.TagName(27), "");
    EXPECT_TRUE(messages_.Boxes().isEmpty());
}

TEST_F(AddressFileTest, CreationFailuresAreReportedInTurn)
{
    BookTrio maker(false);
    EXPECT_FALSE(CreateAddressFile(programDir_.File("no/such/dir/x.DBF"), maker.table, maker.apollo));
    // The engine starts a file anywhere and fails only when it writes it.
    EXPECT_EQ(messages_.Texts(), QStringList({"Unable to create index files", "File creation failed"}));

    // Tags are never built on a closed table (the engine's current area is another file's).
    messages_.Clear();
    BookTrio other;
    const QString path = CopyFixture("small");
    ASSERT_TRUE(OpenTableFile(path, other.table));
    BookTrio closed;
    EXPECT_FALSE(CreateIndexTags(closed.table, closed.apollo));
    EXPECT_EQ(messages_.Texts(), QStringList({"Unable to create index files"}));
    EXPECT_GT(other.apollo.TagArea("WEBPAGE"), 0);
    EXPECT_TRUE(QFile::exists(programDir_.File("small.cdx")));
}

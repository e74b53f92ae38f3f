#include "select/tags.h"

#include "book.h"
#include "printing.h"

#include <gtest/gtest.h>

namespace {

const QString kTag = QStringLiteral("VJY355E");

class ToggleTagTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(book.opened);
        book.table.First();
        recNo = book.table.CurrentRecNo();
    }

    QString StoredTag()
    {
        const TRecordBuffer record = book.table.ReadRecord(recNo);
        return book.table.FieldByName(QStringLiteral("TAG")).AsStringIn(record);
    }

    Book book;
    long recNo = 0;
};

TEST_F(ToggleTagTest, TogglingTwiceLeavesTheRecordUntaggedWithAnEmptyTag)
{
    ToggleTag(book.table, kTag);
    EXPECT_EQ(book.table.State(), TDataSetState::Browse);
    EXPECT_EQ(StoredTag(), kTag);
    ToggleTag(book.table, kTag);
    EXPECT_EQ(StoredTag(), QString());
}

TEST_F(ToggleTagTest, AnOldIdCountsAsUntaggedAndIsReplaced)
{
    ToggleTag(book.table, QStringLiteral("OLD1234"));
    ToggleTag(book.table, kTag);
    EXPECT_EQ(StoredTag(), kTag);
    // Case matters: an id differing only in case is another id.
    ToggleTag(book.table, kTag.toLower());
    EXPECT_EQ(StoredTag(), kTag.toLower());
}

TEST_F(ToggleTagTest, DuringAnEditOnlyTheBufferChanges)
{
    book.table.Edit();
    ToggleTag(book.table, kTag);
    EXPECT_EQ(book.table.State(), TDataSetState::Edit);
    EXPECT_EQ(book.table.FieldByName(QStringLiteral("TAG")).AsString(), kTag);
    EXPECT_EQ(StoredTag(), QString());
    book.table.Cancel();
    EXPECT_EQ(StoredTag(), QString());
    EXPECT_EQ(book.table.FieldByName(QStringLiteral("TAG")).AsString(), QString());
}

} // namespace

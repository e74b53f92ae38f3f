#include "select/selection.h"

#include "select/tags.h"

#include "book.h"
#include "printing.h"
#include "support/scripted_messages.h"
#include "support/temp_program_dir.h"

#include <gtest/gtest.h>

namespace {

// Records the fixture shows with no filter: 214 less 7 delete-marked and 4 more with
// ISDEL set.
constexpr long kVisible = 203;

const QString kTag = QStringLiteral("VJY355E");

class SelectionTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(book.opened); }

    long Apply(QueryField field, const char* text)
    {
        selection.values[field] = QString::fromUtf8(text);
        return selection.ApplyFilter(book.apollo, kTag);
    }

    TempProgramDirectory programDir;
    ScriptedMessages messages;
    Book book;
    Selection selection;
};

TEST_F(SelectionTest, AFilterBecomesTheActiveQuery)
{
    EXPECT_EQ(Apply(QueryField::LName, "smith"), 11);
    EXPECT_TRUE(selection.FilterSet());
    EXPECT_EQ(selection.FilterExpression(), R"(UPPER(LNAME)="SMITH")");
    EXPECT_EQ(book.apollo.DBFilter(), R"(UPPER(LNAME)="SMITH".and. !ISDEL)");
    EXPECT_EQ(book.apollo.QueryRecCount(), 11);
    for (const QString& last : book.Column("LNAME"))
        EXPECT_TRUE(last.toUpper().startsWith(QStringLiteral("SMITH"))) << last.toStdString();

    // Emptying the values removes the filter.
    selection.values[QueryField::LName].clear();
    EXPECT_EQ(selection.ApplyFilter(book.apollo, kTag), 0);
    EXPECT_FALSE(selection.FilterSet());
    EXPECT_EQ(book.apollo.DBFilter(), "!ISDEL");
    EXPECT_EQ(book.apollo.QueryRecCount(), kVisible);
    EXPECT_TRUE(messages.Boxes().isEmpty());
}

TEST_F(SelectionTest, PlainPatternsMatchBeginningsAndDollarMatchesAnywhere)
{
    book.Add({{"LNAME", "JONES"}});
    book.Add({{"LNAME", "Johnson"}});
    book.Add({{"LNAME", "MORTON"}});
    Apply(QueryField::LName, "JO");
    QStringList names = book.Column("LNAME");
    EXPECT_TRUE(names.contains(QStringLiteral("JONES")) && names.contains(QStringLiteral("Johnson")));
    EXPECT_FALSE(names.contains(QStringLiteral("MORTON")));

    Apply(QueryField::LName, "$ON");
    names = book.Column("LNAME");
    for (const char* name : {"JONES", "Johnson", "MORTON", "Thompson"})
        EXPECT_TRUE(names.contains(QLatin1StringView(name))) << name;
    EXPECT_FALSE(names.contains(QStringLiteral("Smith")));
}

TEST_F(SelectionTest, CombinationsAndReverseCountLikeTheIndependentEngine)
{
    EXPECT_EQ(Apply(QueryField::State, "CA;NY"), 53);
    selection.ClearQueryVars();
    EXPECT_EQ(Apply(QueryField::Zip, ">=90000"), 45);
    selection.ClearQueryVars();
    EXPECT_EQ(Apply(QueryField::City, "boston"), 19);
    selection.ClearQueryVars();
    selection.values.reverse = true;
    EXPECT_EQ(Apply(QueryField::LName, "smith"), kVisible - 11);
    // A leading "^" excludes in the same way.
    selection.ClearQueryVars();
    EXPECT_EQ(Apply(QueryField::LName, "^smith"), kVisible - 11);
    // A trailing separator adds nothing.
    selection.ClearQueryVars();
    EXPECT_EQ(Apply(QueryField::LName, "smith;"), 11);
}

TEST_F(SelectionTest, AccentedLettersFoldLikeTheEngine)
{
    EXPECT_EQ(Apply(QueryField::LName, "müll"), 1);
    EXPECT_EQ(book.Column("LNAME"), QStringList{QStringLiteral("Müller")});
}

TEST_F(SelectionTest, QuotesInAPatternMatchLiterally)
{
    book.Add({{"ORG", R"(The "Best" Inc)"}});
    book.Add({{"ORG", R"(Rock'n"Roll)"}});
    EXPECT_EQ(Apply(QueryField::Org, R"($"best")"), 1);
    EXPECT_EQ(book.Column("ORG"), QStringList{QStringLiteral(R"(The "Best" Inc)")});
    selection.ClearQueryVars();
    EXPECT_EQ(Apply(QueryField::Org, R"(rock'n"r)"), 1);
    EXPECT_EQ(book.Column("ORG"), QStringList{QStringLiteral(R"(Rock'n"Roll)")});
    EXPECT_TRUE(messages.Boxes().isEmpty());
}

TEST_F(SelectionTest, AFilterWithoutMatchesIsDropped)
{
    selection.values[QueryField::FName] = QStringLiteral("j");
    selection.values.tagged = true;
    EXPECT_EQ(Apply(QueryField::LName, "smith"), 0);
    EXPECT_FALSE(selection.FilterSet());
    EXPECT_EQ(selection.values, QueryValues{});
    EXPECT_EQ(book.apollo.DBFilter(), "!ISDEL");
    EXPECT_EQ(book.apollo.QueryRecCount(), kVisible);
    EXPECT_TRUE(messages.Boxes().isEmpty());
}

TEST_F(SelectionTest, ACharacterNoFileCanHoldMatchesNothing)
{
    EXPECT_EQ(Apply(QueryField::LName, "łódź"), 0);
    EXPECT_FALSE(selection.FilterSet());
    EXPECT_EQ(book.apollo.QueryRecCount(), kVisible);
}

TEST_F(SelectionTest, ReverseAloneIsNoFilter)
{
    selection.values.reverse = true;
    EXPECT_EQ(selection.ApplyFilter(book.apollo, kTag), 0);
    EXPECT_FALSE(selection.FilterSet());
    EXPECT_EQ(book.apollo.DBFilter(), "!ISDEL");
}

TEST_F(SelectionTest, TheLimitIs243Characters)
{
    // With Reverse, a plain pattern of n characters gives 20 + n characters.
    selection.values.reverse = true;
    EXPECT_EQ(Apply(QueryField::LName, std::string(223, 'Q').c_str()), kVisible);
    EXPECT_EQ(selection.FilterExpression().size(), 243);
    EXPECT_TRUE(messages.Boxes().isEmpty());

    EXPECT_EQ(Apply(QueryField::LName, std::string(224, 'Q').c_str()), 0);
    ASSERT_EQ(messages.Boxes().size(), 1);
    EXPECT_EQ(messages.Boxes()[0].text, "Sorry - filter is too complex.Please simplify it.");
    EXPECT_EQ(messages.Boxes()[0].caption, "Information");
    EXPECT_FALSE(selection.FilterSet());
    EXPECT_EQ(selection.values, QueryValues{});
    EXPECT_EQ(book.apollo.DBFilter(), "!ISDEL");
}

TEST_F(SelectionTest, EighteenLongPatternsAreRefused)
{
    for (QueryField field : allQueryFields())
        selection.values[field] = QStringLiteral("abcdefghij");
    EXPECT_EQ(selection.ApplyFilter(book.apollo, kTag), 0);
    EXPECT_EQ(messages.Texts(), QStringList{QStringLiteral("Sorry - filter is too complex.Please simplify it.")});
    EXPECT_EQ(selection.values, QueryValues{});
}

TEST_F(SelectionTest, TaggedAndReverseSplitTheFileExactly)
{
    const QSet<long> all = book.RecordNumbers();
    QSet<long> tagged;
    book.table.First();
    for (int i = 0; i < 3; ++i, book.table.Next()) {
        ToggleTag(book.table, kTag);
        tagged.insert(book.table.CurrentRecNo());
    }
    selection.values.tagged = true;
    EXPECT_EQ(selection.ApplyFilter(book.apollo, kTag), 3);
    EXPECT_EQ(book.RecordNumbers(), tagged);

    selection.values.reverse = true;
    EXPECT_EQ(selection.ApplyFilter(book.apollo, kTag), kVisible - 3);
    EXPECT_EQ(book.RecordNumbers(), all - tagged);
}

TEST_F(SelectionTest, TheLastMatchEditedAwayDropsTheFilterOnReapplying)
{
    ASSERT_EQ(Apply(QueryField::LName, "müller"), 1);
    book.table.First();
    book.table.Edit();
    book.table.FieldByName(QStringLiteral("LNAME")).SetAsString(QStringLiteral("Miller"));
    book.table.Post();
    EXPECT_EQ(book.apollo.QueryRecCount(), 0);
    selection.ReapplyIfNothingMatches(book.apollo, kTag);
    EXPECT_FALSE(selection.FilterSet());
    EXPECT_EQ(book.apollo.QueryRecCount(), kVisible);
}

TEST_F(SelectionTest, ValuesOutliveAClosedFileAndApplyWhenItOpens)
{
    book.table.Close();
    EXPECT_EQ(Apply(QueryField::LName, "smith"), 0);
    EXPECT_TRUE(selection.FilterSet());
    ASSERT_TRUE(OpenTableFile(book.path, book.table));
    EXPECT_EQ(book.apollo.QueryRecCount(), 11);
    EXPECT_EQ(selection.ApplyFilter(book.apollo, kTag), 11);
}

TEST_F(SelectionTest, ANewTagIdUntagsEverythingWithoutWritingARecord)
{
    book.table.First();
    ToggleTag(book.table, kTag);
    book.table.Close();
    const QByteArray dbf = book.FileBytes(".dbf");
    const QByteArray cdx = book.FileBytes(".cdx");

    ASSERT_TRUE(OpenTableFile(book.path, book.table));
    selection.values.tagged = true;
    ASSERT_EQ(selection.ApplyFilter(book.apollo, kTag), 1);
    // The "Tagged" filter matches nothing under the new id and is dropped.
    EXPECT_EQ(selection.ApplyFilter(book.apollo, QStringLiteral("VJY355F")), 0);
    EXPECT_FALSE(selection.FilterSet());
    EXPECT_EQ(book.apollo.QueryRecCount(), kVisible);
    book.table.Close();
    EXPECT_EQ(book.FileBytes(".dbf"), dbf);
    EXPECT_EQ(book.FileBytes(".cdx"), cdx);
}

} // namespace

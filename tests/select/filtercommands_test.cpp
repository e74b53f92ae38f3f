#include "select/filtercommands.h"

#include "select/filterdialogs.h"
#include "select/filterfile.h"
#include "select/selection.h"

#include "book.h"
#include "printing.h"
#include "support/scripted_messages.h"
#include "support/temp_program_dir.h"

#include "platform/messages.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

const QString kTag = QStringLiteral("VJY355E");

class FilterCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetFilterSaveChooser([this](QWidget*, const QString& directory) {
            startedIn << directory;
            return answer;
        });
        SetFilterOpenChooser([this](QWidget*, const QString& directory) {
            startedIn << directory;
            return answer;
        });
    }
    void TearDown() override
    {
        SetFilterSaveChooser({});
        SetFilterOpenChooser({});
    }

    QByteArray Bytes(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    TempProgramDirectory programDir;
    ScriptedMessages messages;
    QString answer; // what the file dialog gives
    QStringList startedIn;
};

TEST_F(FilterCommandsTest, ANameWithoutExtensionGetsFlt)
{
    answer = programDir.File(QStringLiteral("mine"));
    const QString path = ChooseFilterToSave(nullptr);
    EXPECT_EQ(path, programDir.File(QStringLiteral("mine.FLT")));
    QueryValues values;
    values[QueryField::LName] = QStringLiteral("smith");
    values.reverse = true;
    ASSERT_TRUE(SaveFilterTo(path, values));
    EXPECT_EQ(Bytes(path).size(), 47);
    EXPECT_TRUE(messages.Boxes().isEmpty());
}

TEST_F(FilterCommandsTest, AnotherExtensionIsRefused)
{
    answer = programDir.File(QStringLiteral("filter.txt"));
    EXPECT_EQ(ChooseFilterToSave(nullptr), QString());
    EXPECT_EQ(messages.Texts(), QStringList{QStringLiteral("Must have a .FLT extension")});
    EXPECT_EQ(messages.Boxes()[0].caption, QStringLiteral("Information"));
}

TEST_F(FilterCommandsTest, OverwritingAsksWithNoAsTheDefault)
{
    answer = programDir.File(QStringLiteral("old.flt"));
    ASSERT_TRUE(SaveFilterTo(answer, QueryValues{}));
    messages.AnswerNo();
    EXPECT_EQ(ChooseFilterToSave(nullptr), QString());
    ASSERT_EQ(messages.Boxes().size(), 1);
    EXPECT_EQ(messages.Boxes()[0].text, answer + QStringLiteral(" already exists.\r\nDo you want to overwrite it?"));
    EXPECT_EQ(messages.Boxes()[0].caption, QStringLiteral("Warning!"));
    EXPECT_TRUE(messages.Boxes()[0].flags & MbDefButton2);
    messages.AnswerYes();
    EXPECT_EQ(ChooseFilterToSave(nullptr), answer);
}

TEST_F(FilterCommandsTest, CancelDoesNothingAndTheSaveDialogRemembersItsFolder)
{
    EXPECT_EQ(ChooseFilterToSave(nullptr), QString());
    EXPECT_TRUE(messages.Boxes().isEmpty());
    QDir(programDir.Path()).mkdir(QStringLiteral("keep"));
    answer = programDir.File(QStringLiteral("keep/a.FLT"));
    ChooseFilterToSave(nullptr);
    answer.clear();
    ChooseFilterToSave(nullptr);
    // The open dialog always starts in the program directory.
    ChooseFilterToRestore(nullptr);
    ASSERT_EQ(startedIn.size(), 4);
    EXPECT_EQ(QDir(startedIn[0]), QDir(programDir.Path()));
    EXPECT_EQ(QDir(startedIn[2]), QDir(programDir.File(QStringLiteral("keep"))));
    EXPECT_EQ(QDir(startedIn[3]), QDir(programDir.Path()));
}

TEST_F(FilterCommandsTest, FilesThatCannotBeWrittenOrReadAreReported)
{
    const QString unwritable = programDir.File(QStringLiteral("no/such/folder/a.FLT"));
    EXPECT_FALSE(SaveFilterTo(unwritable, QueryValues{}));
    EXPECT_EQ(messages.Texts(), QStringList{QStringLiteral("Cannot create file ") + unwritable});

    messages.Clear();
    Book book;
    ASSERT_TRUE(book.opened);
    Selection selection;
    selection.values[QueryField::LName] = QStringLiteral("smith");
    const QString missing = programDir.File(QStringLiteral("missing.FLT"));
    EXPECT_FALSE(RestoreFilterFrom(missing, selection, book.apollo, kTag));
    EXPECT_EQ(messages.Texts(), QStringList{QStringLiteral("Cannot open file ") + missing});
    EXPECT_EQ(selection.values[QueryField::LName], QStringLiteral("smith"));
}

TEST_F(FilterCommandsTest, RestoringNeedsAFltFile)
{
    answer = programDir.File(QStringLiteral("notes.txt"));
    EXPECT_EQ(ChooseFilterToRestore(nullptr), QString());
    EXPECT_EQ(messages.Texts(), QStringList{QStringLiteral("Must be a Filter (.FLT) file")});
    answer = programDir.File(QStringLiteral("lower.flt"));
    EXPECT_EQ(ChooseFilterToRestore(nullptr), answer);
}

TEST_F(FilterCommandsTest, ASavedFilterAppliesToAnotherAddressFile)
{
    const QString path = programDir.File(QStringLiteral("smiths.FLT"));
    {
        Book first;
        ASSERT_TRUE(first.opened);
        Selection selection;
        selection.values[QueryField::LName] = QStringLiteral("smith");
        ASSERT_EQ(selection.ApplyFilter(first.apollo, kTag), 11);
        ASSERT_TRUE(SaveFilterTo(path, selection.values));
    }
    Book second;
    ASSERT_TRUE(second.opened);
    second.Add({{"LNAME", "Smithers"}}); // one Smith more in this file
    Selection selection;
    ASSERT_TRUE(RestoreFilterFrom(path, selection, second.apollo, kTag));
    EXPECT_EQ(selection.FilterExpression(), R"(UPPER(LNAME)="SMITH")");
    EXPECT_EQ(second.apollo.DBFilter(), R"(UPPER(LNAME)="SMITH".and. !ISDEL)");
    EXPECT_EQ(second.apollo.QueryRecCount(), 12);
}

TEST_F(FilterCommandsTest, RestoredFlagsNeedACapitalTAndUnmatchedFiltersDrop)
{
    Book book;
    ASSERT_TRUE(book.opened);
    const QString path = programDir.File(QStringLiteral("words.FLT"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("smith\r\n" + QByteArray("\r\n").repeated(17) + "true\r\nF\r\n");
    file.close();
    Selection selection;
    ASSERT_TRUE(RestoreFilterFrom(path, selection, book.apollo, kTag));
    EXPECT_FALSE(selection.values.tagged);
    EXPECT_EQ(book.apollo.QueryRecCount(), 11);

    // "Tagged" with nothing tagged matches nothing: no filter, no message.
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("smith\r\n" + QByteArray("\r\n").repeated(17) + "T\r\nF\r\n");
    file.close();
    ASSERT_TRUE(RestoreFilterFrom(path, selection, book.apollo, kTag));
    EXPECT_FALSE(selection.FilterSet());
    EXPECT_EQ(selection.values, QueryValues{});
    EXPECT_TRUE(messages.Boxes().isEmpty());
}

} // namespace

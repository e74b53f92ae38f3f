#include "select/tagall.h"

#include "select/selection.h"

#include "book.h"
#include "printing.h"
#include "support/scripted_messages.h"
#include "support/temp_program_dir.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

const QString kTag = QStringLiteral("VJY355E");

class TagAllTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(book.opened); }

    QString Activity(const TTagAllRecords& dialog)
    {
        return dialog.findChild<QLabel*>(QStringLiteral("ActivityLabel"))->text();
    }

    TempProgramDirectory programDir;
    ScriptedMessages messages;
    Book book;
    Selection selection;
};

TEST_F(TagAllTest, TagsEveryMatchAndATaggedFilterThenSelectsExactlyThem)
{
    selection.values[QueryField::State] = QStringLiteral("CA;NY");
    ASSERT_EQ(selection.ApplyFilter(book.apollo, kTag), 53);
    const QSet<long> matches = book.RecordNumbers();

    TTagAllRecords dialog(book.table, kTag);
    dialog.show();
    // The run starts by itself once the dialog shows.
    EXPECT_TRUE(QTest::qWaitFor([&] { return Activity(dialog) != QStringLiteral("Tagging Records"); }));
    EXPECT_EQ(Activity(dialog), QStringLiteral("Complete"));
    EXPECT_EQ(dialog.Tagged(), 53);
    EXPECT_FALSE(dialog.findChild<QPushButton*>(QStringLiteral("Cancelbutton"))->isVisible());
    EXPECT_TRUE(dialog.findChild<QPushButton*>(QStringLiteral("CloseButton"))->isVisible());
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("progresslabel"))->text(), QStringLiteral("53 records tagged"));
    EXPECT_FALSE(book.table.ControlsDisabled());

    selection.ClearQueryVars();
    selection.values.tagged = true;
    EXPECT_EQ(selection.ApplyFilter(book.apollo, kTag), 53);
    EXPECT_EQ(book.RecordNumbers(), matches);

    // Tagging the same records again changes nothing in the selection.
    selection.values = QueryValues{};
    selection.values[QueryField::State] = QStringLiteral("CA;NY");
    selection.ApplyFilter(book.apollo, kTag);
    TTagAllRecords again(book.table, kTag);
    again.Run();
    EXPECT_EQ(again.Tagged(), 53);
    selection.values = QueryValues{};
    selection.values.tagged = true;
    EXPECT_EQ(selection.ApplyFilter(book.apollo, kTag), 53);
}

TEST_F(TagAllTest, RecordsLeavingTheFilterAsTheyAreTaggedAreEachTaggedOnce)
{
    // "Not tagged": each record drops out of the selection as soon as it is written.
    selection.values.tagged = true;
    selection.values.reverse = true;
    const long untagged = selection.ApplyFilter(book.apollo, kTag);
    ASSERT_GT(untagged, 100);
    TTagAllRecords dialog(book.table, kTag);
    dialog.Run();
    EXPECT_EQ(dialog.Tagged(), untagged);
    EXPECT_EQ(book.apollo.QueryRecCount(), 0);
}

TEST_F(TagAllTest, CancellingKeepsWhatWasTagged)
{
    TTagAllRecords dialog(book.table, kTag);
    auto* cancel = dialog.findChild<QPushButton*>(QStringLiteral("Cancelbutton"));
    // Cancel is pressed while records are written: answered No the run goes on, answered
    // Yes it stops after the record in hand.
    messages.AnswerNo().AnswerYes();
    QTimer presses;
    QObject::connect(&presses, &QTimer::timeout, cancel, [&] {
        if (messages.Pending() > 0)
            cancel->click();
    });
    presses.start(0);
    dialog.Run();
    presses.stop();
    EXPECT_EQ(messages.Texts(), (QStringList{QStringLiteral("Cancel Tagging?"), QStringLiteral("Cancel Tagging?")}));
    EXPECT_EQ(messages.Boxes()[0].caption, QStringLiteral("CANCEL"));
    EXPECT_EQ(Activity(dialog), QStringLiteral("Cancelled before completion"));
    const long tagged = dialog.Tagged();
    EXPECT_GT(tagged, 0);
    EXPECT_LT(tagged, 203);
    EXPECT_FALSE(book.table.ControlsDisabled());

    selection.values.tagged = true;
    EXPECT_EQ(selection.ApplyFilter(book.apollo, kTag), tagged);

    QSignalSpy accepted(&dialog, &QDialog::accepted);
    dialog.findChild<QPushButton*>(QStringLiteral("CloseButton"))->click();
    EXPECT_EQ(accepted.count(), 1);
}

} // namespace

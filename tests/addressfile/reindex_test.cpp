#include "addressfile_test_support.h"

#include "addressfile/reindexprogress.h"
#include "addressfile/tbkreindex.h"
#include "support/recording_help.h"
#include "table/opentablefile.h"

#include <QProgressBar>
#include <QPushButton>

TEST(ReindexProgress, PackShowsPercentIndexSumsRisesOver2100)
{
    ReindexProgress progress;
    progress.Start(ReindexProgress::Phase::Pack);
    EXPECT_EQ(progress.Report(37), 37);
    EXPECT_EQ(progress.Report(100), 100);

    progress.Start(ReindexProgress::Phase::Index);
    EXPECT_EQ(progress.Position(), 0);
    int position = 0;
    for (int tag = 1; tag <= 26; ++tag) {
        for (int p = 0; p <= 100; p += 25)
            position = progress.Report(p);
        if (tag == 1) {
            EXPECT_EQ(position, 5); // 100 * 100 / 2100 = 4.76, rounded
        }
        if (tag == 20) {
            EXPECT_EQ(position, 95);
        }
    }
    EXPECT_EQ(position, 100);
    // A report lower than the one before adds nothing.
    progress.Start(ReindexProgress::Phase::Index);
    progress.Report(50);
    EXPECT_EQ(progress.Report(10), 2);
    EXPECT_EQ(progress.Report(20), 3); // 60 of 2100
}

TEST_F(AddressFileTest, RebuildPacksDeletedRecordsAndRestoresAllTags)
{
    BookTrio book;
    const QString path = CopyFixture("nowebpage");
    ASSERT_TRUE(OpenTableFile(path, book.table));
    ASSERT_EQ(book.apollo.RecCount(), 214);

    TBkReindex dialog(book.table, book.apollo);
    EXPECT_EQ(dialog.windowTitle(), "Rebuild indexes for nowebpage.dbf");
    EXPECT_TRUE(dialog.Gauge1->isHidden());
    {
        RecordingHelp help;
        dialog.HelpButton->click();
        EXPECT_EQ(help.requests, QStringList({"topic 1040"}));
    }
    int highest = 0;
    QObject::connect(dialog.Gauge1, &QProgressBar::valueChanged, [&](int v) { highest = std::max(highest, v); });
    dialog.DoitClick();

    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(highest, 100);
    EXPECT_TRUE(dialog.Gauge1->isHidden());
    EXPECT_EQ(book.apollo.RecCount(), 207); // the 7 records bearing the delete mark
    for (const QString& tag : AddressTagNames())
        EXPECT_GT(book.apollo.TagArea(tag), 0) << qPrintable(tag);
    EXPECT_TRUE(messages_.Boxes().isEmpty());
}

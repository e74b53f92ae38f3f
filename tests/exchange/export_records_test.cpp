// An export covers the records a label or report run with "Records matching filter" covers.
#include "export_test_support.h"

#include "addressfile/runrecords.h"
#include "exchange/exportwalk.h"

#include <gtest/gtest.h>

TEST(ExportRecords, TheFilteredRecordsInOrderFromTheFirstWhereverTheTableStands)
{
    ExportBook book;
    book.AddNumbered(12);
    book.OrderBy("FNAME");
    book.Filter("RECNO()%3<>0");
    book.apollo.Go(5);
    QList<long> exported;
    ExportWalk walk(book.table, book.apollo);
    walk.Run([&] { exported << book.apollo.RecNo(); });

    ASSERT_EQ(PositionRunRecords(book.apollo, book.table, RunRecords{}, 5), RunStart::First);
    QList<long> labels;
    for (; !book.table.Eof(); book.table.Next())
        labels << book.apollo.RecNo();
    EXPECT_EQ(exported, labels);
    EXPECT_EQ(exported.size(), 8);
    EXPECT_EQ(exported.first(), 11); // FNAME counts down, so the last records come first
}

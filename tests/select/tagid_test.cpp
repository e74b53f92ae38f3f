#include "select/tagid.h"

#include "printing.h"

#include <gtest/gtest.h>

namespace {

QString idAt(int y, int mo, int d, int h, int mi, int s)
{
    return NewTagId(QDateTime(QDate(y, mo, d), QTime(h, mi, s)));
}

TEST(NewTagId, YearThenMonthDayTimeInBase36)
{
    EXPECT_EQ(idAt(2026, 12, 6, 11, 9, 30), QStringLiteral("VJY355E"));
    // The largest stamp, 1231235959, still takes six digits.
    EXPECT_EQ(idAt(2026, 12, 31, 23, 59, 59), QStringLiteral("VKD1NQV"));
    // No leading zeros: 0101000000 is 101000000.
    EXPECT_EQ(idAt(2026, 1, 1, 0, 0, 0), QStringLiteral("V1O4S3K"));
}

TEST(NewTagId, From2031TheYearTakesTwoDigitsAndTheIdStillFitsTheField)
{
    const QString id = idAt(2031, 3, 15, 8, 5, 0);
    EXPECT_EQ(id, QStringLiteral("10") + idAt(2026, 3, 15, 8, 5, 0).mid(1));
    EXPECT_EQ(id.size(), 8);
}

TEST(NewTagId, SameSecondSameId)
{
    const QDateTime at(QDate(2027, 2, 3), QTime(4, 5, 6, 100));
    EXPECT_EQ(NewTagId(at), NewTagId(at.addMSecs(800)));
    EXPECT_NE(NewTagId(at), NewTagId(at.addSecs(1)));
}

} // namespace

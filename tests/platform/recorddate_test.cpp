#include "platform/recorddate.h"

#include <gtest/gtest.h>

TEST(DisplayDateFormat, AlwaysGetsAFourDigitYear)
{
    EXPECT_EQ(DeriveDisplayDateFormat("M/d/yy", '/'), "m/d/yyyy");
    EXPECT_EQ(DeriveDisplayDateFormat("dd.MM.yyyy", '.'), "DD.MM.YYYY");
    EXPECT_EQ(DeriveDisplayDateFormat("dd.MM", '.'), "dd.mm.yyyy");
    EXPECT_EQ(DeriveDisplayDateFormat("d/M/y", '/'), "d/m/yyyy");
    EXPECT_EQ(DeriveDisplayDateFormat("yyy-MM-dd", '-'), "yyyy-mm-dd");
    EXPECT_EQ(DeriveDisplayDateFormat("yy/MM/dd", '/'), "yyyy/mm/dd");
}

TEST(DisplayDateFormat, TheSeparatorIsTheFirstCharacterThatIsNotALetter)
{
    EXPECT_EQ(DateSeparatorOf("dd.MM.yy"), '.');
    EXPECT_EQ(DateSeparatorOf("d MMM yyyy"), ' ');
    EXPECT_EQ(DateSeparatorOf("'d.e'd-M"), '-');
    EXPECT_EQ(DateSeparatorOf("ddMMyy"), '/');
}

TEST(DisplayDateFormat, TheUnitedStatesLocaleGivesMonthDayFourDigitYear)
{
    ResetDisplayDateFormat();
    EXPECT_EQ(DisplayDateFormat(), "m/d/yyyy");
    EXPECT_EQ(RecordDateToDisplay("19970428"), "4/28/1997");
}

TEST(RecordDate, ReadsYearMonthAndDayByPosition)
{
    EXPECT_EQ(RecordDateToDate("19970428"), QDate(1997, 4, 28));
    EXPECT_EQ(RecordDateToDate("20001231xyz"), QDate(2000, 12, 31));
    EXPECT_FALSE(RecordDateToDate("19990229").isValid());
    EXPECT_FALSE(RecordDateToDate("1997").isValid());
    EXPECT_FALSE(RecordDateToDate("1997 4 1").isValid());
    EXPECT_FALSE(RecordDateToDate("00000101").isValid());
    EXPECT_FALSE(RecordDateToDate("1997-4-1").isValid());
    EXPECT_EQ(DateToRecordDate(QDate(812, 3, 9)), "08120309");
    EXPECT_EQ(DateToRecordDate(QDate()), "");
}

TEST(RecordDate, UnreadableDatesDisplayAsEmptyText)
{
    for (const char* text : {"", "        ", "1997", "19990229", "19971301", "abcdefgh"})
        EXPECT_EQ(RecordDateToDisplay(text, "m/d/yyyy"), "") << text;
}

TEST(RecordDate, DisplayPatternsReadLettersWithoutRegardToCase)
{
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const QDate date(2004, 3, 7);
    EXPECT_EQ(FormatDisplayDate(date, "DD.MM.YYYY", english), "07.03.2004");
    EXPECT_EQ(FormatDisplayDate(date, "d-mmm-yy", english), "7-Mar-04");
    EXPECT_EQ(FormatDisplayDate(date, "dddd, mmmm d, yyyy", english), "Sunday, March 7, 2004");
    EXPECT_EQ(FormatDisplayDate(date, "yyyy'y'mm'm'", english), "2004y03m");
    EXPECT_EQ(FormatDisplayDate(date, "d \"de\" m", english), "7 de 3");
}

#include "report/reportrecords.h"
#include "session/addresssession.h"
#include "support/fixture_copy.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class ReportRecordsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        session.LastOpenedFile = CopyFixtureTable("small", dir.path(), "book");
        ASSERT_TRUE(session.ReopenFile());
    }

    // The field of every record the report would list, from where it stands.
    QStringList Listed(const char* field)
    {
        QStringList values;
        TableRecords records(session.TableBook);
        for (; !records.AtEnd(); records.Next())
            values << records.Field(field);
        return values;
    }

    QTemporaryDir dir;
    AddressSession session;
};

} // namespace

TEST_F(ReportRecordsTest, NameAndOrganizationReportsStartAtTheFirstKeyFromZero)
{
    ASSERT_TRUE(PositionReportRecords(session.Apollo1, session.TableBook, 1, RunChoice::All, false, 0));
    const QStringList names = Listed("LNAME");
    ASSERT_FALSE(names.isEmpty());
    EXPECT_GE(names.first().toUpper(), "0");
    EXPECT_FALSE(names.contains(""));

    ASSERT_TRUE(PositionReportRecords(session.Apollo1, session.TableBook, 3, RunChoice::All, false, 0));
    const QStringList orgs = Listed("ORG");
    EXPECT_FALSE(orgs.contains("")); // records without an organization are not listed
    EXPECT_TRUE(std::is_sorted(orgs.begin(), orgs.end(),
                               [](const QString& a, const QString& b) { return a.toUpper() < b.toUpper(); }));

    ASSERT_TRUE(PositionReportRecords(session.Apollo1, session.TableBook, 4, RunChoice::All, false, 0));
    EXPECT_GT(Listed("LNAME").size(), names.size()); // the all-fields report starts at the very first
}

TEST_F(ReportRecordsTest, OnlyTheCurrentRecordAndAStartOutsideTheChosenRecords)
{
    session.TableBook.First();
    session.TableBook.Next();
    const long current = session.Apollo1.RecNo();
    ASSERT_TRUE(PositionReportRecords(session.Apollo1, session.TableBook, 4, RunChoice::OnlyCurrent, true, current));
    EXPECT_EQ(Listed("LNAME").size(), 1);

    // A filter that leaves the start record out: false, and the report starts at the top.
    session.Apollo1.Query(QString("Recno()<>%1 .and. !ISDEL").arg(current));
    EXPECT_FALSE(PositionReportRecords(session.Apollo1, session.TableBook, 4, RunChoice::Filter, true, current));
    EXPECT_NE(session.Apollo1.RecNo(), current);
    EXPECT_FALSE(session.TableBook.Eof());
}

TEST_F(ReportRecordsTest, StartFromCurrentFindsTheFirstMiddleAndLastOfTheChosenRecords)
{
    // Every third record is chosen, in the order of report 4.
    session.Apollo1.Query("RECNO()%3=0 .and. !ISDEL");
    ASSERT_TRUE(PositionReportRecords(session.Apollo1, session.TableBook, 4, RunChoice::Filter, false, 0));
    QList<long> chosen;
    for (; !session.TableBook.Eof(); session.TableBook.Next())
        chosen << session.Apollo1.RecNo();
    ASSERT_GE(chosen.size(), 3);
    for (const long recNo : {chosen.first(), chosen[chosen.size() / 2], chosen.last()}) {
        ASSERT_TRUE(GoToChosenRecord(session.Apollo1, session.TableBook, recNo)) << recNo;
        EXPECT_EQ(session.Apollo1.RecNo(), recNo);
        EXPECT_TRUE(PositionReportRecords(session.Apollo1, session.TableBook, 4, RunChoice::Filter, true, recNo))
            << recNo;
        EXPECT_EQ(session.Apollo1.RecNo(), recNo);
    }
    // The last chosen record prints alone.
    ASSERT_TRUE(PositionReportRecords(session.Apollo1, session.TableBook, 4, RunChoice::Filter, true, chosen.last()));
    EXPECT_EQ(Listed("LNAME").size(), 1);
    // A record outside the set is not found, wherever it sorts.
    for (const long outside : {chosen.first() + 1, chosen.last() + 1, chosen.last() - 1})
        EXPECT_FALSE(GoToChosenRecord(session.Apollo1, session.TableBook, outside)) << outside;
    EXPECT_FALSE(
        PositionReportRecords(session.Apollo1, session.TableBook, 4, RunChoice::Filter, true, chosen.first() + 1));
}

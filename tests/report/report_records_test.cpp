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
    ASSERT_TRUE(PositionReportRecords(session.Apollo1, session.TableBook, 1, ReportRecordChoice::All, false, 0));
    const QStringList names = Listed("LNAME");
    ASSERT_FALSE(names.isEmpty());
    EXPECT_GE(names.first().toUpper(), "0");
    EXPECT_FALSE(names.contains(""));

    ASSERT_TRUE(PositionReportRecords(session.Apollo1, session.TableBook, 3, ReportRecordChoice::All, false, 0));
    const QStringList orgs = Listed("ORG");
    EXPECT_FALSE(orgs.contains("")); // records without an organization are not listed
    EXPECT_TRUE(std::is_sorted(orgs.begin(), orgs.end(),
                               [](const QString& a, const QString& b) { return a.toUpper() < b.toUpper(); }));

    ASSERT_TRUE(PositionReportRecords(session.Apollo1, session.TableBook, 4, ReportRecordChoice::All, false, 0));
    EXPECT_GT(Listed("LNAME").size(), names.size()); // the all-fields report starts at the very first
}

TEST_F(ReportRecordsTest, OnlyTheCurrentRecordAndAStartOutsideTheChosenRecords)
{
    session.TableBook.First();
    session.TableBook.Next();
    const long current = session.Apollo1.RecNo();
    ASSERT_TRUE(
        PositionReportRecords(session.Apollo1, session.TableBook, 4, ReportRecordChoice::OnlyCurrent, true, current));
    EXPECT_EQ(Listed("LNAME").size(), 1);

    // A filter that leaves the start record out: false, and the report starts at the top.
    session.Apollo1.Query(QString("Recno()<>%1 .and. !ISDEL").arg(current));
    EXPECT_FALSE(
        PositionReportRecords(session.Apollo1, session.TableBook, 4, ReportRecordChoice::Filter, true, current));
    EXPECT_NE(session.Apollo1.RecNo(), current);
    EXPECT_FALSE(session.TableBook.Eof());
}

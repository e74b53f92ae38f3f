// Labels, reports, export and addrina-print cover the same records for the same choice.
#include "addressfile/runrecords.h"
#include "report/reportrecords.h"
#include "session/addresssession.h"
#include "support/fixture_copy.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class RunRecordsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        session.LastOpenedFile = CopyFixtureTable("small", dir.path(), "book");
        ASSERT_TRUE(session.ReopenFile());
        session.SetCurrentOrder("LNAME"); // the order of report 4
    }

    QList<long> Walk()
    {
        QList<long> recNos;
        for (; !session.TableBook.Eof() && !session.TableBook.IsEmpty(); session.TableBook.Next())
            recNos << session.Apollo1.RecNo();
        return recNos;
    }

    QList<long> Covered(const RunRecords& records, long recNo)
    {
        session.Apollo1.Query(filter);
        start = PositionRunRecords(session.Apollo1, session.TableBook, records, recNo);
        return Walk();
    }

    QTemporaryDir dir;
    AddressSession session;
    QString filter = "RECNO()%3=0 .and. !ISDEL";
    RunStart start = RunStart::First;
};

} // namespace

TEST_F(RunRecordsTest, LabelsAndReportsStartAndRunAlikeForEveryChoice)
{
    const QList<long> chosen = Covered({RunChoice::Filter}, 0);
    ASSERT_GE(chosen.size(), 5);
    // A record marked "DELETED" in its prefix: labels print it, reports leave it out.
    const long marked = chosen[1];
    session.Apollo1.Go(marked);
    session.TableBook.Edit();
    session.TableBook.FieldByName("PREFIX").SetAsString("Deleted");
    session.TableBook.Post();
    QList<long> markedDeleted;
    session.Apollo1.Query(QString());
    for (session.TableBook.First(); !session.TableBook.Eof(); session.TableBook.Next())
        if (session.TableBook.FieldByName("PREFIX").AsString().trimmed().toUpper() == "DELETED")
            markedDeleted << session.Apollo1.RecNo();

    for (const RunChoice choice : {RunChoice::All, RunChoice::Filter, RunChoice::OnlyCurrent}) {
        for (const long recNo : {chosen.first(), chosen[chosen.size() / 2], chosen.last(), chosen.first() + 1}) {
            const QList<long> all = Covered({choice}, recNo);
            const QList<long> labels = Covered({choice, true}, recNo);
            const qsizetype from = all.indexOf(recNo);
            EXPECT_EQ(start, from < 0 ? RunStart::CurrentOutOfRange : RunStart::Current) << recNo;
            EXPECT_EQ(labels, all.mid(std::max<qsizetype>(from, 0))) << recNo;

            session.Apollo1.Query(filter);
            const bool reportFound = PositionReportRecords(session.Apollo1, session.TableBook, 4, choice, true, recNo);
            const QList<long> report = Walk();
            EXPECT_EQ(reportFound, from >= 0) << recNo;
            QList<long> expected = labels;
            if (choice == RunChoice::All)
                expected.removeIf([&](long r) { return markedDeleted.contains(r); });
            EXPECT_EQ(report, expected) << recNo;
        }
    }
    EXPECT_EQ(Covered({RunChoice::Filter, true}, marked), chosen.mid(1)); // the filter keeps it, as labels do
}

TEST_F(RunRecordsTest, AddrinaPrintsAllIsTheProgramsAll)
{
    const qsizetype live = Covered({RunChoice::All}, 0).size();
    session.Apollo1.Query(QString());
    ASSERT_LT(live, session.Apollo1.QueryRecCount()); // the fixture holds deleted records
    const QString book = session.LastOpenedFile;
    session.TableBook.Close(); // addrina-print reads a file the program does not hold

    QProcess tool;
    tool.start(QString(ADDRINA_BIN_DIR) + "/addrina-print",
               {"labels", book, "--template", "5160", "-o", dir.filePath("all.pdf")});
    ASSERT_TRUE(tool.waitForFinished(120000));
    EXPECT_EQ(QString::fromUtf8(tool.readAllStandardOutput()).trimmed(), QString("%1 labels").arg(live));
}

// The import loop on a real address file: what arrives in which field, the "?" count,
// a stop request, the rebuild, and a process killed halfway through.
#include "exchange_test_support.h"

#include "exchange/asciicolumns.h"
#include "exchange/importloop.h"
#include "exchange/importtargets.h"
#include "exchange/importtext.h"
#include "table/opentablefile.h"
#include "table/tfield.h"

#include <QFile>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class AsciiLoop : public ImportTest {
protected:
    void SetUp() override
    {
        ImportTest::SetUp();
        path_ = NewAddressFile();
        ASSERT_TRUE(OpenTableFile(path_, trio_.table));
        targets_ = ImportTargets(trio_.table);
    }
    // Columns matched by label, in column order ("" leaves a column unmatched).
    ImportResult Import(const QByteArray& bytes, const QStringList& labels, bool header = false)
    {
        ImportText text;
        EXPECT_TRUE(text.Load(WriteFile("in.csv", bytes)));
        EXPECT_TRUE(ScanAsciiText(text, targets_, scan_));
        scan_.useHeader = header;
        NameColumns(scan_, targets_);
        for (qsizetype c = 0; c < labels.size(); ++c)
            scan_.columns[static_cast<std::size_t>(c)].matched = labels[c];
        EXPECT_TRUE(DropIndexForImport(trio_.apollo));
        AsciiImportSource source(text, ColumnFields(scan_.columns, targets_), scan_.useHeader);
        const ImportResult result = loop_.Run(source);
        EXPECT_TRUE(RebuildIndexAfterImport(trio_.table, trio_.apollo, [this](int p) { gauge_.append(p); }));
        trio_.table.Close();
        return result;
    }
    ImportTrio trio_;
    QString path_;
    std::vector<TField*> targets_;
    AsciiScan scan_;
    ImportLoop loop_{trio_.table};
    QList<int> gauge_;
};

TEST_F(AsciiLoop, LinesArriveFieldByFieldAndReadBackElsewhere)
{
    const ImportResult result = Import("Smith,\"Main St, Apt 4\",Springfield,Xavier Quentin Zebulon Abernathy-Smythe\n"
                                       "Short,\"\"\n"
                                       "Long,b,c,d,e,f,g\n"
                                       "\n",
                                       {"Last Name", "Address 1", "City", "Middle"});
    EXPECT_EQ(result.end, ImportEnd::Complete);
    EXPECT_EQ(result.imported, 4);
    EXPECT_EQ(ImportCountMessage(result), "Import complete. Imported 4 records.");
    EXPECT_EQ(UnstorableNote(result, "line"), "");
    EXPECT_EQ(CheckWithXbtool(path_), "ok: 26 tags, 4 records");
    // One running total over the 26 tags: the gauge ends full, never goes back.
    ASSERT_FALSE(gauge_.isEmpty());
    EXPECT_EQ(gauge_.last(), 100);
    EXPECT_TRUE(std::is_sorted(gauge_.begin(), gauge_.end()));

    const QJsonArray rows = ReadWithPython(path_);
    ASSERT_EQ(rows.size(), 4);
    const QJsonObject first = rows[0].toObject();
    EXPECT_EQ(first["LNAME"].toString(), "Smith");
    EXPECT_EQ(first["STREET"].toString(), "Main St, Apt 4");
    EXPECT_EQ(first["CITY"].toString(), "Springfield");
    EXPECT_EQ(first["MIDDLE"].toString(), "X"); // width 1
    EXPECT_FALSE(first["ISDEL"].toBool());
    EXPECT_EQ(first["TAG"].toString(), "");
    EXPECT_EQ(first["DATE"].toString(), "");
    EXPECT_EQ(rows[1].toObject()["STREET"].toString(), "");
    EXPECT_EQ(rows[2].toObject()["CITY"].toString(), "c");
    // The trailing empty line is a blank record.
    for (const char* field : {"LNAME", "STREET", "CITY", "MIDDLE"})
        EXPECT_EQ(rows[3].toObject()[field].toString(), "") << field;
}

TEST_F(AsciiLoop, AHeaderLineIsARecordUnlessItNamesTheColumns)
{
    const QByteArray file = "Last Name,City\nMüller,Zürich\n";
    EXPECT_EQ(Import(file, {"Last Name", "City"}, false).imported, 2);
    EXPECT_EQ(ReadWithPython(path_)[0].toObject()["LNAME"].toString(), "Last Name");
    ASSERT_TRUE(OpenTableFile(path_, trio_.table));
    EXPECT_EQ(Import(file, {"Last Name", "City"}, true).imported, 1);
    const QJsonArray rows = ReadWithPython(path_);
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[2].toObject()["LNAME"].toString(), "Müller");
    EXPECT_EQ(rows[2].toObject()["CITY"].toString(), "Zürich");
}

TEST_F(AsciiLoop, CharactersTheFileCannotStoreAreCountedWithTheirLines)
{
    // Windows-1252 text (not UTF-8) arrives as it was; a UTF-8 file's Polish and emoji
    // characters become "?".
    EXPECT_EQ(Import("Jos\xE9,\x80uro\nx,y\n", {"First Name", "City"}).replacedValues, 0);
    EXPECT_EQ(ReadWithPython(path_)[0].toObject()["FNAME"].toString(), "José");
    ASSERT_TRUE(OpenTableFile(path_, trio_.table));
    const ImportResult result = Import("\xEF\xBB\xBFok,fine\n\xC5\x81\xC3\xB3\x64\xC5\xBA,\xF0\x9F\x98\x80!\nok,"
                                       "fine\nZo\xC3\xAB,\xE2\x80\x9Cq\xE2\x80\x9D\n"
                                       "\xE2\x86\x92,x\n",
                                       {"First Name", "City"});
    EXPECT_EQ(result.imported, 5);
    EXPECT_EQ(result.replacedValues, 2);
    EXPECT_EQ(result.replacedAt, QList<long>({2, 5}));
    EXPECT_EQ(UnstorableNote(result, "line"),
              "\r\n\r\n2 records hold characters this address file cannot store, each stored as \"?\" (lines 2, 5).");
    const QJsonArray rows = ReadWithPython(path_);
    ASSERT_EQ(rows.size(), 7);
    EXPECT_EQ(rows[3].toObject()["FNAME"].toString(), "?ód?");
    EXPECT_EQ(rows[3].toObject()["CITY"].toString(), "?!");
    EXPECT_EQ(rows[5].toObject()["FNAME"].toString(), "Zoë");
    EXPECT_EQ(rows[5].toObject()["CITY"].toString(), "“q”");
    EXPECT_EQ(rows[6].toObject()["FNAME"].toString(), "?");
}

TEST_F(AsciiLoop, AStopEndsAfterTheCurrentRecordAndTheIndexIsRebuilt)
{
    QByteArray file;
    for (int i = 0; i < 40; ++i)
        file += "Name" + QByteArray::number(i) + "\n";
    int records = 0;
    loop_.OnProgress = [&](int) {
        if (++records == 12)
            loop_.RequestStop();
    };
    const ImportResult result = Import(file, {"Last Name"});
    EXPECT_EQ(result.end, ImportEnd::Cancelled);
    EXPECT_EQ(result.imported, 12);
    EXPECT_EQ(ImportCountMessage(result), "Import cancelled after importing 12 records.");
    EXPECT_EQ(CheckWithXbtool(path_), "ok: 26 tags, 12 records");
}

// Values the loop is handed as they are: a record with a value for a field that is not
// text is set field by field; text is cut to its field, and a character the file cannot
// store counts even past the field's width.
TEST_F(AsciiLoop, ARecordWithAValueForALogicalFieldIsSetFieldByField)
{
    struct Given : ImportSource {
        std::vector<std::vector<ImportValue>> records;
        std::size_t at = 0;
        long Expected() override { return 0; }
        bool Next(std::vector<ImportValue>& values) override
        {
            if (at == records.size())
                return false;
            values = records[at++];
            return true;
        }
        long Position() const override { return static_cast<long>(at); }
    } source;
    TTable& table = trio_.table;
    source.records = {{{table.FindField("LNAME"), "Plain"}, {table.FindField("MIDDLE"), "Q\u2192"}},
                      {{table.FindField("ISDEL"), "T"}, {table.FindField("LNAME"), "Marked\u2192"}}};
    const ImportResult result = loop_.Run(source);
    table.Close();
    EXPECT_EQ(result.imported, 2);
    EXPECT_EQ(result.replacedAt, QList<long>({1, 2}));
    const QJsonArray rows = ReadWithPython(path_);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].toObject()["MIDDLE"].toString(), "Q");
    EXPECT_FALSE(rows[0].toObject()["ISDEL"].toBool());
    EXPECT_EQ(rows[1].toObject()["LNAME"].toString(), "Marked?");
    EXPECT_TRUE(rows[1].toObject()["ISDEL"].toBool());
}

// Where a child process importing 5,000 lines kills itself.
enum class KillPoint { HalfwayThroughAppends, HalfwayThroughRebuild };

class KilledImport : public AsciiLoop {
protected:
    void ImportAndDie(KillPoint at)
    {
        QByteArray file;
        for (int i = 0; i < kLines; ++i)
            file += "Last" + QByteArray::number(i) + ",First" + QByteArray::number(i) + ",City\n";
        const QString csv = WriteFile("big.csv", file);
        trio_.table.Close();
        const pid_t child = fork();
        if (child == 0) {
            ImportTrio trio;
            if (!OpenTableFile(path_, trio.table) || !DropIndexForImport(trio.apollo))
                _exit(2);
            ImportText text;
            text.Load(csv);
            const auto targets = ImportTargets(trio.table);
            AsciiImportSource source(text, {targets[0], targets[1], targets[8]}, false);
            ImportLoop loop(trio.table);
            const auto dieHalfway = [](int percent) {
                if (percent >= 50)
                    raise(SIGKILL);
            };
            if (at == KillPoint::HalfwayThroughAppends)
                loop.OnProgress = dieHalfway;
            loop.Run(source);
            RebuildIndexAfterImport(trio.table, trio.apollo, dieHalfway);
            _exit(3);
        }
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << WEXITSTATUS(status);
    }

    // Every record the file holds is whole and in line order.
    void ExpectWholeRecords(long count)
    {
        const QJsonArray rows = ReadWithPython(path_);
        ASSERT_EQ(rows.size(), count);
        for (int i = 0; i < rows.size(); ++i) {
            const QJsonObject row = rows[i].toObject();
            ASSERT_EQ(row["LNAME"].toString(), "Last" + QString::number(i));
            ASSERT_EQ(row["FNAME"].toString(), "First" + QString::number(i));
            ASSERT_EQ(row["CITY"].toString(), "City");
        }
    }

    static constexpr int kLines = 5000;
};

// Killed among the appends: the file opens with whole records and no index, so that
// the next open offers the rebuild.
TEST_F(KilledImport, AmongTheAppendsLeavesAFileThatOpensWithWholeRecords)
{
    ImportAndDie(KillPoint::HalfwayThroughAppends);
    EXPECT_FALSE(QFile::exists(dir_.File("ADDR.CDX")) || QFile::exists(dir_.File("ADDR.cdx")));
    ASSERT_TRUE(OpenTableFile(path_, trio_.table));
    EXPECT_EQ(trio_.apollo.TagArea("LNAME"), 0); // the main window's check asks to rebuild
    const long count = trio_.apollo.RecCount();
    // Appends are written in batches of 256 KB (about 470 records here).
    EXPECT_GE(count, 2000);
    EXPECT_LE(count, 2500);
    trio_.table.Close();
    ExpectWholeRecords(count);
}

// Killed while the tags are built: every record is whole, and the index the build had
// not finished holds no tags (or, once it had written pages, carries the engine's
// out-of-date mark), so the next open asks to rebuild it.
TEST_F(KilledImport, DuringTheRebuildLeavesWholeRecordsAndAnIndexToRebuild)
{
    ImportAndDie(KillPoint::HalfwayThroughRebuild);
    ExpectWholeRecords(kLines);
    ASSERT_TRUE(OpenTableFile(path_, trio_.table));
    EXPECT_EQ(trio_.apollo.TagArea("LNAME"), 0);
    EXPECT_EQ(trio_.apollo.RecCount(), kLines);
}

} // namespace

// Copying the selection to the comma-delimited text file and to a new DBF table, read back
// byte for byte and through Debian's independent DBF reader.
#include "export_test_support.h"

#include "exchange/copyoutdbf.h"
#include "exchange/exportcopy.h"
#include "support/file_size_limit.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

CopyOutcome CopyText(ExportBook& book, const QString& path)
{
    ExportWalk walk(book.table, book.apollo);
    return CopyToTextFile(walk, book.table, CopyOutKind::Ascii, path);
}

CopyOutcome CopyDbf(ExportBook& book, TTable& target, const QString& path, ExportWalk* withHooks = nullptr)
{
    ExportWalk walk(book.table, book.apollo);
    return CopyToDbf(withHooks ? *withHooks : walk, book.table, book.apollo, target, path);
}

// The records of a DBF file as Python's dbf module reads them.
QJsonArray DbfRecords(const QString& path)
{
    const QString script = QStringLiteral("import dbf, json, sys\n"
                                          "t = dbf.Table(sys.argv[1]); t.open(dbf.READ_ONLY)\n"
                                          "rows = [{f.upper(): (r[f] if isinstance(r[f], bool) else "
                                          "str(r[f]).rstrip()) for f in t.field_names} for r in t]\n"
                                          "print(json.dumps({'fields': t.field_names, 'rows': rows}))\n");
    bool ok = false;
    const QString out = RunPython(script, {path}, &ok);
    EXPECT_TRUE(ok) << out.toStdString();
    const QJsonObject result = QJsonDocument::fromJson(out.toUtf8()).object();
    EXPECT_EQ(result.value(QStringLiteral("fields")).toArray().size(), 22);
    return result.value(QStringLiteral("rows")).toArray();
}

TEST(ExportTextCopy, WritesTwentyQuotedValuesWithInnerQuotesAsTheyStand)
{
    ExportBook book;
    book.Add({{"PREFIX", "Dr."},
              {"FNAME", "Ann"},
              {"MIDDLE", "B"},
              {"LNAME", "Lee"},
              {"TITLE", "Chief"},
              {"ORG", "Acme, Inc."},
              {"STREET", "1 Main St"},
              {"STREET2", "Suite 5"},
              {"CITY", "Boston"},
              {"STATE", "MA"},
              {"ZIP", "02134"},
              {"COUNTRY", "USA"},
              {"PHONE", "555-1"},
              {"PHONE2", "555-2"},
              {"EMAIL", "ann@x.org"},
              {"WEBPAGE", "x.org"},
              {"FAX", "555-3"},
              {"DATE", "19970428"},
              {"COMMENTS", "He said \"hi\""},
              {"CODES", "AB"},
              {"TAG", "VJY355E"}});
    const QString target = book.File("COPY.TXT");

    const CopyOutcome done = CopyText(book, target);

    EXPECT_FALSE(done.failed);
    EXPECT_EQ(done.copied, 1);
    EXPECT_TRUE(done.message.isEmpty());
    EXPECT_EQ(ReadAll(target),
              "\"Dr.\",\"Ann\",\"B\",\"Lee\",\"Chief\",\"Acme, Inc.\",\"1 Main St\",\"Suite 5\",\"Boston\",\"MA\","
              "\"02134\",\"USA\",\"555-1\",\"555-2\",\"ann@x.org\",\"x.org\",\"555-3\",\"19970428\","
              "\"He said \"hi\"\",\"AB\"\r\n");
}

TEST(ExportTextCopy, AccentsStayInTheAddressFilesCodePageAndEmptyFieldsStayQuoted)
{
    ExportBook book;
    book.Add({{"LNAME", QStringLiteral("Müller")}, {"CITY", QStringLiteral("Zürich")}});

    CopyText(book, book.File("copy.txt"));

    EXPECT_EQ(ReadAll(book.File("copy.txt")),
              "\"\",\"\",\"\",\"M\xFCller\",\"\",\"\",\"\",\"\",\"Z\xFCrich\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\","
              "\"\",\"\",\"\"\r\n");
}

TEST(ExportTextCopy, ThreeOfAHundredUnderAFilterInTheCurrentOrder)
{
    ExportBook book;
    book.AddNumbered(100);
    book.Filter(
        QStringLiteral("UPPER(LNAME)=\"PERSON 01\" .and. UPPER(CITY)=\"BOSTON\" .and. UPPER(LNAME)<\"PERSON 016\""));
    book.OrderBy(QStringLiteral("FNAME")); // first names count down: the reverse of record order
    const QString target = book.File("three.txt");

    const CopyOutcome done = CopyText(book, target);

    EXPECT_EQ(done.copied, 3);
    const QList<QByteArray> lines = ReadAll(target).split('\n');
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(lines[0].startsWith("\"\",\"F085\",\"\",\"Person 015\""));
    EXPECT_TRUE(lines[1].startsWith("\"\",\"F087\",\"\",\"Person 013\""));
    EXPECT_TRUE(lines[2].startsWith("\"\",\"F089\",\"\",\"Person 011\""));
    EXPECT_TRUE(lines[3].isEmpty());
}

TEST(ExportTextCopy, AFullDiskIsReportedAndWhatWasWrittenStays)
{
    ExportBook book;
    book.AddNumbered(100);
    const QString target = book.File("full.txt");
    CopyOutcome done;
    {
        FileSizeLimit limit(2000);
        done = CopyText(book, target);
    }
    EXPECT_TRUE(done.failed);
    EXPECT_EQ(done.message,
              "Error copying to " + target + " - the disk is full.\r\n\r\nThe system said: File too large");
    EXPECT_LE(ReadAll(target).size(), 2000);
}

TEST(ExportDbfCopy, FortyFiveRecordsReachTheDiskInGroupsAndTheCopyHasNoIndex)
{
    if (!PythonHas("dbf"))
        GTEST_SKIP() << "python3-dbf is not installed";
    ExportBook book;
    book.AddNumbered(45);
    book.table.First();
    book.table.Edit();
    book.table.FieldByName("TAG").SetAsString("VJY355E");
    book.table.FieldByName("COMMENTS").SetAsString(QStringLiteral("Grüße, \"friends\""));
    book.table.Post();
    const QString target = book.File("COPY.DBF");
    QFile staleIndex(book.File("COPY.cdx"));
    ASSERT_TRUE(staleIndex.open(QIODevice::WriteOnly));
    staleIndex.close();

    // The records already copied are on disk whenever the walk passes a group of 20.
    ExportWalk walk(book.table, book.apollo);
    QList<long> onDiskAtGroupEnds;
    walk.gauge = [&](int) {
        const long count = DbfRecordsOnDisk(target);
        if (count == 20 || count == 40)
            onDiskAtGroupEnds << count;
    };
    TTable Table1;
    const CopyOutcome done = CopyDbf(book, Table1, target, &walk);

    EXPECT_FALSE(done.failed) << done.message.toStdString();
    EXPECT_EQ(done.copied, 45);
    EXPECT_TRUE(onDiskAtGroupEnds.contains(20) && onDiskAtGroupEnds.contains(40));
    EXPECT_FALSE(Table1.Active());
    EXPECT_FALSE(QFile::exists(book.File("COPY.cdx")));
    EXPECT_FALSE(QFile::exists(book.File("COPY.CDX")));
    const QJsonArray rows = DbfRecords(target);
    ASSERT_EQ(rows.size(), 45);
    EXPECT_EQ(rows[0].toObject().value("LNAME").toString(), "Person 001");
    EXPECT_EQ(rows[0].toObject().value("COMMENTS").toString(), QStringLiteral("Grüße, \"friends\""));
    EXPECT_EQ(rows[0].toObject().value("TAG").toString(), "");
    EXPECT_EQ(rows[44].toObject().value("LNAME").toString(), "Person 045");
    EXPECT_EQ(rows[44].toObject().value("FNAME").toString(), "F000");
    for (const QJsonValue& row : rows)
        EXPECT_FALSE(row.toObject().value("ISDEL").toBool());
}

TEST(ExportDbfCopy, ThreeOfAHundredUnderAFilterInTheCurrentOrder)
{
    if (!PythonHas("dbf"))
        GTEST_SKIP() << "python3-dbf is not installed";
    ExportBook book;
    book.AddNumbered(100);
    book.Filter(
        QStringLiteral("UPPER(LNAME)=\"PERSON 05\" .and. UPPER(CITY)=\"DENVER\" .and. UPPER(LNAME)<\"PERSON 056\""));
    book.OrderBy(QStringLiteral("FNAME"));
    TTable Table1;

    EXPECT_EQ(CopyDbf(book, Table1, book.File("three.dbf")).copied, 3);

    const QJsonArray rows = DbfRecords(book.File("three.dbf"));
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0].toObject().value("LNAME").toString(), "Person 054");
    EXPECT_EQ(rows[1].toObject().value("LNAME").toString(), "Person 052");
    EXPECT_EQ(rows[2].toObject().value("LNAME").toString(), "Person 050");
}

// Records are laid out whole, each value as AssignStored takes it: the blanks and zero
// bytes that end a stored value become blanks.
TEST(ExportDbfCopy, ZeroBytesEndingAValueBecomeBlanks)
{
    ExportBook book;
    book.Add({{"LNAME", QStringLiteral("Ann") + QChar(0) + QChar(0)}, {"CITY", QStringLiteral("Oslo")}});
    TTable Table1;
    ASSERT_EQ(CopyDbf(book, Table1, book.File("ZERO.DBF")).copied, 1);
    const QByteArray bytes = ReadAll(book.File("ZERO.DBF"));
    const auto headerSize = static_cast<unsigned char>(bytes[8]) | static_cast<unsigned char>(bytes[9]) << 8;
    EXPECT_EQ(bytes.mid(headerSize, 31), " Ann" + QByteArray(27, ' '));
}

TEST(ExportDbfCopy, AFullDiskIsReportedAndThePartialTableStaysReadable)
{
    ExportBook book;
    book.AddNumbered(100);
    const QString target = book.File("full.dbf");
    TTable Table1;
    CopyOutcome done;
    {
        FileSizeLimit limit(20000);
        done = CopyDbf(book, Table1, target);
    }
    EXPECT_TRUE(done.failed);
    EXPECT_TRUE(done.message.startsWith("Error copying to " + target + " - the disk is full."))
        << done.message.toStdString();
    EXPECT_TRUE(done.message.endsWith(target + ": File too large")) << done.message.toStdString();
    EXPECT_LT(done.copied, 100);
    EXPECT_FALSE(Table1.Active());
    EXPECT_EQ(DbfRecordsOnDisk(target), done.copied);
}

} // namespace

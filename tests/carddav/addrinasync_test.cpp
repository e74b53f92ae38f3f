// addrina-sync with 5,000 contacts: up from one address file, down into an empty one, read
// back field by field by an independent DBF reader.
#include "carddav_test_support.h"
#include "exchange/exportfields.h"
#include "table/opentablefile.h"

#include <QFile>
#include <QProcess>

namespace {

struct ToolRun {
    int exitCode = -1;
    QString out;
};

// Every field of every live record, one line each, sorted: what python's dbfread sees.
QString ReadWithDbfread(const QString& path)
{
    static const char script[] = R"(
import sys, dbfread
rows = []
for r in dbfread.DBF(sys.argv[1], encoding='cp1252'):
    if not r['ISDEL']:
        rows.append('|'.join(str(v).strip() for k, v in r.items() if k not in ('ISDEL', 'TAG')))
print('\n'.join(sorted(rows)))
)";
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QString::fromLatin1(script), path});
    python.waitForFinished(60000);
    return QString::fromUtf8(python.readAllStandardOutput() + python.readAllStandardError());
}

} // namespace

class AddrinaSyncTest : public CardDavTest {
protected:
    ToolRun RunTool(const QStringList& args)
    {
        QProcess process;
        process.start(QStringLiteral(ADDRINA_BIN_DIR "/addrina-sync"), args);
        process.waitForFinished(-1);
        return {process.exitCode(),
                QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError())};
    }

    QString PasswordFile()
    {
        const QString path = dir_.File(QStringLiteral("password"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("secret\n");
        return path;
    }

    void FillRecords(const QString& path, int count)
    {
        BookTrio book;
        ASSERT_TRUE(OpenTableFile(path, book.table));
        ExportFieldSet fields(book.table);
        book.table.SetBatchInserts(true);
        for (int n = 1; n <= count; ++n) {
            book.table.Append();
            for (int i = 0; i < ExportFieldCount; ++i)
                fields[i].SetAsString(QStringLiteral("%1 %2; Ä,\\ %3").arg(ExportFieldNames()[i]).arg(n).arg(i));
            fields[ExMiddle].SetAsString(QString(QChar(u'A' + n % 26)));
            fields[ExDate].SetAsString(
                QStringLiteral("2024%1%2").arg(n % 12 + 1, 2, 10, QChar(u'0')).arg(n % 28 + 1, 2, 10, QChar(u'0')));
            book.table.FieldByName(QStringLiteral("ISDEL")).SetAsBoolean(false);
            book.table.Post();
        }
        book.table.SetBatchInserts(false);
    }
};

TEST_F(AddrinaSyncTest, FiveThousandContactsGoUpAndComeBackFieldByField)
{
    const QString a = NewFile(QStringLiteral("A"));
    const QString b = NewFile(QStringLiteral("B"));
    FillRecords(a, 5000);
    const QString password = PasswordFile();
    const QStringList setup{QStringLiteral("--server"),        server_.Url(),
                            QStringLiteral("--user"),          QStringLiteral("ann"),
                            QStringLiteral("--password-file"), password};
    EXPECT_EQ(RunTool(QStringList{a, QStringLiteral("--first"), QStringLiteral("local")} + setup).out,
              QStringLiteral("0 in, 5000 out, 0 deleted, 0 conflicts\n"));
    EXPECT_EQ(server_.StoredCardNames().size(), 5000);
    EXPECT_EQ(RunTool(QStringList{b} + setup).out, QStringLiteral("5000 in, 0 out, 0 deleted, 0 conflicts\n"));
    const QString fromA = ReadWithDbfread(a);
    EXPECT_EQ(fromA.count(u'\n'), 5000);
    EXPECT_TRUE(ReadWithDbfread(b) == fromA);

    // Later runs take the server from the file's state; the password from the environment.
    Change(b, 17, QStringLiteral("CITY"), QStringLiteral("Elsewhere"));
    SoftDelete(b, 18);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ADDRINA_CARDDAV_PASSWORD"), QStringLiteral("secret"));
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(ADDRINA_BIN_DIR "/addrina-sync"), {b});
    process.waitForFinished(-1);
    EXPECT_EQ(process.readAllStandardOutput(), "0 in, 1 out, 1 deleted, 0 conflicts\n");
    EXPECT_EQ(RunTool({a, QStringLiteral("--password-file"), password}).out,
              QStringLiteral("1 in, 0 out, 1 deleted, 0 conflicts\n"));
    EXPECT_TRUE(ReadWithDbfread(b) == ReadWithDbfread(a));

    const ToolRun noPassword = RunTool({a});
    EXPECT_EQ(noPassword.exitCode, 1);
    EXPECT_TRUE(noPassword.out.contains(QLatin1String("no password for ann@127.0.0.1")))
        << noPassword.out.toStdString();
    const ToolRun wrong = RunTool({a, QStringLiteral("--first"), QStringLiteral("sideways")});
    EXPECT_EQ(wrong.exitCode, 2);
    EXPECT_TRUE(wrong.out.contains(QLatin1String("--first takes merge, server or local")));
    const ToolRun unset = RunTool({NewFile(QStringLiteral("C")), QStringLiteral("--password-file"), password});
    EXPECT_EQ(unset.exitCode, 2) << unset.out.toStdString();
}

// Writes through the table component to a file whose index another program built
// in bulk, its leaves packed to the last bytes: the index on disk stays sound and
// holds what a fresh rebuild holds.
#include "table_test_support.h"

#include "table/opentablefile.h"

#include <QFile>
#include <QProcess>
#include <random>

namespace {

struct ToolRun {
    int status;
    QString out;
};

ToolRun Xbtool(const QStringList& args)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral(ADDRINA_BIN_DIR "/xbtool"), args);
    p.waitForFinished(300000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAll())};
}

class ForeignIndexTest : public TableTest {
protected:
    // xbtool check passes on the closed files, and the tags read as in a rebuilt copy.
    void ExpectSoundAndAsRebuilt(const QString& dbf)
    {
        const ToolRun check = Xbtool({"check", dbf});
        ASSERT_EQ(check.status, 0) << qPrintable(check.out);
        const QString copy = dir_.filePath("rebuilt.dbf");
        QFile::remove(copy);
        QFile::remove(dir_.filePath("rebuilt.cdx"));
        ASSERT_TRUE(QFile::copy(dbf, copy));
        ASSERT_TRUE(QFile::copy(QString(dbf).replace(".dbf", ".cdx"), dir_.filePath("rebuilt.cdx")));
        ASSERT_EQ(Xbtool({"reindex", copy}).status, 0);
        for (const char* tag : {"NAME", "LNAME", "FNAME", "CITY", "ZIP", "EMAIL", "DELETED", "ISDEL"})
            ASSERT_EQ(Xbtool({"keys", dbf, tag}).out, Xbtool({"keys", copy, tag}).out) << tag;
    }
};

TEST_F(ForeignIndexTest, OneEditAndOneAppendKeepTheIndexSound)
{
    const QString dbf = CopyFixture("bulk3k");
    {
        TTable table;
        ASSERT_TRUE(OpenTableFile(dbf, table));
        table.GotoRecord(77);
        table.Edit();
        table.FieldByName("LNAME").SetAsString("Changed77");
        table.Post();
        table.Append();
        table.FieldByName("LNAME").SetAsString("Delgado");
        table.FieldByName("FNAME").SetAsString("Mary Ann");
        table.Post();
        table.Close();
    }
    ExpectSoundAndAsRebuilt(dbf);
    EXPECT_EQ(Xbtool({"eval", dbf, "3001", "FNAME"}).out.trimmed(), "Mary Ann");
}

TEST_F(ForeignIndexTest, ThousandsOfRandomWritesKeepTheIndexSound)
{
    const QString dbf = CopyFixture("bulk3k");
    std::mt19937 rng(4242u);
    const QStringList words = {"Delgado", "DELGADO", "Dempsey", "Mary Ann", "Jo", "van Dyke", "", "Z", "M\u00fcller"};
    auto randomText = [&] {
        QString s = words[int(rng() % unsigned(words.size()))];
        return rng() % 2 ? s + QString::number(rng() % 10000) : s;
    };
    // A page written wrongly is right again once a later change rewrites it, so the
    // files are checked often.
    const int rounds = 15;
    for (int round = 0; round < rounds && !HasFatalFailure(); ++round) {
        {
            Trio t;
            // Shared use writes every change at once, exclusive use at the commits;
            // the last round packs, which takes exclusive use.
            t.table.SetExclusive(round % 2 == 0);
            ASSERT_TRUE(OpenTableFile(dbf, t.table));
            const auto& fields = t.table.Fields();
            for (int i = 0; i < 100; ++i) {
                const unsigned op = rng() % 100;
                if (op < 25) {
                    t.table.Append();
                } else {
                    t.table.GotoRecord(long(rng() % unsigned(t.apollo.RecCount())) + 1);
                    if (op < 40) {
                        t.table.Delete();
                        continue;
                    }
                    if (op == 40 && round == rounds - 1) {
                        t.apollo.Pack();
                        continue;
                    }
                    t.table.Edit();
                }
                // The names (the longest keys, in the fullest pages) and two fields more.
                for (int f = 0; f < 4; ++f) {
                    TField* field = fields[f < 2 ? rng() % 2 : rng() % fields.size()];
                    if (field->DataType() == TFieldType::Boolean)
                        field->SetAsBoolean(rng() % 2);
                    else if (field->DataType() == TFieldType::String)
                        field->SetAsString(randomText().left(field->Size()));
                }
                t.table.Post();
            }
            t.table.Close();
        }
        ExpectSoundAndAsRebuilt(dbf);
    }
}

} // namespace

// Two-way sync of address files with a private radicale, checked from both sides.
#include "carddav/davclient.h"
#include "carddav/syncstate.h"
#include "carddav_test_support.h"
#include "table/opentablefile.h"

#include <QUrl>

namespace {

const QString kLast = QStringLiteral("LNAME");

QStringList Values(const std::map<long, QString>& column)
{
    QStringList values;
    for (const auto& [recNo, value] : column)
        values << value;
    return values;
}

} // namespace

TEST_F(CardDavTest, RecordsGoUpAndComeDownIntoAnEmptyFile)
{
    const QString a = NewFile(QStringLiteral("A"));
    AddRecords(a, {QStringLiteral("Adams"), QStringLiteral("Böhm, Jr."), QStringLiteral("Carter")});
    SyncOutcome up = Sync(a);
    ASSERT_TRUE(up.error.isEmpty()) << up.error.toStdString();
    EXPECT_EQ(up.Summary(), QStringLiteral("0 in, 3 out, 0 deleted, 0 conflicts"));
    EXPECT_EQ(server_.StoredCardNames().size(), 3);
    EXPECT_TRUE(StoredCardOf(QStringLiteral("Böhm\\, Jr.")).contains("FN:FBöhm\\, Jr. Böhm\\, Jr."));
    EXPECT_TRUE(StoredCardOf(QStringLiteral("Adams")).contains("\nUID:"));

    const QString b = NewFile(QStringLiteral("B"));
    SyncOutcome down = Sync(b);
    EXPECT_EQ(down.Summary(), QStringLiteral("3 in, 0 out, 0 deleted, 0 conflicts"));
    QStringList names = Values(Column(b, kLast));
    names.sort();
    EXPECT_EQ(names, Values(Column(a, kLast)));
    EXPECT_EQ(Sync(a).Summary(), QStringLiteral("0 in, 0 out, 0 deleted, 0 conflicts"));
    // Nothing changed: one request says so.
    const int before = server_.RequestsSeen();
    EXPECT_EQ(Sync(b).Summary(), QStringLiteral("0 in, 0 out, 0 deleted, 0 conflicts"));
    EXPECT_EQ(server_.RequestsSeen() - before, 1);
}

TEST_F(CardDavTest, ServerChangesArriveAndLocalChangesKeepTheCardsOtherProperties)
{
    const QString a = NewFile(QStringLiteral("A"));
    AddRecords(a, {QStringLiteral("Adams"), QStringLiteral("Baker"), QStringLiteral("Carter")});
    ASSERT_TRUE(Sync(a).error.isEmpty());
    // Another client: a birthday on Adams (no field holds it), Baker gone, a new card.
    EXPECT_EQ(EditCard(QStringLiteral("Adams"), "END:VCARD", "BDAY:1970-01-02\r\nEND:VCARD"), 201);
    EXPECT_EQ(EditCard(QStringLiteral("Carter"), ";Town;", ";Paris;"), 201);
    for (const QString& name : server_.StoredCardNames()) {
        if (server_.StoredCard(name).contains("N:Baker;")) {
            EXPECT_EQ(server_.Request(QStringLiteral("DELETE"), server_.BookPath() + name).status, 200);
        }
    }
    EXPECT_EQ(server_
                  .Request(QStringLiteral("PUT"), CardPath(QStringLiteral("dora")),
                           "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:dora\r\nN:Dunn;Dora;;;\r\nFN:Dora Dunn\r\n"
                           "EMAIL:dora@example.org\r\nEND:VCARD\r\n",
                           {QStringLiteral("Content-Type: text/vcard")})
                  .status,
              201);
    EXPECT_EQ(Sync(a).Summary(), QStringLiteral("2 in, 0 out, 1 deleted, 0 conflicts"));
    EXPECT_EQ(Values(Column(a, kLast)), QStringList({"Adams", "Baker*", "Carter", "Dunn"}));
    EXPECT_EQ(Column(a, QStringLiteral("CITY"))[3], QStringLiteral("Paris"));
    EXPECT_EQ(Column(a, QStringLiteral("EMAIL"))[4], QStringLiteral("dora@example.org"));

    // Back the other way: a change, a deletion and a new record.
    Change(a, 1, QStringLiteral("CITY"), QStringLiteral("Rome"));
    SoftDelete(a, 3);
    AddRecords(a, {QStringLiteral("Evans")});
    EXPECT_EQ(Sync(a).Summary(), QStringLiteral("0 in, 2 out, 1 deleted, 0 conflicts"));
    const QByteArray adams = StoredCardOf(QStringLiteral("Adams"));
    EXPECT_TRUE(adams.contains(";Rome;")) << adams.toStdString();
    EXPECT_TRUE(adams.contains("BDAY:1970-01-02")) << adams.toStdString();
    EXPECT_TRUE(StoredCardOf(QStringLiteral("Carter")).isEmpty());
    EXPECT_FALSE(StoredCardOf(QStringLiteral("Evans")).isEmpty());
    EXPECT_EQ(server_.StoredCardNames().size(), 3);
}

TEST_F(CardDavTest, ConflictsAreCountedAndSettledAsChosen)
{
    const QString a = NewFile(QStringLiteral("A"));
    AddRecords(a, {QStringLiteral("Adams"), QStringLiteral("Baker")});
    ASSERT_TRUE(Sync(a).error.isEmpty());
    Change(a, 1, QStringLiteral("CITY"), QStringLiteral("Here"));
    Change(a, 2, QStringLiteral("CITY"), QStringLiteral("Here"));
    EXPECT_EQ(EditCard(QStringLiteral("Adams"), ";Town;", ";There;"), 201);
    EXPECT_EQ(EditCard(QStringLiteral("Baker"), ";Town;", ";There;"), 201);
    QStringList seen;
    resolve_ = [&seen](const SyncConflict& c) {
        seen << c.local[ExLast] + u':' + c.local[ExCity] + u'/' + c.server[ExCity];
        return c.local[ExLast] == QLatin1String("Adams") ? ConflictChoice::KeepBoth : ConflictChoice::KeepLocal;
    };
    const SyncOutcome outcome = Sync(a);
    EXPECT_EQ(seen, QStringList({"Adams:Here/There", "Baker:Here/There"}));
    EXPECT_EQ(outcome.Summary(), QStringLiteral("1 in, 2 out, 0 deleted, 2 conflicts"));
    EXPECT_EQ(outcome.conflicted, QStringList({"Adams, FAdams: kept both", "Baker, FBaker: kept this file's"}));
    EXPECT_EQ(Values(Column(a, QStringLiteral("CITY"))), QStringList({"There", "Here", "Here"}));
    EXPECT_EQ(server_.StoredCardNames().size(), 3);
    EXPECT_TRUE(StoredCardOf(QStringLiteral("Baker")).contains(";Here;"));
}

TEST_F(CardDavTest, ACardChangedDuringTheSyncIsAConflictNotOverwritten)
{
    const QString a = NewFile(QStringLiteral("A"));
    AddRecords(a, {QStringLiteral("Adams")});
    ASSERT_TRUE(Sync(a).error.isEmpty());
    Change(a, 1, QStringLiteral("CITY"), QStringLiteral("Here"));
    // Between the listing and the sending: the PUT's If-Match fails with 412.
    const SyncOutcome outcome = Sync(a, FirstSync::Merge, [this](int percent) {
        if (percent == 70)
            EditCard(QStringLiteral("Adams"), ";Town;", ";Meanwhile;");
    });
    EXPECT_EQ(outcome.conflicts, 1);
    EXPECT_EQ(Values(Column(a, QStringLiteral("CITY"))), QStringList({"Meanwhile", "Here"}));
    QStringList cities;
    for (const QString& name : server_.StoredCardNames())
        for (const char* city : {"Here", "Meanwhile"})
            if (server_.StoredCard(name).contains(QByteArray(";") + city + ';'))
                cities << QLatin1String(city);
    cities.sort();
    EXPECT_EQ(cities, QStringList({"Here", "Meanwhile"}));
}

TEST_F(CardDavTest, ASyncCutOffHalfWayResumesWithoutLossOrDoubles)
{
    const QString a = NewFile(QStringLiteral("A"));
    AddRecords(a, {QStringLiteral("Adams"), QStringLiteral("Baker")});
    ASSERT_TRUE(Sync(a).error.isEmpty());
    AddRecords(a, {QStringLiteral("Carter")});
    EXPECT_EQ(server_
                  .Request(QStringLiteral("PUT"), CardPath(QStringLiteral("dora")),
                           "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:dora\r\nN:Dunn;Dora;;;\r\nFN:Dora Dunn\r\nEND:VCARD\r\n",
                           {QStringLiteral("Content-Type: text/vcard")})
                  .status,
              201);
    const SyncOutcome cut = Sync(a, FirstSync::Merge, [this](int percent) {
        if (percent == 70)
            server_.Stop();
    });
    EXPECT_TRUE(cut.error.contains(QLatin1String("cannot reach the server"))) << cut.error.toStdString();
    ASSERT_TRUE(server_.Start());
    const SyncOutcome resumed = Sync(a);
    EXPECT_TRUE(resumed.error.isEmpty()) << resumed.error.toStdString();
    EXPECT_EQ(Values(Column(a, kLast)), QStringList({"Adams", "Baker", "Carter", "Dunn"}));
    EXPECT_EQ(server_.StoredCardNames().size(), 4);
    EXPECT_EQ(Sync(a).Summary(), QStringLiteral("0 in, 0 out, 0 deleted, 0 conflicts"));
}

TEST_F(CardDavTest, FailuresSayWhatIsWrong)
{
    const QString a = NewFile(QStringLiteral("A"));
    AddRecords(a, {QStringLiteral("Adams")});
    SyncOptions wrong;
    wrong.file = a;
    wrong.server = QUrl(server_.Url());
    wrong.user = QStringLiteral("ann");
    wrong.password = QStringLiteral("nope");
    EXPECT_EQ(RunCardDavSync(wrong).error, QStringLiteral("the server refused the user name or password"));
    EXPECT_FALSE(DavClient::RefusedAddress(QUrl(QStringLiteral("http://dav.example.org/"))).isEmpty());
    EXPECT_TRUE(DavClient::RefusedAddress(QUrl(QStringLiteral("http://[::1]:8/"))).isEmpty());

    ASSERT_TRUE(Sync(a).error.isEmpty());
    // A card this program's reader refuses is skipped and named; the rest still syncs.
    EXPECT_EQ(server_
                  .Request(QStringLiteral("PUT"), CardPath(QStringLiteral("odd")),
                           "BEGIN:VCARD\r\nVERSION:5.0\r\nUID:odd\r\nN:Odd;;;;\r\nFN:Odd\r\nEND:VCARD\r\n",
                           {QStringLiteral("Content-Type: text/vcard")})
                  .status,
              201);
    EXPECT_EQ(EditCard(QStringLiteral("Adams"), ";Town;", ";There;"), 201);
    const SyncOutcome skipped = Sync(a);
    EXPECT_EQ(skipped.Summary(), QStringLiteral("1 in, 0 out, 0 deleted, 0 conflicts"));
    EXPECT_EQ(skipped.refused, QStringList(QStringLiteral("card /ann/book/odd.vcf: Line 2: vCard version 5.0 cannot be "
                                                          "read (versions 2.1, 3.0 and 4.0 can).")));

    server_.Request(QStringLiteral("DELETE"), server_.BookPath());
    EXPECT_TRUE(Sync(a).error.contains(QLatin1String("is no longer on the server")));
    server_.Stop();
    EXPECT_TRUE(Sync(a).error.startsWith(QLatin1String("cannot reach the server")));
    {
        BookTrio book;
        ASSERT_TRUE(OpenTableFile(a, book.table));
        book.table.GotoRecord(1);
        book.table.Delete();
        book.apollo.Pack();
    }
    EXPECT_TRUE(Sync(a).error.startsWith(QLatin1String("records were removed for good from")));
}

// A second, independent server: found from its address, changes listed by token, and a
// token it no longer knows (which it answers with 500) listed afresh.
TEST_F(CardDavTest, XandikosServesTheSameSyncAndATokenItForgotIsListedAfresh)
{
    TestCardDavServer other(TestCardDavServer::Kind::Xandikos);
    ASSERT_TRUE(other.Error().isEmpty()) << other.Error().toStdString();
    SyncOptions options;
    options.file = NewFile(QStringLiteral("A"));
    options.server = QUrl(other.Url());
    options.user = QString::fromLatin1(TestCardDavServer::User);
    options.password = QString::fromLatin1(TestCardDavServer::Password);
    AddRecords(options.file, {QStringLiteral("Adams"), QStringLiteral("Baker")});
    EXPECT_EQ(RunCardDavSync(options).Summary(), QStringLiteral("0 in, 2 out, 0 deleted, 0 conflicts"));
    EXPECT_EQ(RunCardDavSync(options).Summary(), QStringLiteral("0 in, 0 out, 0 deleted, 0 conflicts"));

    SyncState state;
    QString why;
    ASSERT_TRUE(state.Load(SyncState::PathFor(options.file), &why));
    EXPECT_EQ(state.collection, QUrl(other.BookUrl()));
    state.token = QStringLiteral("0123456789abcdef0123456789abcdef01234567");
    ASSERT_TRUE(state.Save(SyncState::PathFor(options.file), &why));
    AddRecords(options.file, {QStringLiteral("Carter")});
    const SyncOutcome outcome = RunCardDavSync(options);
    EXPECT_EQ(outcome.error, QString());
    EXPECT_EQ(outcome.Summary(), QStringLiteral("0 in, 1 out, 0 deleted, 0 conflicts"));
    options.file = NewFile(QStringLiteral("B"));
    EXPECT_EQ(RunCardDavSync(options).Summary(), QStringLiteral("3 in, 0 out, 0 deleted, 0 conflicts"));
}

#include "carddav_test_support.h"

#include "addressfile/createaddressfile.h"
#include "table/opentablefile.h"

QString CardDavTest::NewFile(const QString& name)
{
    const QString path = dir_.File(name + QStringLiteral(".DBF"));
    BookTrio create;
    EXPECT_TRUE(CreateAddressFile(path, create.table, create.apollo));
    return path;
}

void CardDavTest::AddRecords(const QString& path, const QStringList& lastNames)
{
    BookTrio book;
    ASSERT_TRUE(OpenTableFile(path, book.table));
    book.table.SetBatchInserts(true);
    for (const QString& last : lastNames) {
        book.table.Append();
        book.table.FieldByName(QStringLiteral("LNAME")).SetAsString(last);
        book.table.FieldByName(QStringLiteral("FNAME")).SetAsString(QStringLiteral("F") + last);
        book.table.FieldByName(QStringLiteral("CITY")).SetAsString(QStringLiteral("Town"));
        book.table.FieldByName(QStringLiteral("ISDEL")).SetAsBoolean(false);
        book.table.Post();
    }
    book.table.SetBatchInserts(false);
}

void CardDavTest::Change(const QString& path, long recNo, const QString& field, const QString& value)
{
    BookTrio book;
    ASSERT_TRUE(OpenTableFile(path, book.table));
    book.table.GotoRecord(recNo);
    book.table.Edit();
    book.table.FieldByName(field).SetAsString(value);
    book.table.Post();
}

void CardDavTest::SoftDelete(const QString& path, long recNo)
{
    Change(path, recNo, QStringLiteral("ISDEL"), QStringLiteral("T"));
}

std::map<long, QString> CardDavTest::Column(const QString& path, const QString& field)
{
    std::map<long, QString> column;
    BookTrio book;
    EXPECT_TRUE(OpenTableFile(path, book.table));
    for (book.table.First(); !book.table.Eof(); book.table.Next())
        column[book.table.CurrentRecNo()] = book.table.FieldByName(field).AsString() +
                                            (book.table.FieldByName(QStringLiteral("ISDEL")).AsBoolean() ? "*" : "");
    return column;
}

SyncOutcome CardDavTest::Sync(const QString& path, FirstSync first, std::function<void(int)> progress)
{
    SyncOptions options;
    options.file = path;
    options.server = QUrl(server_.Url());
    options.user = QString::fromLatin1(TestCardDavServer::User);
    options.password = QString::fromLatin1(TestCardDavServer::Password);
    options.first = first;
    options.resolve = resolve_;
    options.progress = std::move(progress);
    return RunCardDavSync(options);
}

QByteArray CardDavTest::StoredCardOf(const QString& lastName) const
{
    for (const QString& name : server_.StoredCardNames()) {
        const QByteArray card = server_.StoredCard(name);
        if (card.contains("\nN:" + lastName.toUtf8() + ';'))
            return card;
    }
    return {};
}

int CardDavTest::EditCard(const QString& lastName, const QByteArray& from, const QByteArray& to)
{
    for (const QString& name : server_.StoredCardNames()) {
        QByteArray card = server_.StoredCard(name);
        if (!card.contains("\nN:" + lastName.toUtf8() + ';'))
            continue;
        const QString path = server_.BookPath() + name;
        TestCardDavServer::Response before = server_.Request(QStringLiteral("GET"), path);
        return server_
            .Request(QStringLiteral("PUT"), path, before.body.replace(from, to),
                     {QStringLiteral("Content-Type: text/vcard"), QStringLiteral("If-Match: ") + before.etag})
            .status;
    }
    return 0;
}

#pragma once
// A private CardDAV server and address files in a temporary program directory, with
// plain readers and writers of the files' records, for the sync's tests.

#include "addressfile/addressfile_test_support.h"
#include "carddav/cardsync.h"
#include "support/carddav_server.h"

#include <map>

class CardDavTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server_.Error().isEmpty()) << server_.Error().toStdString(); }

    // A new, empty address file.
    QString NewFile(const QString& name);
    // Appends records with these last names (first name "F" + last name, city "Town").
    void AddRecords(const QString& path, const QStringList& lastNames);
    // Sets a field of the record, or its soft deletion.
    void Change(const QString& path, long recNo, const QString& field, const QString& value);
    void SoftDelete(const QString& path, long recNo);
    // Record number -> the field's value, for every record; deleted records are marked "*".
    std::map<long, QString> Column(const QString& path, const QString& field);

    SyncOutcome Sync(const QString& path, FirstSync first = FirstSync::Merge, std::function<void(int)> progress = {});

    // Server side, as another client: a card by its path.
    QString CardPath(const QString& uid) const { return server_.BookPath() + uid + QStringLiteral(".vcf"); }
    // The card of the record's last name as stored by the server, from the storage files.
    QByteArray StoredCardOf(const QString& lastName) const;
    // Changes the card: replaces the text `from` by `to` and PUTs it back with its ETag.
    int EditCard(const QString& lastName, const QByteArray& from, const QByteArray& to);

    TestCardDavServer server_;
    TempProgramDirectory dir_;
    ScriptedMessages messages_;
    TApolloEnv env_;
    std::function<ConflictChoice(const SyncConflict&)> resolve_;
};

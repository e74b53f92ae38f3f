#pragma once
// What the last sync left, kept beside the address file in "<file>.carddav" so the file's
// own format stays as it is: the server, the address book, its sync token, and for each
// paired record its card's address, UID, ETag and a hash of the values last synced.
// Written whole to a temporary file that then replaces the old one, so a sync stopped at
// any point leaves the last complete state.
//
// An entry without an ETag is unconfirmed: its card was being sent, or its record being
// written, when the sync stopped; the next sync finds out which side has it.

#include <QByteArray>
#include <QString>
#include <QUrl>
#include <map>

struct SyncEntry {
    QString href; // the card's path on the server
    QString uid;
    QByteArray etag;
    QByteArray hash; // of the record's values as last synced
};

struct SyncState {
    QUrl server; // what the user typed, for a new discovery
    QString user;
    QUrl collection;                   // the address book
    QString token;                     // sync-collection's token; empty before the first sync or without support
    long records = 0;                  // the file's record count after the last sync
    bool syncOnOpen = false;           // the program syncs when it opens the file
    std::map<long, SyncEntry> entries; // by record number

    static QString PathFor(const QString& addressFile) { return addressFile + QStringLiteral(".carddav"); }
    // False (and why) when the file exists but cannot be read; a missing file is an empty state.
    bool Load(const QString& path, QString* error);
    bool Save(const QString& path, QString* error) const;
};

#pragma once
// Two-way sync of one address file with one CardDAV address book. New and changed cards
// come in as records, new and changed records go out as cards, deletions travel both
// ways (a card gone soft-deletes its record), and a contact changed on both sides is a
// conflict that is never settled silently: the caller chooses, and the count says so.
// The state beside the file (SyncState) is written after every step, so a sync stopped
// anywhere resumes on the next run without losing or doubling anything.
//
//   SyncOptions options;
//   options.file = "/data/add0001.DBF";
//   options.password = password;           // server, user and book from the file's state
//   SyncOutcome outcome = RunCardDavSync(options);
//   print(outcome.error.isEmpty() ? outcome.Summary() : outcome.error);

#include "exchange/exportfields.h"

#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>

// The first sync of a file: merge both sides (identical contacts paired), make the file
// the address book's copy (its other records soft-deleted), or the address book the
// file's (its other cards deleted).
enum class FirstSync { Merge, Server, Local };

enum class ConflictChoice { KeepServer, KeepLocal, KeepBoth };

struct SyncConflict {
    long recNo = 0;
    QString href;
    ExportValues local;
    ExportValues server;
};

struct SyncOptions {
    QString file;
    // For the first sync; later ones take them from the file's state unless given again.
    QUrl server; // a server's address (the address books are found) or an address book's
    QString user;
    QString password;
    QUrl collection; // the address book chosen from those discovered, when known
    FirstSync first = FirstSync::Merge;
    // Settles a conflict; without it both are kept (the server's card in the record, the
    // local values as a new record).
    std::function<ConflictChoice(const SyncConflict&)> resolve;
    std::function<void(int percent)> progress;
};

struct SyncOutcome {
    int in = 0, out = 0, deleted = 0, conflicts = 0;
    QStringList refused;    // "card /ann/book/x.vcf: why", skipped while the rest synced
    QStringList conflicted; // "Smith, John: kept both"
    QString error;          // the sync could not finish; what it did so far stays done

    // "12 in, 3 out, 1 deleted, 0 conflicts"
    QString Summary() const;
};

SyncOutcome RunCardDavSync(const SyncOptions& options);

// A record's name for lists: "Last, First", or the organization.
QString RecordName(const ExportValues& values);

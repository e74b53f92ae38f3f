#pragma once
// An import from start to end, without any window: the address file's index is dropped,
// the source's records are appended, the index is built anew, and the outcome says what
// happened, with the system's own words for whatever failed. The dialogs show the outcome
// through ImportOutcomeMessage.
//
//   ImportOutcome done = RunImport(ImportKind::Dbf, "/home/me/old.dbf", source, table, apollo, progress);
//   ShowInformation(ImportOutcomeMessage(done, QStringLiteral("record")));

#include "exchange/importloop.h"

#include <QString>

class RunProgress;
class TApollo;
class TTable;

enum class ImportKind { Text, Dbf, OlderFile, VCard };

// How an import names itself in its messages: "ASCII", "DBF", "<product> DBF", "vCard".
QString ImportKindName(ImportKind kind);

struct ImportOutcome {
    ImportKind kind = ImportKind::Text;
    QString sourcePath;
    // Records read, written and skipped, the lines with "?" and the cause of a failed
    // read or write.
    ImportResult records;
    // Empty when the old index was dropped; else why not, and nothing was imported.
    QString indexDropFailure;
    // Empty when the index was built anew (or nothing needed it); else the engine's reason,
    // and the file opens next time without its index, offering the rebuild.
    QString rebuildFailure;
    // The positions of the source's records left out as already in the file, when the
    // user asked for that.
    QList<long> known;
};

ImportOutcome RunImport(ImportKind kind, const QString& sourcePath, ImportSource& source, TTable& table,
                        TApollo& apollo, RunProgress& progress);

// The outcome of an import whose source could not be read at all: nothing was touched.
ImportOutcome UnreadableSource(ImportKind kind, const QString& sourcePath, const QString& cause);

// What the user is told: the count ("Import complete. Imported N records.", or the
// cancelled form), or what failed with the count so far and the system's reason; then
// the import's own note (a paragraph, or empty), the values stored with "?" (unit: "line"
// or "record") and a failed rebuild. Records left out as already in the file join the
// count: "Import complete. 412 imported, 37 already in the file were skipped: lines 3, 9, 14…"
// (the first ten positions).
QString ImportOutcomeMessage(const ImportOutcome& outcome, const QString& unit, const QString& note = {});

// "Unable to do <kind> import at this time" and why the address file could not be had.
QString DestinationFailureMessage(ImportKind kind, const QString& cause);

#pragma once
// The import loop shared by every kind of import: records from a source are appended to
// an address table one by one, with a gauge, a stop request honoured after the current
// record, and text the file cannot store kept with "?" in place of what it lacks. Around
// it: the index is dropped before the appends (so they need no index upkeep) and rebuilt
// afterwards with one running total over all tags.
//
//   DropIndexForImport(apollo);
//   ImportLoop loop(table);
//   loop.OnProgress = [&](int percent) { gauge->setValue(percent); };
//   loop.LetInputThrough = [] { QCoreApplication::processEvents(); };  // Cancel calls RequestStop
//   ImportResult result = loop.Run(source);
//   RebuildIndexAfterImport(table, apollo, [&](int percent) { gauge->setValue(percent); });
//
// RunImport (importrun.h) puts these together and gives the outcome.
//
// While it runs, the table's controls are disabled and its record events (BeforeInsert,
// AfterInsert, AfterPost, AfterCancel) stay quiet. A crash or kill in the middle leaves the records appended so far
// whole and the file without an index, so the next open offers the rebuild.

#include "exchange/importrecord.h"

#include <QList>
#include <QString>
#include <functional>
#include <vector>

class TApollo;
class TField;
class TTable;

// One value of a record to append: the field it goes to and its text.
struct ImportValue {
    TField* field;
    QString text;
};

class ImportSource {
public:
    virtual ~ImportSource() = default;
    // How many records the source will give, for the gauge; 0 when not known.
    virtual long Expected() = 0;
    // The values of the next record (fields left out stay blank), or false at the end; they
    // may refer to the source's own text, and are read before the next call.
    // A source that cannot be read throws ImportReadError.
    virtual bool Next(std::vector<ImportValue>& values) = 0;
    // Where the record last given came from (its line or record number), for messages.
    virtual long Position() const = 0;
};

struct ImportReadError {
    QString reason;
};

enum class ImportEnd { Complete, Cancelled, ReadFailed, WriteFailed };

struct ImportResult {
    ImportEnd end = ImportEnd::Complete;
    // Records the source gave, and those of them written (the record a write failed on
    // is read but not written).
    long read = 0;
    long imported = 0;
    long Skipped() const { return read - imported; }
    // After a failed read or write: the reason as the system or the engine gave it.
    QString cause;
    // Values stored with "?" for characters the file cannot hold, and the positions
    // (lines or records) of the first of them.
    long replacedValues = 0;
    QList<long> replacedAt;
};

class ImportLoop {
public:
    static constexpr int kPositionsKept = 5;

    explicit ImportLoop(TTable& destination);

    // The gauge, 0..100, told only when it moves.
    std::function<void(int percent)> OnProgress;
    // Lets the user's input and painting through; called a few times a second at most.
    std::function<void()> LetInputThrough;

    // Asked after each record: true ends the loop there.
    std::function<bool()> StopRequested;
    // Asks the loop to end after the current record.
    void RequestStop() { stop_ = true; }

    ImportResult Run(ImportSource& source);

private:
    // Appends a record holding the values.
    void Store(const std::vector<ImportValue>& values, long position, ImportResult& result);

    TTable& table_;
    ImportRecord record_;
    bool stop_ = false;
};

// Closes the address table's index and deletes its file; false (and why, when asked) when
// it cannot be deleted.
bool DropIndexForImport(TApollo& apollo, QString* why = nullptr);

// Builds the 26 tags of the address table anew, reporting one gauge over all of them;
// false (and the engine's reason, when asked) when that failed. Tells the user nothing.
bool RebuildIndexAfterImport(TTable& table, TApollo& apollo, const std::function<void(int percent)>& gauge,
                             QString* why = nullptr);

// "Import cancelled after importing N records." after a stop request, else
// "Import complete. Imported N records.".
QString ImportCountMessage(const ImportResult& result);
// Empty, or a paragraph saying how many values were stored with "?" and where the first
// of them came from (unit: "line" or "record").
QString UnstorableNote(const ImportResult& result, const QString& unit);

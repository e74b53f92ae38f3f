#pragma once
// The address file as a sync reads and writes it: opened in exclusive use by a table of
// its own (the window lets go of it for the sync), records by record number with their
// values in the export order, and the soft deletion (ISDEL) the window's "Delete" makes, so a
// record whose card went away can be recalled. Failures throw TableError.

#include "exchange/exportfields.h"
#include "exchange/importdestination.h"

#include <QString>
#include <map>
#include <memory>

struct SyncedRecord {
    ExportValues values;
    bool deleted = false;
};

class SyncedFile {
public:
    // False (and the engine's reason) when the file cannot be had.
    bool Open(const QString& path, QString* error);

    long RecordCount();
    std::map<long, SyncedRecord> ReadAll();
    ExportValues Read(long recNo);
    // Writes the values (each character the file cannot store as "?", each value cut to
    // its field) and gives them as stored.
    ExportValues Write(long recNo, const ExportValues& values, bool deleted = false);
    // Appends a record; its number is the record count after it.
    ExportValues Append(const ExportValues& values);
    void SetDeleted(long recNo, bool deleted);
    // Writes what appends gathered.
    void Flush();

private:
    void Store(const ExportValues& values, bool deleted);

    ImportDestination file_;
    std::unique_ptr<ExportFieldSet> fields_;
    TField* isdel_ = nullptr;
};

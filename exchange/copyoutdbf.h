#pragma once
// Copying the current selection into a new DBF table with the address file's structure and
// no index. The records reach the disk in groups of 20: after each group the number of
// records the file itself says it holds must equal the number copied, or the copy fails
// (with both numbers as its reason). At the end the file is synced to the disk once and
// its count read back a last time. A failure carries the engine's or the system's reason.
//
//   TTable Table1;
//   CopyOutcome done = CopyToDbf(walk, TableBook, Apollo1, Table1, "/home/me/list.DBF");

#include "exchange/exportcopy.h"

class TApollo;
class TTable;

// Deletes an index file of the target's base name (any letter case) first; the partial
// table stays on disk after a failure, and the outcome counts the records it holds. The
// target table is closed afterwards.
CopyOutcome CopyToDbf(ExportWalk& walk, TTable& source, TApollo& sourceApollo, TTable& target, const QString& path);

// The records a DBF file holds on disk: the count in its header, but no more than the
// bytes after the header can hold; -1 when the file cannot be read as a DBF.
long DbfRecordsOnDisk(const QString& path);

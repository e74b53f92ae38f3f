#pragma once
// Copying the current selection out to a file, without any window: the kinds of target,
// and the copy into the three text kinds (the comma-delimited text file, standard CSV and
// vCard). The DBF kind is in copyoutdbf.h.
//
//   ExportWalk walk(table, apollo);            // hooks for the gauge and Cancel
//   CopyOutcome done = CopyToTextFile(walk, table, CopyOutKind::Csv, "/home/me/list.csv");
//   if (!done.message.isEmpty()) ShowInformation(done.message);

#include "exchange/exportwalk.h"

#include <QString>

class TTable;

enum class CopyOutKind { Dbf, Ascii, Csv, VCard };

struct CopyOutcome {
    long copied = 0;
    bool failed = false;
    // After a failure: the system's or the engine's reason, and what the user is told
    // (CopyFailureMessage); both empty when the copy ended normally or was stopped.
    QString reason;
    QString message;
};

// Creates (or empties) the file and writes the records the walk visits (CSV with a header
// of the field labels and dates as 2019-03-15); the text kind also
// ends once the number the query counted is written. Any failed step, from creating the
// file to the final sync to the disk, fails the copy with the system's reason; what was
// written before stays in the file.
CopyOutcome CopyToTextFile(ExportWalk& walk, TTable& source, CopyOutKind kind, const QString& path);

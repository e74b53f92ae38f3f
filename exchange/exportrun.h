#pragma once
// An export from start to end, without any window: the records the open table's active
// query lets through, in its current order, go to a new file of the chosen kind; the
// outcome counts them and, after a failure, says what failed in the system's own words.
// The dialog shows it through ExportOutcomeMessage.
//
//   TTable target;   // used for the DBF kind, closed afterwards
//   CopyOutcome done = RunExport(CopyOutKind::Csv, "/home/me/list.csv", TableBook, Apollo1, target, progress);
//   if (const QString text = ExportOutcomeMessage(done, path, stopped); !text.isEmpty()) ShowInformation(text);

#include "exchange/exportcopy.h"

class RunProgress;
class TApollo;
class TTable;

CopyOutcome RunExport(CopyOutKind kind, const QString& path, TTable& source, TApollo& sourceApollo, TTable& target,
                      RunProgress& progress);

// The failure (disk full, not permitted, file or folder gone, with the file and the
// system's reason); else "Copied N records to <path>"; empty for a copy stopped on request.
QString ExportOutcomeMessage(const CopyOutcome& outcome, const QString& path, bool stopped);

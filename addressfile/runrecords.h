#pragma once
// The records a run covers: a label print, a built-in report, an export and each
// addrina-print command choose and position their records here, so that "All records",
// "Records matching filter", "Only current record" and "Start from current record" mean
// the same thing everywhere.
//
//   RunRecords records{RunChoice::All, /*startFromCurrent=*/true};
//   if (PositionRunRecords(apollo, table, records, recNo) == RunStart::CurrentOutOfRange)
//       ShowInformation(...);   // the run starts at the first record

#include <QString>

class TApollo;
class TTable;

// Every live record: a soft-deleted record (ISDEL) is never printed or copied. It is also
// the active query when no filter is set.
inline constexpr char LiveRecordsQuery[] = "!ISDEL";

// The built-in reports' "All records" also leaves out records whose prefix reads
// "DELETED", the mark people used for a record they meant to drop before deleting it.
inline constexpr char NoDeletedPrefixQuery[] = "UPPER(PREFIX)<>\"DELETED\"";

// All live records; the active query (the filter, or all live records without one); the
// current record alone.
enum class RunChoice { All, Filter, OnlyCurrent };

struct RunRecords {
    RunChoice choice = RunChoice::Filter;
    bool startFromCurrent = false;
    // "All records" leaves out the records with a "DELETED" prefix too (the reports' rule).
    bool noDeletedPrefix = false;
};

enum class RunStart { First, Current, CurrentOutOfRange };

// The query a choice sets; empty for Filter, which keeps the active query as it stands.
QString RunRecordsQuery(const RunRecords& records, long recNo);

// Sets the query of the choice and goes to the first record, or to recNo when the run
// starts from the current record and recNo is among the chosen records.
RunStart PositionRunRecords(TApollo& apollo, TTable& table, const RunRecords& records, long recNo);

// Makes recNo the current record when the active query lets it through; false when it
// does not (the position is then undefined).
bool GoToChosenRecord(TApollo& apollo, TTable& table, long recNo);

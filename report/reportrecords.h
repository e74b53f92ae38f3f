#pragma once

#include "addressfile/runrecords.h"
#include "report/builtinreports.h"

class TApollo;
class TTable;

// The records of the address table as a report reads them, from the current one on.
class TableRecords : public ReportRecords {
public:
    explicit TableRecords(TTable& table) : table_(table) {}
    bool AtEnd() override;
    QString Field(const QString& name) override;
    void Next() override;

private:
    TTable& table_;
};

// Orders and chooses the records for a built-in report and goes to its first record, as
// every run does (addressfile/runrecords.h); "All records" leaves out the records with a
// "DELETED" prefix too. Reports 1 to 3 skip records whose order key
// sorts below "0" at the start (an empty name or organization, a leading blank or
// punctuation). Gives false when recNo was not among the chosen records (the report
// then starts at the beginning and the caller says so).
bool PositionReportRecords(TApollo& apollo, TTable& table, int report, RunChoice choice, bool startCurrent, long recNo);

#include "report/reportrecords.h"

#include "table/tapollo.h"
#include "table/ttable.h"

bool TableRecords::AtEnd()
{
    return table_.Eof() || table_.IsEmpty();
}

QString TableRecords::Field(const QString& name)
{
    return table_.FieldByName(name).AsString();
}

void TableRecords::Next()
{
    table_.Next();
}

namespace {

// Where a soft seek for "0" lands in an ascending order: the first record whose key is
// not below "0".
void SkipKeysBelowZero(TTable& table, const QString& keyField)
{
    while (!table.Eof() && !table.IsEmpty() && table.FieldByName(keyField).AsString().toUpper() < QStringLiteral("0"))
        table.Next();
}

} // namespace

bool GoToChosenRecord(TApollo& apollo, TTable& table, long recNo)
{
    // Going to a record ignores the filter; moves do not: a record the chosen set holds
    // is where a step forward and back returns to. From the set's last record the step
    // forward stays put, so the way back is to the set's last record.
    apollo.Go(recNo);
    table.Next();
    if (table.Eof())
        table.Last();
    else
        table.Prior();
    if (table.IsEmpty() || apollo.RecNo() != recNo)
        return false;
    apollo.Go(recNo); // Last leaves the table at its end
    return true;
}

bool PositionReportRecords(TApollo& apollo, TTable& table, int report, ReportRecordChoice choice, bool startCurrent,
                           long recNo)
{
    const QString order = BuiltInReportOrder(report);
    apollo.SetOrder(apollo.TagArea(order));
    if (choice == ReportRecordChoice::All)
        apollo.Query(QStringLiteral("UPPER(PREFIX)<>\"DELETED\" .and. !ISDEL"));
    else if (choice == ReportRecordChoice::OnlyCurrent)
        apollo.Query(QStringLiteral("Recno()=") + QString::number(recNo));
    bool inRange = true;
    if (startCurrent) {
        inRange = GoToChosenRecord(apollo, table, recNo);
        if (inRange)
            return true;
    }
    table.First();
    if (report != 4)
        SkipKeysBelowZero(table, order);
    return inRange;
}

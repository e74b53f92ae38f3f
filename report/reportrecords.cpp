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

bool PositionReportRecords(TApollo& apollo, TTable& table, int report, RunChoice choice, bool startCurrent, long recNo)
{
    const QString order = BuiltInReportOrder(report);
    apollo.SetOrder(apollo.TagArea(order));
    const RunStart start = PositionRunRecords(apollo, table, RunRecords{choice, startCurrent, true}, recNo);
    if (start == RunStart::Current)
        return true;
    if (report != 4)
        SkipKeysBelowZero(table, order);
    return start != RunStart::CurrentOutOfRange;
}

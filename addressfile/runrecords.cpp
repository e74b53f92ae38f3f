#include "addressfile/runrecords.h"

#include "table/tapollo.h"
#include "table/ttable.h"

QString RunRecordsQuery(const RunRecords& records, long recNo)
{
    switch (records.choice) {
    case RunChoice::All:
        return records.noDeletedPrefix ? QLatin1StringView(NoDeletedPrefixQuery) + QStringLiteral(" .and. ") +
                                             QLatin1StringView(LiveRecordsQuery)
                                       : QString::fromLatin1(LiveRecordsQuery);
    case RunChoice::OnlyCurrent:
        return QStringLiteral("Recno()=") + QString::number(recNo);
    case RunChoice::Filter:
        break;
    }
    return QString();
}

RunStart PositionRunRecords(TApollo& apollo, TTable& table, const RunRecords& records, long recNo)
{
    if (const QString query = RunRecordsQuery(records, recNo); !query.isEmpty())
        apollo.Query(query);
    if (records.startFromCurrent && GoToChosenRecord(apollo, table, recNo))
        return RunStart::Current;
    table.First();
    return records.startFromCurrent ? RunStart::CurrentOutOfRange : RunStart::First;
}

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

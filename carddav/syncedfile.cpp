#include "carddav/syncedfile.h"

#include "exchange/storabletext.h"

bool SyncedFile::Open(const QString& path, QString* error)
{
    if (!file_.OpenDestination(path)) {
        *error = QStringLiteral("cannot open %1: %2").arg(path, file_.DestinationFailure());
        return false;
    }
    fields_ = std::make_unique<ExportFieldSet>(file_.Destination);
    isdel_ = &file_.Destination.FieldByName(QStringLiteral("ISDEL"));
    file_.Destination.SetBatchInserts(true);
    return true;
}

long SyncedFile::RecordCount()
{
    return file_.DestinationApollo.RecCount();
}

std::map<long, SyncedRecord> SyncedFile::ReadAll()
{
    std::map<long, SyncedRecord> all;
    TTable& table = file_.Destination;
    for (table.First(); !table.Eof(); table.Next()) {
        SyncedRecord& record = all[table.CurrentRecNo()];
        fields_->Read(record.values);
        record.deleted = isdel_->AsBoolean();
    }
    return all;
}

ExportValues SyncedFile::Read(long recNo)
{
    file_.Destination.GotoRecord(recNo);
    ExportValues values;
    fields_->Read(values);
    return values;
}

void SyncedFile::Store(const ExportValues& values, bool deleted)
{
    for (int i = 0; i < ExportFieldCount; ++i) {
        bool replaced = false;
        (*fields_)[i].SetAsString(StorableText(values[static_cast<std::size_t>(i)], replaced));
    }
    isdel_->SetAsBoolean(deleted);
}

ExportValues SyncedFile::Write(long recNo, const ExportValues& values, bool deleted)
{
    TTable& table = file_.Destination;
    table.GotoRecord(recNo);
    table.Edit();
    Store(values, deleted);
    table.Post();
    return Read(recNo);
}

ExportValues SyncedFile::Append(const ExportValues& values)
{
    TTable& table = file_.Destination;
    table.Append();
    Store(values, false);
    ExportValues stored;
    fields_->Read(stored);
    table.Post();
    return stored;
}

void SyncedFile::SetDeleted(long recNo, bool deleted)
{
    TTable& table = file_.Destination;
    table.GotoRecord(recNo);
    table.Edit();
    isdel_->SetAsBoolean(deleted);
    table.Post();
}

void SyncedFile::Flush()
{
    file_.Destination.Commit();
}

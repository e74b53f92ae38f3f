#include "exchange/importloop.h"

#include "addressfile/addressschema.h"
#include "addressfile/createaddressfile.h"
#include "addressfile/reindexprogress.h"
#include "exchange/importrecord.h"
#include "exchange/inputpacer.h"
#include "exchange/storabletext.h"
#include "table/controlsscope.h"
#include "table/quietevents.h"
#include "table/tapollo.h"
#include "table/tfield.h"
#include "table/ttable.h"

#include <QFile>
#include <QStringList>
#include <utility>

ImportLoop::ImportLoop(TTable& destination) : table_(destination), record_(destination) {}

void ImportLoop::Store(const std::vector<ImportValue>& values, long position, ImportResult& result)
{
    bool anyReplaced = false;
    if (record_.Fill(values, anyReplaced)) {
        table_.AppendRecord(record_.Bytes());
    } else {
        table_.Append();
        for (const ImportValue& value : values) {
            if (value.text.isEmpty() || value.field == nullptr)
                continue;
            bool replaced = false;
            value.field->SetAsString(StorableText(value.text, replaced));
            anyReplaced = anyReplaced || replaced;
        }
        table_.Post();
    }
    if (!anyReplaced)
        return;
    ++result.replacedValues;
    if (result.replacedAt.size() < kPositionsKept)
        result.replacedAt.append(position);
}

ImportResult ImportLoop::Run(ImportSource& source)
{
    ControlsScope quiet(table_);
    // The table's record events belong to editing by hand (buttons, assists, saving
    // counters); appended records raise none of them.
    QuietEvents noEvents(table_,
                         {&TTable::BeforeInsert, &TTable::AfterInsert, &TTable::AfterPost, &TTable::AfterCancel});
    table_.SetBatchInserts(true);
    stop_ = false;
    ImportResult result;
    const long expected = source.Expected();
    int shown = -1;
    InputPacer pacer(LetInputThrough);
    std::vector<ImportValue> values;
    for (;;) {
        values.clear();
        try {
            if (!source.Next(values))
                break;
        } catch (const ImportReadError& error) {
            result.end = ImportEnd::ReadFailed;
            result.cause = error.reason;
            break;
        }
        ++result.read;
        try {
            Store(values, source.Position(), result);
        } catch (const std::exception& error) {
            // A record the table would not take is dropped whole, never half written.
            if (table_.State() == TDataSetState::Insert)
                table_.Cancel();
            result.end = ImportEnd::WriteFailed;
            result.cause = QString::fromStdString(error.what());
            break;
        }
        ++result.imported;
        const int percent = expected > 0 ? static_cast<int>(std::min(100L, result.imported * 100 / expected)) : 0;
        if (percent != shown && OnProgress) {
            shown = percent;
            OnProgress(percent);
        }
        pacer.Tick();
        if (stop_ || (StopRequested && StopRequested())) {
            result.end = ImportEnd::Cancelled;
            break;
        }
    }
    try {
        table_.SetBatchInserts(false);
    } catch (const std::exception& error) {
        // The last batch could not be written; the engine keeps it for its next commit.
        result.end = ImportEnd::WriteFailed;
        result.cause = QString::fromStdString(error.what());
    }
    return result;
}

bool DropIndexForImport(TApollo& apollo, QString* why)
{
    return RemoveIndexFile(apollo, why);
}

bool RebuildIndexAfterImport(TTable& table, TApollo& apollo, const std::function<void(int percent)>& gauge,
                             QString* why)
{
    // One running total over every tag, so the gauge fills once, at the last tag.
    ReindexProgress progress(static_cast<int>(AddressTags().size()) * 100);
    progress.Start(ReindexProgress::Phase::Index);
    apollo.SetGaugeHook([&](int percent) {
        const int before = progress.Position();
        const int now = progress.Report(percent);
        if (gauge && now != before)
            gauge(now);
    });
    const bool built = BuildIndexTags(table, apollo, why);
    apollo.SetGaugeHook({});
    return built;
}

QString ImportCountMessage(const ImportResult& result)
{
    const QString count = QString::number(result.imported);
    if (result.end == ImportEnd::Cancelled)
        return QStringLiteral("Import cancelled after importing ") + count + QStringLiteral(" records.");
    return QStringLiteral("Import complete. Imported ") + count + QStringLiteral(" records.");
}

QString UnstorableNote(const ImportResult& result, const QString& unit)
{
    if (result.replacedValues == 0)
        return {};
    QStringList where;
    for (const long position : result.replacedAt)
        where.append(QString::number(position));
    const QString records = result.replacedValues == 1
                                ? QStringLiteral("1 record holds")
                                : QString::number(result.replacedValues) + QStringLiteral(" records hold");
    const QString units = result.replacedAt.size() == 1 ? unit : unit + QLatin1Char('s');
    return QStringLiteral("\r\n\r\n") + records +
           QStringLiteral(" characters this address file cannot store, each stored as \"?\" (") +
           (result.replacedValues > result.replacedAt.size() ? QStringLiteral("first at ") : QString()) + units +
           QLatin1Char(' ') + where.join(QStringLiteral(", ")) + QStringLiteral(").");
}

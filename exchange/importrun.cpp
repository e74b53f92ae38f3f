#include "exchange/importrun.h"

#include "exchange/runprogress.h"
#include "platform/identity.h"

#include <QFileInfo>
#include <QStringList>
#include <algorithm>

QString ImportKindName(ImportKind kind)
{
    switch (kind) {
    case ImportKind::Text:
        return QStringLiteral("ASCII");
    case ImportKind::Dbf:
        return QStringLiteral("DBF");
    case ImportKind::OlderFile:
        return ProductName() + QStringLiteral(" DBF");
    case ImportKind::VCard:
        return QStringLiteral("vCard");
    }
    return {};
}

ImportOutcome RunImport(ImportKind kind, const QString& sourcePath, ImportSource& source, TTable& table,
                        TApollo& apollo, RunProgress& progress)
{
    ImportOutcome outcome;
    outcome.kind = kind;
    outcome.sourcePath = sourcePath;
    progress.Stage(QString(), true);
    // Appending with the index in place would cost its upkeep on every record; when it
    // cannot go, nothing is appended and the file stays as it was.
    if (!DropIndexForImport(apollo, &outcome.indexDropFailure)) {
        progress.Stage(QString(), true);
        return outcome;
    }
    ImportLoop loop(table);
    loop.OnProgress = [&progress](int percent) { progress.Gauge(percent); };
    loop.LetInputThrough = [&progress] { progress.Breathe(); };
    loop.StopRequested = [&progress] { return progress.StopRequested(); };
    progress.Stage(QStringLiteral("Importing records"), true);
    progress.Breathe();
    outcome.records = loop.Run(source);

    progress.Stage(QStringLiteral("Rebuilding Indexes "), false);
    const auto gauge = [&progress](int percent) {
        progress.Gauge(percent);
        progress.Breathe();
    };
    if (!RebuildIndexAfterImport(table, apollo, gauge, &outcome.rebuildFailure) && outcome.rebuildFailure.isEmpty())
        outcome.rebuildFailure = QStringLiteral("The engine gave no reason");
    progress.Stage(QString(), true);
    return outcome;
}

ImportOutcome UnreadableSource(ImportKind kind, const QString& sourcePath, const QString& cause)
{
    ImportOutcome outcome;
    outcome.kind = kind;
    outcome.sourcePath = sourcePath;
    outcome.records.end = ImportEnd::ReadFailed;
    outcome.records.cause = cause;
    return outcome;
}

namespace {

QString Records(long count)
{
    return QString::number(count) + (count == 1 ? QStringLiteral(" record") : QStringLiteral(" records"));
}

constexpr qsizetype kKnownPositionsShown = 10;

// "37 already in the file were skipped: lines 3, 9, 14…"
QString KnownSkipped(const QList<long>& known, const QString& unit)
{
    QStringList where;
    for (const long position : known.first(std::min(known.size(), kKnownPositionsShown)))
        where.append(QString::number(position));
    return QString::number(known.size()) +
           (known.size() == 1 ? QStringLiteral(" already in the file was skipped: ")
                              : QStringLiteral(" already in the file were skipped: ")) +
           (known.size() == 1 ? unit : unit + QLatin1Char('s')) + QLatin1Char(' ') + where.join(QStringLiteral(", ")) +
           (known.size() > kKnownPositionsShown ? QStringLiteral("…") : QStringLiteral("."));
}

// The failure and its reason, or the count when nothing failed.
QString EndMessage(const ImportOutcome& outcome, const QString& unit)
{
    const ImportResult& records = outcome.records;
    const QString name = ImportKindName(outcome.kind);
    const QString reason = records.cause.isEmpty() ? QString() : QStringLiteral("\r\n\r\n") + records.cause;
    if (!outcome.indexDropFailure.isEmpty())
        return QStringLiteral("The ") + name +
               QStringLiteral(" import could not begin: the address file's index could not be removed, so "
                              "nothing was imported.\r\n\r\n") +
               outcome.indexDropFailure;
    if (records.end == ImportEnd::ReadFailed)
        return QStringLiteral("The ") + name + QStringLiteral(" import could not read ") +
               QFileInfo(outcome.sourcePath).fileName() + QStringLiteral(" after importing ") +
               Records(records.imported) + QStringLiteral(".") + reason;
    if (records.end == ImportEnd::WriteFailed)
        return QStringLiteral("The ") + name +
               QStringLiteral(" import could not write to the address file after importing ") +
               Records(records.imported) + QStringLiteral(".") + reason;
    if (records.end == ImportEnd::Complete && !outcome.known.isEmpty())
        return QStringLiteral("Import complete. ") + QString::number(records.imported) + QStringLiteral(" imported, ") +
               KnownSkipped(outcome.known, unit);
    return ImportCountMessage(records);
}

} // namespace

QString ImportOutcomeMessage(const ImportOutcome& outcome, const QString& unit, const QString& note)
{
    QString message = EndMessage(outcome, unit);
    if (!outcome.known.isEmpty() && outcome.records.end != ImportEnd::Complete)
        message += QStringLiteral("\r\n\r\n") + KnownSkipped(outcome.known, unit);
    message += note + UnstorableNote(outcome.records, unit);
    if (!outcome.rebuildFailure.isEmpty())
        message += QStringLiteral("\r\n\r\nThe indexes could not be rebuilt; the address file will offer to rebuild "
                                  "them when it is next opened.\r\n\r\n") +
                   outcome.rebuildFailure;
    return message;
}

QString DestinationFailureMessage(ImportKind kind, const QString& cause)
{
    const QString headline =
        QStringLiteral("Unable to do ") + ImportKindName(kind) + QStringLiteral(" import at this time");
    if (cause.isEmpty())
        return QStringLiteral("Unknown error. ") + headline;
    return headline + QStringLiteral(": the address file could not be opened.\r\n\r\n") + cause;
}

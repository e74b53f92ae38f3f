#include "exchange/exportrun.h"

#include "exchange/copyoutdbf.h"
#include "exchange/runprogress.h"

CopyOutcome RunExport(CopyOutKind kind, const QString& path, TTable& source, TApollo& sourceApollo, TTable& target,
                      RunProgress& progress)
{
    ExportWalk walk(source, sourceApollo);
    walk.gauge = [&progress](int percent) { progress.Gauge(percent); };
    walk.letInputThrough = [&progress] { progress.Breathe(); };
    walk.stopRequested = [&progress] { return progress.StopRequested(); };
    progress.Stage(QStringLiteral("Copying to ") + path, true);
    progress.Breathe();
    return kind == CopyOutKind::Dbf ? CopyToDbf(walk, source, sourceApollo, target, path)
                                    : CopyToTextFile(walk, source, kind, path);
}

QString ExportOutcomeMessage(const CopyOutcome& outcome, const QString& path, bool stopped)
{
    if (outcome.failed)
        return outcome.message;
    if (stopped)
        return {};
    return QStringLiteral("Copied %1 %2 to %3")
        .arg(outcome.copied)
        .arg(outcome.copied == 1 ? QStringLiteral("record") : QStringLiteral("records"), path);
}

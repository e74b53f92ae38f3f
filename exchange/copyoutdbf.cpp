#include "exchange/copyoutdbf.h"

#include "exchange/copyfailure.h"
#include "exchange/exportfields.h"
#include "exchange/storedcopy.h"
#include "table/controlsscope.h"
#include "table/opentablefile.h"
#include "table/tableerror.h"
#include "table/tablefiles.h"
#include "table/tapollo.h"
#include "table/tfield.h"
#include "table/ttable.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <cerrno>
#include <unistd.h>

namespace {

// How many records are copied between two checks of the count on disk.
constexpr long CheckEvery = 20;

// The file holds fewer records than were handed to the engine, without a refused write.
TableError CountFailure(const QString& path, long onDisk, long copied)
{
    return TableError(QStringLiteral("%1 holds %2 records where %3 were copied").arg(path).arg(onDisk).arg(copied));
}

// Reads the record count from a DBF file's header, holding the file open for a whole copy.
class DiskCount {
public:
    explicit DiskCount(const QString& path) : file_(path) { file_.open(QIODevice::ReadOnly | QIODevice::Unbuffered); }

    long Records()
    {
        uchar header[12];
        if (!file_.isOpen() || !file_.seek(0) || file_.read(reinterpret_cast<char*>(header), 12) != 12)
            return -1;
        const long count = qFromLittleEndian<quint32>(header + 4);
        const long headerSize = qFromLittleEndian<quint16>(header + 8);
        const long recordSize = qFromLittleEndian<quint16>(header + 10);
        const long room = recordSize > 0 ? (file_.size() - headerSize) / recordSize : 0;
        return std::max(0L, std::min(count, room));
    }

private:
    QFile file_;
};

void RemoveIndexOf(const QString& path)
{
    const QFileInfo info(path);
    const QString indexName = info.fileName().left(info.fileName().size() - 3) + QStringLiteral("CDX");
    for (QString found; !(found = FindFileIgnoringCase(info.absolutePath(), indexName)).isEmpty();)
        if (!QFile::remove(found))
            break;
}

// Empty when the file is on the disk, else the system's reason.
QString SyncToDisk(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return file.errorString();
    return ::fsync(file.handle()) == 0 ? QString() : SystemReason(errno);
}

} // namespace

long DbfRecordsOnDisk(const QString& path)
{
    return DiskCount(path).Records();
}

CopyOutcome CopyToDbf(ExportWalk& walk, TTable& source, TApollo& sourceApollo, TTable& target, const QString& path)
{
    CopyOutcome outcome;
    long lastCount = 0;
    QString closeFailure;
    const auto watch = QObject::connect(&target, &TTable::writeFailed,
                                        [&closeFailure](const QString& message) { closeFailure = message; });
    try {
        RemoveIndexOf(path);
        if (!sourceApollo.CopyStructure(path))
            throw TableError(EngineError());
        target.SetExclusive(true);
        if (!OpenTableFile(path, target))
            throw TableError(EngineError());
        const ExportFieldSet from(source);
        const ExportFieldSet to(target);
        // Nothing shows the new table: its records need not be announced.
        ControlsScope quiet(target);
        DiskCount onDisk(path);
        // The records go to the file in groups, not one write each; a group's write is checked
        // by its commit and then by the count the file itself gives.
        target.SetBatchInserts(true);
        walk.between = [&](long copied) {
            if (copied % CheckEvery != 0)
                return;
            target.Commit();
            lastCount = onDisk.Records();
            if (lastCount != copied)
                throw CountFailure(path, lastCount, copied);
        };
        StoredCopy bytes(from, to, target);
        walk.Run([&] {
            if (const std::string* record = bytes.Usable() ? bytes.Record(source) : nullptr) {
                target.AppendRecord(*record);
                return;
            }
            target.Append();
            for (int i = 0; i < ExportFieldCount; ++i)
                to[i].AssignStored(from[i]);
            target.Post();
        });
        outcome.copied = walk.Copied();
        target.Close();
        if (!closeFailure.isEmpty())
            throw TableError(closeFailure);
        if (const QString unsynced = SyncToDisk(path); !unsynced.isEmpty())
            throw TableError(unsynced);
        lastCount = DbfRecordsOnDisk(path);
        if (lastCount != outcome.copied)
            throw CountFailure(path, lastCount, outcome.copied);
    } catch (const std::runtime_error& error) {
        outcome.failed = true;
        outcome.reason = QString::fromStdString(error.what());
        outcome.message = CopyFailureMessage(path, outcome.reason);
        if (target.State() == TDataSetState::Insert)
            target.Cancel();
        target.Close();
        // What the partial table holds, not what was handed to the engine.
        outcome.copied = std::max(0L, DbfRecordsOnDisk(path));
    }
    QObject::disconnect(watch);
    walk.between = nullptr;
    return outcome;
}

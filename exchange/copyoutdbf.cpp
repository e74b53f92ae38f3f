#include "exchange/copyoutdbf.h"

#include "exchange/exportfields.h"
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

#include <unistd.h>

namespace {

// How many records are copied between two checks of the count on disk.
constexpr long CheckEvery = 20;

class CopyFailure : public std::runtime_error {
public:
    CopyFailure() : std::runtime_error("Error copying - not enough disk space") {}
};

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

bool SyncToDisk(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadWrite) && ::fsync(file.handle()) == 0;
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
    bool refused = false;
    QString closeFailure;
    const auto watch = QObject::connect(&target, &TTable::writeFailed,
                                        [&closeFailure](const QString& message) { closeFailure = message; });
    try {
        RemoveIndexOf(path);
        if (!sourceApollo.CopyStructure(path))
            throw TableError(EngineError());
        target.SetExclusive(true);
        if (!OpenTableFile(path, target))
            throw TableError(QStringLiteral("Cannot open ") + path);
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
            try {
                target.Commit();
            } catch (const TableError&) {
                refused = true;
                throw;
            }
            lastCount = onDisk.Records();
            if (lastCount != copied)
                throw CopyFailure();
        };
        walk.Run([&] {
            target.Append();
            for (int i = 0; i < ExportFieldCount; ++i)
                to[i].AssignStored(from[i]);
            try {
                target.Post();
            } catch (const TableError&) {
                refused = true;
                throw;
            }
        });
        outcome.copied = walk.Copied();
        target.Close();
        if (!closeFailure.isEmpty() || !SyncToDisk(path)) {
            refused = true;
            throw TableError(closeFailure);
        }
        lastCount = DbfRecordsOnDisk(path);
        if (lastCount != outcome.copied)
            throw CopyFailure();
    } catch (const std::runtime_error&) {
        outcome.failed = true;
        // A write the disk refused says where the trouble lies even when the count agrees.
        outcome.message = lastCount == walk.Copied() && !refused
                              ? QStringLiteral("There was an error copying")
                              : QStringLiteral("There was an error copying\r\rPossibly: Not Enough Disk Space");
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

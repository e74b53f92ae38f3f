#include "exchange/exportfile.h"

#include <unistd.h>

ExportFile::~ExportFile()
{
    Abandon();
}

bool ExportFile::Create(const QString& path)
{
    file_.setFileName(path);
    buffer_.clear();
    buffer_.reserve(BlockSize * 2);
    error_.clear();
    // Unbuffered: our own buffer decides when to write, and every write reports its result.
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        Fail(file_.errorString());
    return !Failed();
}

void ExportFile::Write(QByteArrayView bytes)
{
    buffer_.append(bytes);
    Flush();
}

void ExportFile::WriteBuffer()
{
    if (!Failed() && !buffer_.isEmpty()) {
        const qint64 written = file_.write(buffer_);
        if (written != buffer_.size())
            Fail(file_.errorString());
    }
    buffer_.clear();
}

bool ExportFile::Finish()
{
    WriteBuffer();
    if (!file_.isOpen())
        return !Failed();
    // A copy is only done once its bytes are on the disk, not just handed to the system.
    if (!Failed() && ::fsync(file_.handle()) != 0)
        Fail(QStringLiteral("The file could not be synced to the disk"));
    file_.close();
    if (!Failed() && file_.error() != QFileDevice::NoError)
        Fail(file_.errorString());
    return !Failed();
}

void ExportFile::Abandon()
{
    buffer_.clear();
    if (file_.isOpen())
        file_.close();
}

void ExportFile::Fail(const QString& reason)
{
    if (error_.isEmpty())
        error_ = reason.isEmpty() ? QStringLiteral("write failed") : reason;
}

#include "exchange/exportfile.h"

#include "exchange/copyfailure.h"

#include <cerrno>
#include <sys/stat.h>
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
    // Unbuffered: our own buffer decides when to write, and writes go straight to the system.
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
    // Straight to the system, so a short write is followed by the call that says why.
    const char* next = buffer_.constData();
    qsizetype left = Failed() || !file_.isOpen() ? 0 : buffer_.size();
    while (left > 0) {
        const ssize_t written = ::write(file_.handle(), next, static_cast<std::size_t>(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            Fail(written < 0 ? SystemReason(errno) : QStringLiteral("Nothing could be written"));
            break;
        }
        next += written;
        left -= written;
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
        Fail(SystemReason(errno));
    struct stat written {};
    struct stat named {};
    if (!Failed() && ::fstat(file_.handle(), &written) == 0) {
        if (::stat(QFile::encodeName(file_.fileName()).constData(), &named) != 0)
            Fail(SystemReason(errno));
        else if (named.st_dev != written.st_dev || named.st_ino != written.st_ino)
            Fail(QStringLiteral("Another file took its name while it was written"));
    }
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

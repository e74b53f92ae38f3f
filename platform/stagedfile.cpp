#include "platform/stagedfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

constexpr qsizetype BufferSize = 256 * 1024;
const QString HiddenPrefix = QStringLiteral(".addrina-");

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

QString hiddenName(const QString& folder, const QString& suffix)
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QString name = HiddenPrefix;
    for (int i = 0; i < 6; ++i)
        name += QLatin1Char(letters[QRandomGenerator::global()->bounded(int(sizeof letters - 1))]);
    return QDir(folder).filePath(name + suffix);
}

// Hidden files of ours that no job holds locked: left by a job that was killed.
void removeStale(const QString& folder)
{
    const QStringList names =
        QDir(folder).entryList({HiddenPrefix + QLatin1Char('*')}, QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    for (const QString& name : names) {
        const QByteArray path = QFile::encodeName(QDir(folder).filePath(name));
        const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        if (fd < 0)
            continue;
        struct stat info {};
        if (::fstat(fd, &info) == 0 && info.st_uid == ::getuid() && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(path.constData());
        ::close(fd);
    }
}

} // namespace

StagedFile::StagedFile(QString target, Staging staging) : target_(std::move(target)), staging_(staging) {}

StagedFile::~StagedFile()
{
    Discard();
}

bool StagedFile::Open()
{
    error_.clear();
    buffer_.clear();
    const QString folder = QFileInfo(target_).absolutePath();
    removeStale(folder);
    if (!(staging_ == Staging::Unnamed ? openUnnamed(folder) : openNamed(folder)))
        return false;
    return QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

bool StagedFile::openUnnamed(const QString& folder)
{
    fd_ = ::open(QFile::encodeName(folder).constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd_ >= 0)
        return true;
    // Kernels and file systems without unnamed files say so in one of these ways.
    if (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)
        return openNamed(folder);
    fail(errno);
    return false;
}

bool StagedFile::openNamed(const QString& folder)
{
    const QString suffix = QFileInfo(target_).suffix().isEmpty() ? QString() : '.' + QFileInfo(target_).suffix();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString name = hiddenName(folder, suffix);
        fd_ = ::open(QFile::encodeName(name).constData(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
        if (fd_ >= 0) {
            named_ = name;
            ::flock(fd_, LOCK_EX | LOCK_NB);
            return true;
        }
        if (errno != EEXIST)
            break;
    }
    fail(errno);
    return false;
}

void StagedFile::fail(int error)
{
    if (error_.isEmpty())
        error_ = systemReason(error);
}

qint64 StagedFile::writeData(const char* data, qint64 length)
{
    if (Failed())
        return -1;
    buffer_.append(data, length);
    if (buffer_.size() >= BufferSize && !flushBuffer())
        return -1;
    return length;
}

bool StagedFile::flushBuffer()
{
    qsizetype done = 0;
    while (done < buffer_.size()) {
        const ssize_t written = ::write(fd_, buffer_.constData() + done, buffer_.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0) {
            fail(errno);
            buffer_.clear();
            return false;
        }
        done += written;
    }
    buffer_.clear();
    return true;
}

void StagedFile::Restart()
{
    buffer_.clear();
    if (fd_ >= 0 && (::ftruncate(fd_, 0) != 0 || ::lseek(fd_, 0, SEEK_SET) != 0))
        fail(errno);
    if (isOpen())
        seek(0);
}

bool StagedFile::link(const QString& name) const
{
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd_);
    return ::linkat(AT_FDCWD, self.constData(), AT_FDCWD, QFile::encodeName(name).constData(), AT_SYMLINK_FOLLOW) == 0;
}

bool StagedFile::Commit()
{
    if (fd_ < 0)
        return false;
    if (!Failed() && flushBuffer() && ::fsync(fd_) != 0)
        fail(errno);
    const QByteArray target = QFile::encodeName(target_);
    bool linkedAsTarget = false;
    if (!Failed() && named_.isEmpty()) {
        // A name the target does not have yet takes the file at once; over an existing
        // target it goes through a hidden name and a rename, which replaces in one step.
        linkedAsTarget = link(target_);
        if (!linkedAsTarget && errno == EEXIST) {
            const QString name = hiddenName(QFileInfo(target_).absolutePath(), QString());
            if (link(name))
                named_ = name;
        }
        if (!linkedAsTarget && named_.isEmpty())
            fail(errno);
    }
    QIODevice::close();
    if (::close(std::exchange(fd_, -1)) != 0)
        fail(errno);
    if (!Failed() && !named_.isEmpty() && ::rename(QFile::encodeName(named_).constData(), target.constData()) != 0)
        fail(errno);
    else if (!Failed())
        named_.clear();
    if (Failed()) {
        if (linkedAsTarget)
            ::unlink(target.constData());
        if (!named_.isEmpty())
            ::unlink(QFile::encodeName(std::exchange(named_, QString())).constData());
        return false;
    }
    return true;
}

void StagedFile::Discard()
{
    buffer_.clear();
    if (isOpen())
        QIODevice::close();
    if (!named_.isEmpty())
        ::unlink(QFile::encodeName(std::exchange(named_, QString())).constData());
    closeDescriptor();
}

void StagedFile::closeDescriptor()
{
    if (fd_ >= 0)
        ::close(std::exchange(fd_, -1));
}

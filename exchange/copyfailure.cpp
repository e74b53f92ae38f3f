#include "exchange/copyfailure.h"

#include <cerrno>
#include <cstring>
#include <initializer_list>

namespace {

bool EndsWithReasonFor(const QString& reason, std::initializer_list<int> codes)
{
    for (const int code : codes)
        if (reason.endsWith(SystemReason(code), Qt::CaseInsensitive))
            return true;
    return false;
}

} // namespace

QString SystemReason(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

CopyFailureKind CopyFailureKindOf(const QString& reason)
{
    // A file grown past the size the system allows it fails as a full disk does.
    if (EndsWithReasonFor(reason, {ENOSPC, EFBIG, EDQUOT}))
        return CopyFailureKind::DiskFull;
    if (EndsWithReasonFor(reason, {EACCES, EPERM, EROFS}))
        return CopyFailureKind::NotPermitted;
    if (EndsWithReasonFor(reason, {ENOENT, ENOTDIR, ESTALE}))
        return CopyFailureKind::Vanished;
    return CopyFailureKind::Other;
}

QString CopyFailureMessage(const QString& path, const QString& reason)
{
    QString what;
    switch (CopyFailureKindOf(reason)) {
    case CopyFailureKind::DiskFull:
        what = QStringLiteral(" - the disk is full");
        break;
    case CopyFailureKind::NotPermitted:
        what = QStringLiteral(" - writing there is not permitted");
        break;
    case CopyFailureKind::Vanished:
        what = QStringLiteral(" - the file or its folder is gone");
        break;
    case CopyFailureKind::Other:
        break;
    }
    return QStringLiteral("Error copying to ") + path + what + QStringLiteral(".\r\n\r\nThe system said: ") +
           (reason.isEmpty() ? QStringLiteral("nothing more") : reason);
}

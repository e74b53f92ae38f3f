#include "table/tablefiles.h"

#include "table/cp1252.h"
#include "xbase/sx.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString Sibling(const QString& path, const QString& extension)
{
    const QFileInfo info(path);
    return FindFileIgnoringCase(info.path(), info.completeBaseName() + extension);
}

} // namespace

int ChooseDriver(const QString& driverName, const QString& path)
{
    const QString name = driverName.toUpper();
    if (name == QLatin1String("SXNTX"))
        return SX_DRIVER_NTX;
    if (name == QLatin1String("SXNSX"))
        return SX_DRIVER_NSX;
    if (name == QLatin1String("AXNTX"))
        return SX_DRIVER_AXNTX;
    if (name == QLatin1String("AXFOX"))
        return SX_DRIVER_AXFOX;
    if (!name.isEmpty())
        return SX_DRIVER_CDX;

    QFile file(path);
    char first = 0;
    if (!file.open(QIODevice::ReadOnly) || !file.getChar(&first))
        return SX_DRIVER_CDX;
    switch (static_cast<unsigned char>(first)) {
    case 0x03:
    case 0x06:
        return !Sibling(path, QStringLiteral(".NSX")).isEmpty() && Sibling(path, QStringLiteral(".CDX")).isEmpty()
                   ? SX_DRIVER_NSX
                   : SX_DRIVER_CDX;
    case 0x83:
    case 0x86:
        return SX_DRIVER_NTX;
    case 0xE5:
    case 0xE6:
        return SX_DRIVER_NSX;
    default:
        return SX_DRIVER_CDX;
    }
}

QString MakeAlias(const QString& baseName, const std::function<bool(const QString&)>& inUse)
{
    QString alias = baseName;
    for (int i = 0; i < alias.size(); ++i) {
        const QChar c = alias[i];
        if ((i < 8 && (c == QLatin1Char('~') || c == QLatin1Char('-') || c == QLatin1Char(' '))) || !Cp1252CanHold(c))
            alias[i] = QLatin1Char('_');
    }
    if (!inUse(alias))
        return alias;
    const QString stem = alias.left(8) + QLatin1Char('_');
    for (int n = 1;; ++n) {
        const QString candidate = stem + QString::number(n);
        if (!inUse(candidate))
            return candidate;
    }
}

QString FindFileIgnoringCase(const QString& directory, const QString& fileName)
{
    const QDir dir(directory);
    if (QFileInfo::exists(dir.filePath(fileName)))
        return dir.filePath(fileName);
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& entry : entries)
        if (entry.compare(fileName, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    return {};
}

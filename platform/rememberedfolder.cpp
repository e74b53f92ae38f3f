#include "platform/rememberedfolder.h"

#include "platform/settings.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString kFoldersSection = QStringLiteral("Folders");

bool IsFolder(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

} // namespace

QString RememberedFolder(const QString& key)
{
    const QString remembered = ReadSettingString(kFoldersSection, key);
    if (IsFolder(remembered))
        return remembered;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return IsFolder(documents) ? documents : QDir::homePath();
}

void RememberFolder(const QString& key, const QString& savedFile)
{
    const QString folder = QFileInfo(savedFile).absolutePath();
    if (folder != ReadSettingString(kFoldersSection, key))
        WriteSettingsBatch([&] { WriteSettingString(kFoldersSection, key, folder); });
}

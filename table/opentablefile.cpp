#include "table/opentablefile.h"

#include "platform/messages.h"
#include "table/ttable.h"

#include <QFileInfo>

bool OpenTableFile(const QString& path, TTable& table)
{
    table.Close();
    const QFileInfo info(path);
    if (!info.isFile()) {
        ShowInformation(QStringLiteral("File ") + path + QStringLiteral(" not found"));
        return false;
    }
    table.SetDatabaseName(info.absolutePath());
    table.SetTableName(info.fileName());
    table.SetIndexName(QString());
    try {
        table.Open();
        return true;
    } catch (const std::exception&) {
        table.Close();
        return false;
    }
}

#include "select/filtercommands.h"

#include "select/filterdialogs.h"
#include "select/filterfile.h"
#include "select/selection.h"

#include "platform/messages.h"

#include <QFileInfo>

QString ChooseFilterToSave(QWidget* parent)
{
    const QString chosen = ChooseFilterSavePath(parent);
    if (chosen.isEmpty())
        return {};
    const std::optional<QString> path = filterSavePath(chosen);
    if (!path) {
        ShowInformation(QStringLiteral("Must have a .FLT extension"));
        return {};
    }
    if (QFileInfo::exists(*path) &&
        !AskYesNoDefaultNo(*path + QStringLiteral(" already exists.\r\nDo you want to overwrite it?"),
                           QStringLiteral("Warning!")))
        return {};
    return *path;
}

QString ChooseFilterToRestore(QWidget* parent)
{
    const QString path = ChooseFilterOpenPath(parent);
    if (path.isEmpty())
        return {};
    if (!isFilterFileName(path)) {
        ShowInformation(QStringLiteral("Must be a Filter (.FLT) file"));
        return {};
    }
    return path;
}

bool SaveFilterTo(const QString& path, const QueryValues& values)
{
    if (writeFilterFile(path, values))
        return true;
    ShowInformation(QStringLiteral("Cannot create file ") + path);
    return false;
}

bool RestoreFilterFrom(const QString& path, Selection& selection, TApollo& apollo, const QString& tagId)
{
    const std::optional<QueryValues> values = readFilterFile(path);
    if (!values) {
        ShowInformation(QStringLiteral("Cannot open file ") + path);
        return false;
    }
    selection.values = *values;
    selection.ApplyFilter(apollo, tagId);
    return true;
}

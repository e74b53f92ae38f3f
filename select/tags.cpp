#include "select/tags.h"

#include "select/tagid.h"

#include "platform/settings.h"
#include "table/ttable.h"

void ToggleTag(TTable& table, const QString& tagId)
{
    const bool editing = table.State() == TDataSetState::Edit || table.State() == TDataSetState::Insert;
    if (!editing)
        table.Edit();
    TField& tag = table.FieldByName(QStringLiteral("TAG"));
    tag.SetAsString(tag.AsString() != tagId ? tagId : QString());
    if (!editing)
        table.Post();
}

QString LoadTagId()
{
    QString id = ReadSettingString(QStringLiteral("Misc"), QStringLiteral("GlobalTagId"));
    if (id.isEmpty())
        id = NewTagId();
    SaveTagId(id);
    return id;
}

bool SaveTagId(const QString& tagId)
{
    return WriteSettingsBatch([&] { WriteSettingString(QStringLiteral("Misc"), QStringLiteral("GlobalTagId"), tagId); });
}

#include "select/tags.h"

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

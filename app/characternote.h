#pragma once

#include <QString>

// What the user reads when a field refuses a character its file cannot store.
inline QString RefusedCharacterNote(const QString& fieldCaption)
{
    return fieldCaption + QStringLiteral(" can hold only Western European characters");
}

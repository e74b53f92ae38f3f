#pragma once
// Text folded for matching contacts: lower case, accents dropped, punctuation turned into
// single blanks, apostrophes dropped ("O'Brien" and "obrien" meet), so that spellings of
// the same name or street compare equal.

#include <QString>
#include <array>

QString FoldText(const QString& text);
// The same into a string whose room is kept between calls (keys made by the hundred
// thousand).
void FoldTextInto(QStringView text, QString& into);

// The nickname table's groups a folded given name belongs to (Bob, Bobby and Robert share
// one): up to two group numbers, 0 for none. Words outside the table belong to none.
using NameGroups = std::array<quint16, 2>;
NameGroups NameGroupsOf(const QString& foldedName);

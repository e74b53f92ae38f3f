#pragma once
// The fields an import may fill, and how a column or source field name finds one.

#include <QString>
#include <QStringList>
#include <vector>

class TField;
class TTable;

// The visible character fields of an address table, in file order: the 19 fields the
// main window shows ("Last Name" ... "Web Page"); DATE, TAG and ISDEL are never targets.
std::vector<TField*> ImportTargets(const TTable& table);

// Gives each stored field of to the display label and visibility of the field of the
// same name in from.
void CopyFieldLabels(const TTable& from, TTable& to);

// The targets' display labels, in order.
QStringList TargetLabels(const std::vector<TField*>& targets);

// The target whose display label equals the label, ignoring case; nullptr when none.
TField* TargetByLabel(const std::vector<TField*>& targets, const QString& label);

// The target a column heading of a text file names: by display label, field name or a
// common synonym ("Surname", "Company", "Postal Code", "Mobile Phone", "E-mail Address"),
// ignoring case, blanks and punctuation. nullptr when none.
TField* TargetForColumnName(const std::vector<TField*>& targets, const QString& heading);

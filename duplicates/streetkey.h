#pragma once
// A street line as matching compares it: the house number apart, the rest folded with
// the usual words shortened ("12 North Main Street" and "12 N. Main St" give the same).

#include <QString>

struct StreetKey {
    QString number; // the first word that starts with a digit; empty when none
    QString words;  // everything else, folded and shortened
    bool Empty() const { return number.isEmpty() && words.isEmpty(); }
};

StreetKey StreetKeyOf(const QString& street);
// The same into a key whose strings keep their room between calls; folded is room for
// the folded street.
void StreetKeyInto(QStringView street, StreetKey& key, QString& folded);

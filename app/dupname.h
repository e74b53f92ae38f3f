#pragma once

#include <QString>

// The LNAME tag's key for a last and first name: each blank-padded or cut to its field
// width, in the engine's capitals.
QString DuplicateNameKey(const QString& last, const QString& first, int lastWidth, int firstWidth);

// The duplicate record's values shown in the question.
struct DuplicateShown {
    QString first, last, street, city, state, zip;
};

QString DuplicateQuestion(const DuplicateShown& d);

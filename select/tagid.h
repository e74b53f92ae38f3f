#pragma once
// Tag ids: a record is tagged when its TAG field holds the current id, so clearing every
// tag is just making a new id.

#include <QDateTime>
#include <QString>

// Base 36 of (year - 1995) followed by base 36 of the number "MMddhhmmss": 7 characters,
// 8 from 2031 on. Two ids made within the same second are equal.
QString NewTagId(const QDateTime& at);

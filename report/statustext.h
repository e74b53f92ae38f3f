#pragma once

#include <QString>
#include <QStringList>

// What the codes of a status template stand for at the moment it is shown.
struct StatusValues {
    QStringList lines;   // %0 ... %9
    int page = 0;        // %P
    int firstPage = 1;   // %F
    int lastPage = 9999; // %L
    QString device;      // %D
    QString driver;      // %R
    QString port;        // %T
};

// Expands a status template: %% is a percent sign, %0 to %9 the lines (empty past the
// list's end), %P %F %L %D %R %T the values (letter case ignored), any other character
// "<ERROR-%X>"; a percent sign at the very end stays.
QString ExpandStatus(const QString& format, const StatusValues& values);

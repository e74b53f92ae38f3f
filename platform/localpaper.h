#pragma once
// The paper a user expects when no printer names one: Letter where the locale is US
// English (or another language of a country that uses Letter), A4 anywhere else. A locale
// that says nothing about paper (C, POSIX) defers to the system's paper setting, the
// first word of /etc/papersize, and to A4 without one.

#include <QLocale>
#include <QPageSize>
#include <QString>

QPageSize::PageSizeId LocalePaper(const QLocale& locale);

// Points the system's paper setting at another file; gives the path it replaces.
QString SetSystemPaperFile(const QString& path);

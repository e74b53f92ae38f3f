#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

// A record date is the text "yyyymmdd" stored in an address record; empty means no date.

// Reads characters 1-4 as the year, 5-6 as the month, 7-8 as the day. Anything that is
// not such a date (too short, not digits, no such day) gives an invalid QDate.
QDate RecordDateToDate(const QString& text);

// The inverse: "yyyymmdd", or an empty text for an invalid date.
QString DateToRecordDate(const QDate& date);

// The record date in the display date format; empty for an empty or unreadable date.
QString RecordDateToDisplay(const QString& text);
QString RecordDateToDisplay(const QString& text, const QString& displayFormat);

// The display date format: the locale's short date format widened to a four-digit year,
// derived on first use and kept for the program's life.
QString DisplayDateFormat();
// Forgets the derived format so the next use derives it again from the current locale.
void ResetDisplayDateFormat();

// Widens a short date pattern to a four-digit year. A pattern that already has one is
// only upper-cased; otherwise the year is widened (or appended after the separator when
// the pattern has none) and the result lower-cased: "M/d/yy" gives "m/d/yyyy".
QString DeriveDisplayDateFormat(const QString& shortFormat, QChar separator);

// The first separator character of a date pattern ("/" when there is none).
QChar DateSeparatorOf(const QString& pattern);

// Formats a date with a display date pattern. Letters are read without regard to case:
// d/dd day, ddd/dddd day name, m/mm month, mmm/mmmm month name, yy two-digit and yyyy
// (or yyy) four-digit year; quoted text and any other character stand as written.
QString FormatDisplayDate(const QDate& date, const QString& pattern, const QLocale& locale = QLocale());

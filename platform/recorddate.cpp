#include "platform/recorddate.h"

namespace {

// The digits of text[from, from + count), or -1 when any is not a digit.
int digitsAt(const QString& text, qsizetype from, qsizetype count)
{
    int value = 0;
    for (qsizetype i = from; i < from + count; ++i) {
        const QChar c = text.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}

QString& cachedFormat()
{
    static QString format;
    return format;
}

QString twoDigits(int value)
{
    return QStringLiteral("%1").arg(value % 100, 2, 10, QLatin1Char('0'));
}

QString dayPart(const QDate& date, qsizetype run, const QLocale& locale)
{
    switch (run) {
    case 1:
        return QString::number(date.day());
    case 2:
        return twoDigits(date.day());
    case 3:
        return locale.dayName(date.dayOfWeek(), QLocale::ShortFormat);
    default:
        return locale.dayName(date.dayOfWeek(), QLocale::LongFormat);
    }
}

QString monthPart(const QDate& date, qsizetype run, const QLocale& locale)
{
    switch (run) {
    case 1:
        return QString::number(date.month());
    case 2:
        return twoDigits(date.month());
    case 3:
        return locale.monthName(date.month(), QLocale::ShortFormat);
    default:
        return locale.monthName(date.month(), QLocale::LongFormat);
    }
}

QString yearPart(const QDate& date, qsizetype run)
{
    if (run <= 2)
        return twoDigits(date.year());
    return QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0'));
}

} // namespace

QDate RecordDateToDate(const QString& text)
{
    if (text.size() < 8)
        return {};
    const int year = digitsAt(text, 0, 4);
    const int month = digitsAt(text, 4, 2);
    const int day = digitsAt(text, 6, 2);
    if (year < 1 || month < 0 || day < 0)
        return {};
    return QDate(year, month, day);
}

QString DateToRecordDate(const QDate& date)
{
    if (!date.isValid() || date.year() < 1 || date.year() > 9999)
        return {};
    return QStringLiteral("%1%2%3")
        .arg(date.year(), 4, 10, QLatin1Char('0'))
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.day(), 2, 10, QLatin1Char('0'));
}

QString RecordDateToDisplay(const QString& text, const QString& displayFormat)
{
    if (text.isEmpty())
        return {};
    const QDate date = RecordDateToDate(text);
    if (!date.isValid())
        return {};
    return FormatDisplayDate(date, displayFormat);
}

QString RecordDateToDisplay(const QString& text)
{
    return RecordDateToDisplay(text, DisplayDateFormat());
}

QString DisplayDateFormat()
{
    QString& format = cachedFormat();
    if (format.isEmpty()) {
        const QString shortFormat = QLocale().dateFormat(QLocale::ShortFormat);
        format = DeriveDisplayDateFormat(shortFormat, DateSeparatorOf(shortFormat));
    }
    return format;
}

void ResetDisplayDateFormat()
{
    cachedFormat().clear();
}

QString DeriveDisplayDateFormat(const QString& shortFormat, QChar separator)
{
    QString format = shortFormat.toUpper();
    if (format.contains(QStringLiteral("YYYY")))
        return format;
    if (format.contains(QStringLiteral("YYY")))
        format.insert(format.indexOf(QStringLiteral("YYY")), QLatin1Char('Y'));
    else if (format.contains(QStringLiteral("YY")))
        format.insert(format.indexOf(QStringLiteral("YY")), QStringLiteral("YY"));
    else if (!format.contains(QLatin1Char('Y')))
        format += separator + QStringLiteral("YYYY");
    else
        format.insert(format.indexOf(QLatin1Char('Y')), QStringLiteral("YYY"));
    return format.toLower();
}

QChar DateSeparatorOf(const QString& pattern)
{
    bool quoted = false;
    for (const QChar c : pattern) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        else if (!quoted && !c.isLetter())
            return c;
    }
    return QLatin1Char('/');
}

QString FormatDisplayDate(const QDate& date, const QString& pattern, const QLocale& locale)
{
    if (!date.isValid())
        return {};
    QString out;
    qsizetype i = 0;
    while (i < pattern.size()) {
        const QChar c = pattern.at(i);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            const qsizetype close = pattern.indexOf(c, i + 1);
            const qsizetype end = close < 0 ? pattern.size() : close;
            out += pattern.mid(i + 1, end - i - 1);
            i = end + 1;
            continue;
        }
        const QChar letter = c.toLower();
        qsizetype run = 1;
        while (i + run < pattern.size() && pattern.at(i + run).toLower() == letter)
            ++run;
        if (letter == QLatin1Char('d'))
            out += dayPart(date, run, locale);
        else if (letter == QLatin1Char('m'))
            out += monthPart(date, run, locale);
        else if (letter == QLatin1Char('y'))
            out += yearPart(date, run);
        else
            out += pattern.mid(i, run);
        i += run;
    }
    return out;
}

#include "select/tagid.h"

namespace {

// Base 36 with upper-case letters and no leading zeros; 0 gives an empty text.
QString base36(qint64 n)
{
    static constexpr char kDigits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    QString digits;
    for (; n > 0; n /= 36)
        digits.prepend(QLatin1Char(kDigits[n % 36]));
    return digits;
}

} // namespace

QString NewTagId(const QDateTime& at)
{
    const QDate date = at.date();
    const QTime time = at.time();
    const qint64 stamp = date.month() * 100000000LL + date.day() * 1000000LL + time.hour() * 10000LL +
                         time.minute() * 100LL + time.second();
    return base36(date.year() - 1995) + base36(stamp);
}
